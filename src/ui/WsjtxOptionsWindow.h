#pragma once

#include "util/WsjtxListener.h"

#include <QDialog>

class Dialogs;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class UserSettingsStore;

// Options > WSJT-X Link: whether, where and on which port the program listens for the
// contacts WSJT-X logs. "Done" stores the settings and restarts the listener with them.
class WsjtxOptionsWindow : public QDialog {
    Q_OBJECT
public:
    WsjtxOptionsWindow(WsjtxListener& listener, UserSettingsStore& store, Dialogs& dialogs, QWidget* parent = nullptr);

    // Adds the menu item that opens the window.
    static void addMenuItem(QMenu* options, WsjtxListener& listener, UserSettingsStore& store, Dialogs& dialogs);

    WsjtxListener::Settings enteredSettings() const;
    // Stores and applies what the fields hold; false (after saying why) when a field is wrong
    // or the listener cannot start with it.
    bool applyEntered();

private:
    void showStatus();

    WsjtxListener& m_listener;
    UserSettingsStore& m_store;
    Dialogs& m_dialogs;
    QCheckBox* m_enabled;
    QLineEdit* m_address;
    QLineEdit* m_port;
    QLineEdit* m_group;
    QLabel* m_status;
};
