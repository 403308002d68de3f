#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;
class StationSync;
class UserSettingsStore;

// "Log Sharing": the broker, this station's name and login, the time master choice, and what
// is heard of the other stations (band, mode, contacts, last contact, clock offset, last heard).
class StationSyncWindow : public QDialog {
    Q_OBJECT
public:
    StationSyncWindow(StationSync& sync, UserSettingsStore& store, int year, QWidget* parent = nullptr);

    // The Options menu item that shows the window (made once, kept).
    static void addMenuItem(QMenu* options, StationSync& sync, UserSettingsStore& store, int year);

    // Saves the entered settings and starts sharing; the reason when it cannot.
    void connectStation();
    void disconnectStation();

private:
    void showPeers();
    void showOffset(qint64 ms);

    StationSync& m_sync;
    UserSettingsStore& m_store;
    QLineEdit* m_broker;
    QLineEdit* m_station;
    QLineEdit* m_user;
    QLineEdit* m_password;
    QLineEdit* m_event;
    QCheckBox* m_master;
    QPushButton* m_connect;
    QPushButton* m_disconnect;
    QLabel* m_state;
    QLabel* m_offset;
    QTableWidget* m_peers;
};
