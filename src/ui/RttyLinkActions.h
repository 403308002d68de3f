#pragma once

#include <QObject>

class Dialogs;
class MainWindow;
class RttyLink;
class Station;

// The RTTY terminal link as the main window uses it: the "Connect to TOLV RTTY" menu item and
// its messages, the call being typed sent in mode DIG, and the terminal's call, class and
// section put into the entry fields in capitals.
class RttyLinkActions : public QObject {
    Q_OBJECT
public:
    RttyLinkActions(MainWindow& window, Station& station, RttyLink& link, Dialogs& dialogs);
    void connectToTerminal();

private:
    void linked();
    void received(const QString& item, const QString& value);
    void sendOwnStation();

    MainWindow& m_window;
    Station& m_station;
    RttyLink& m_link;
    Dialogs& m_dialogs;
};
