#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class SerialPort;

// A WinKeyer on a serial port, behind the operations the CW windows use (open, close, char,
// status, clear, backspace, speed, weight, lead/tail, ratio, pins, mode). The protocol is in
// WinKeyProtocol.h. Nothing here waits: opening is an echo test and a host open answered while
// the event loop runs, ending in opened(); the status is the last status byte the keyer sent
// (it sends one on every change).
class WinKeyClient : public QObject {
    Q_OBJECT
public:
    enum OpenResult : int {
        Success = 0,
        NoEcho = -1,
        EchoMismatch = -2,
        NoOpenResponse = -3,
        ComOpenFailed = -4,
        AlreadyOpen = -8,
        NotOpen = -9
    };

    explicit WinKeyClient(QObject* parent = nullptr);
    ~WinKeyClient() override;

    // How long each answer of the opening may take (the keyer needs a few ms; 2 s is generous).
    void setAnswerTimeoutMs(int ms) { m_answerTimeoutMs = ms; }

    // Opens the keyer on `device`; opened(result, version) follows, at once for AlreadyOpen
    // and ComOpenFailed.
    void open(const QString& device);
    void close();
    bool isOpen() const { return m_version > 0; }
    bool isOpening() const { return m_phase != Phase::Closed && m_phase != Phase::Open; }
    int version() const { return m_version; }
    // 0 idle, above 0 busy sending, above 4 not taking more text.
    int status() const { return m_status; }

    // Each returns Success, or NotOpen when no keyer is open.
    int sendChar(int code);
    int setSpeed(int wpm);
    int setWeight(int weight);
    int setLeadTail(int leadIn, int tail);
    int setRatio(int ratio);
    int setPinConfig(int pins);
    // The paddle mode; serial echo is always added, so echoed() tells what was keyed.
    int setMode(int mode);
    int clearBuffer();
    int backspace();
    // Asks for a status byte; the keyer answers after everything sent before the request.
    int requestStatus();
    // The pot's span; its readings are reported as speedPot(minWpm + offset).
    int setupSpeedPot(int minWpm, int rangeWpm);
    int readSpeedPot();

signals:
    void opened(int result, int version);
    void statusChanged(int status);
    // Every status byte, changed or not.
    void statusReceived(int status);
    void echoed(QChar ch);
    void speedPot(int wpm);

private:
    enum class Phase { Closed, Echo, Version, Open };
    int write(const QByteArray& bytes);
    void poll();
    void take(unsigned char b);
    void failOpen(int result);

    SerialPort* m_port = nullptr;
    QTimer m_poll;
    QTimer m_answerTimer;
    int m_answerTimeoutMs = 2000;
    Phase m_phase = Phase::Closed;
    int m_version = 0;
    int m_status = 0;
    int m_potMinWpm = 0;
};
