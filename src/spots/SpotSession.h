#pragma once

#include "spots/ReceivedText.h"
#include "spots/SpotSettings.h"
#include "spots/TelnetSpotSource.h"

#include <QObject>
#include <QTimer>

class SpotBoard;

// The spotting window's connection: the chosen source, the received-text box and the poll
// timer, handing every spot line to the board. The window only shows what this holds.
class SpotSession : public QObject {
    Q_OBJECT
public:
    static constexpr int kPollMs = 333;
    static constexpr int kTicksPerDisplayRefresh = 360; // about two minutes

    explicit SpotSession(SpotBoard& board, QObject* parent = nullptr);

    SpotSettings& settings() { return m_settings; }
    const SpotSettings& settings() const { return m_settings; }
    bool isListening() const { return m_listening; }
    const ReceivedText& received() const { return m_received; }
    QString sendPrompt() const;

    // A new source: closes an open connection first; "TNC" presets its serial settings.
    void chooseSource(const QString& source);
    void openPort();
    void closePort();
    // The operator's line from the send box.
    void sendText(const QString& text);
    // One tick of the 333 ms timer.
    void pollTick();

signals:
    void textChanged();
    void listeningChanged(bool listening);
    void displayRefreshDue();
    void beep();

private:
    void append(const QString& text);
    void takeLine(const QString& line);
    void sourceFailed(const QString& text);

    SpotBoard& m_board;
    SpotSettings m_settings;
    ReceivedText m_received;
    TelnetSpotSource m_telnet;
    QTimer m_poll;
    bool m_listening = false;
    int m_ticks = 0;
};
