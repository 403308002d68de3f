#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTimer;
class SpotSession;
class UserSettingsStore;

// "DX Spotting Setup": chooses the spot source, shows what it sends and takes the operator's
// text for it. The connection itself is the SpotSession's.
class PacketSpotWindow : public QWidget {
    Q_OBJECT
public:
    // The packet engine's address is kept in `userStore` when there is one.
    PacketSpotWindow(SpotSession& session, QString settingsPath, UserSettingsStore* userStore = nullptr,
                     QWidget* parent = nullptr);

    // Done: opens the chosen source if it is not listening yet and saves the settings.
    void finish();
    // "Spot Last": a spot line for the operator to complete.
    void startSpotLine();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showText();
    void takeSettingsFromControls();
    void showSettings();

    static constexpr int kTextRefreshMs = 100;
    SpotSession& m_session;
    QTimer* m_textTimer;
    QString m_settingsPath;
    UserSettingsStore* m_userStore;
    QListWidget* m_sources;
    QPlainTextEdit* m_received;
    QLineEdit* m_send;
    QLabel* m_sendPrompt;
    QLabel* m_listening;
    QCheckBox* m_listDxOnly;
    QLineEdit* m_host;
    QLineEdit* m_port;
    QLineEdit* m_agwHost;
    QLineEdit* m_agwPort;
    // The TNC's serial settings and the main window's spot display.
    QComboBox* m_baud;
    QComboBox* m_parity;
    QComboBox* m_dataBits;
    QComboBox* m_stopBits;
    QComboBox* m_comPort;
    QComboBox* m_powerLine;
    QComboBox* m_handshaking;
    QLineEdit* m_commandChar;
    QCheckBox* m_convertToHex;
    QComboBox* m_mainDisplay;
};
