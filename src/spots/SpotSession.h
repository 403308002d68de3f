#pragma once

#include "spots/AgwSpotSource.h"
#include "spots/ReceivedText.h"
#include "spots/SpotSettings.h"
#include "spots/TelnetSpotSource.h"
#include "spots/TncSpotSource.h"

#include <QObject>
#include <QTimer>

class SpotBoard;
class UserSettingsStore;

// The spotting window's connection: the chosen source, the received-text box and the poll
// timer, handing every spot line to the board. The window only shows what this holds.
class SpotSession : public QObject {
    Q_OBJECT
public:
    static constexpr int kPollMs = 333;
    static constexpr int kTicksPerDisplayRefresh = 360; // about two minutes
    static constexpr quint16 kAgwPort = 8000;
    static constexpr const char* kAgwHost = "127.0.0.1";

    explicit SpotSession(SpotBoard& board, QObject* parent = nullptr);
    // A packet node still connected gets its disconnect frame.
    ~SpotSession() override;

    SpotSettings& settings() { return m_settings; }
    const SpotSettings& settings() const { return m_settings; }
    bool isListening() const { return m_listening; }
    const ReceivedText& received() const { return m_received; }
    QString sendPrompt() const;
    // "DX Spotting Setup", with the packet node while one is connected.
    QString title() const { return m_title; }

    // A new source: closes an open connection first; "TNC" presets its serial settings.
    void chooseSource(const QString& source);
    void openPort();
    void closePort();
    // The operator's line from the send box.
    void sendText(const QString& text);
    // Esc or Ctrl+C in the send box: the TNC's command-mode byte.
    void sendCommandCharacter();
    // One tick of the 333 ms timer.
    void pollTick();
    // Done: the main window redraws its spot display (list or band map, as chosen).
    void refreshDisplay() { emit displayRefreshDue(); }

    TncSpotSource& tnc() { return m_tnc; }
    AgwSpotSource& agw() { return m_agw; }
    // The packet engine's TCP address (the engine runs on this machine unless told otherwise).
    void setAgwAddress(const QString& host, quint16 port);
    QString agwHost() const { return m_agwHost; }
    quint16 agwPort() const { return m_agwPort; }
    // PackSpot.txt has no field for it, so the address is a per-user value; a missing or
    // unreadable one leaves this machine's port 8000.
    void loadAgwAddress(const UserSettingsStore& store);
    void saveAgwAddress(UserSettingsStore& store) const;

signals:
    void textChanged();
    void listeningChanged(bool listening);
    void titleChanged(const QString& title);
    void displayRefreshDue();
    void beep();
    // Something the operator must answer or read in a message box.
    void message(const QString& text, const QString& title);

private:
    void append(const QString& text);
    void takeLine(const QString& line);
    void sourceFailed(const QString& text);
    void stopListening();
    void setTitle(const QString& title);
    void openTnc();
    void openAgw();
    void sendToAgw(const QString& text);

    SpotBoard& m_board;
    SpotSettings m_settings;
    ReceivedText m_received;
    TelnetSpotSource m_telnet;
    TncSpotSource m_tnc;
    AgwSpotSource m_agw;
    QString m_agwHost = QString::fromLatin1(kAgwHost);
    quint16 m_agwPort = kAgwPort;
    QString m_title;
    QTimer m_poll;
    bool m_listening = false;
    int m_ticks = 0;
};
