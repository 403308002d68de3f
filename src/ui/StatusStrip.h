#pragma once

#include <QStatusBar>

class QLabel;
class RigPoller;
class Station;

// The score at a glance, along the bottom of the main window: contacts, sections worked of
// the rules' count, the claimed score with its power multiplier, the operator, and the rig's
// frequency with whether it answers.
class StatusStrip : public QStatusBar {
    Q_OBJECT
public:
    StatusStrip(Station& station, RigPoller& poller, QWidget* parent = nullptr);

    // Redraws the counts and the score from the log.
    void refresh();
    // Redraws the operator and the rig part (the rig part also runs on a one-second timer).
    void refreshStation();

    // A rig that has not answered for this long while polling shows as not answering.
    static constexpr qint64 SilentMs = 5000;

private:
    QLabel* addPart(const char* name);

    Station& m_station;
    RigPoller& m_poller;
    QLabel* m_contacts = nullptr;
    QLabel* m_sections = nullptr;
    QLabel* m_score = nullptr;
    QLabel* m_operator = nullptr;
    QLabel* m_rig = nullptr;
    bool m_polling = false;
    qint64 m_lastReadingMs = -1;
};
