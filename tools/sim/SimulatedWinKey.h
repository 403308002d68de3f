#pragma once

#include "sim/PtyPeer.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

// A WinKeyer on a pseudo-terminal speaking the host protocol: echo test, host open with its
// version, the settings commands, a text buffer keyed one character per `charMs`, status bytes
// on every change (BUSY while keying, XOFF past `xoffAt` characters waiting), clear buffer and
// backspace, the speed pot (read on request and sent when turned) and serial echo (mode
// register bit 2: each character echoed once keyed). It records every command and every
// character it keyed.
class SimulatedWinKey : public QObject {
    Q_OBJECT
public:
    explicit SimulatedWinKey(QObject* parent = nullptr);

    QString device() const { return m_pty.slavePath(); }
    bool isValid() const { return m_pty.isValid(); }

    int version = 23;
    int charMs = 5;
    int xoffAt = 85;     // two thirds of the keyer's 128-character buffer
    bool silent = false; // takes bytes, answers nothing

    QList<QByteArray> commands; // every command frame, text excluded
    QByteArray keyed;           // characters sent in Morse
    QByteArray waiting() const { return m_queue; }
    bool hostOpen() const { return m_open; }
    // Stops or restarts keying (the operator's paddle in use, a slow speed).
    void setPaused(bool paused);
    // The operator turns the pot: `offset` above its minimum.
    void turnPot(int offset);

private:
    void onBytes(const QByteArray& bytes);
    void command(const QByteArray& frame);
    void keyNext();
    void reportStatus();

    PtyPeer m_pty;
    QByteArray m_pending;
    QByteArray m_queue;
    QTimer m_keying;
    bool m_open = false;
    bool m_paused = false;
    bool m_echo = false;
    int m_pot = 13;
    int m_lastStatus = -1;
};
