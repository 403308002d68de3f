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
    bool keyboardRtty() const { return m_keyboardRtty; }

    // The key code the terminal is sent for a key: F1..F12 as 112..123 but F10 as 124, letters
    // as their capitals, digits, Enter 13, Escape 27, Backspace 8, Space 32; 0 for none.
    static int terminalKeyCode(int qtKey);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void linked();
    void received(const QString& item, const QString& value);
    void sendOwnStation();

    MainWindow& m_window;
    Station& m_station;
    RttyLink& m_link;
    Dialogs& m_dialogs;
    bool m_keyboardRtty = false;
};
