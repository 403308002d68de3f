#pragma once

#include <QWidget>

class Clock;
class ContactLog;
class Logbook;
class OperatingState;
class QLabel;
class QTableWidget;
class SectionMapWidget;

// The scoreboard for a second screen or the tent's TV: full screen, type readable from a few
// metres, the points, contacts by band and mode, the last hour's rate and the section map,
// redrawn as contacts arrive. Escape leaves it.
class ScoreboardWindow : public QWidget {
    Q_OBJECT
public:
    ScoreboardWindow(Logbook& logbook, const OperatingState& state, const Clock& clock, QWidget* parent = nullptr);
    void refresh();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    const ContactLog& m_log;
    const OperatingState& m_state;
    const Clock& m_clock;
    QLabel* m_points;
    QLabel* m_rate;
    QTableWidget* m_table;
    SectionMapWidget* m_map;
};
