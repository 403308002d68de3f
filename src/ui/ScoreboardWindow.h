#pragma once

#include <QWidget>

class Clock;
class ContactLog;
class Logbook;
class OperatingState;
class QLabel;
class QTableWidget;
class SectionMapWidget;
class Station;

// The scoreboard for a second screen or the tent's TV: full screen, type readable from a few
// metres, the points, contacts by band and mode, the last hour's rate and the section map,
// redrawn as contacts arrive. Escape leaves it.
class ScoreboardWindow : public QWidget {
    Q_OBJECT
public:
    // The station's rules, class and data folder give the claimed score: under the current rules
    // the QSO points times the stored power step's multiplier plus the stored bonus claims.
    explicit ScoreboardWindow(Station& station, QWidget* parent = nullptr);
    void refresh();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Station& m_station;
    const ContactLog& m_log;
    const OperatingState& m_state;
    const Clock& m_clock;
    QLabel* m_points;
    QLabel* m_rate;
    QTableWidget* m_table;
    SectionMapWidget* m_map;
};
