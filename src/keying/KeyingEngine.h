#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class CwSendBuffer;
class KeyLine;
class KeyingClock;
class QThread;

// Sends the CW send buffer in Morse on a key line, from a thread of its own, so the window
// never waits for a message. Each character is taken off the buffer as it starts (Timer
// timing: a fraction of a millisecond before, so its first edge is on time); its elements
// are keyed against deadlines counted from the start of the run, so the timing does not drift.
// Speed, word space and output are read at each character, and emptying the buffer stops
// sending after the current character; the line is key up after every character.
//
// Signals reach the owner's thread by queued calls: logContactReached() when a '!' is reached
// (every character before it has been keyed), characterSent() after each character,
// runFinished() when the buffer has run dry.
class KeyingEngine : public QObject {
    Q_OBJECT
public:
    // Timer: absolute deadlines on the monotonic clock (sleep, then spin the last fraction of
    // a millisecond); Sleep: a plain sleep of the rounded element time; Loop: the calibrated
    // empty loop.
    enum class Timing { Timer, Sleep, Loop };

    KeyingEngine(CwSendBuffer& buffer, KeyingClock& clock, QObject* parent = nullptr);
    ~KeyingEngine() override;

    // The output; null keys nothing (characters are still taken and '!' still logs).
    void setKeyLine(std::shared_ptr<KeyLine> line);
    // Another keyer took the port: the line goes, and the next character that keys anything
    // calls `reopen` on the keying thread first (again for every character while it fails);
    // lineReopened(ok) follows each try.
    void releaseLine(std::function<std::shared_ptr<KeyLine>()> reopen);
    std::shared_ptr<KeyLine> keyLine() const;
    void setSpeed(double wpm) { m_wpm = wpm; }
    double speed() const { return m_wpm; }
    // Elements added to (or taken from, down to -8) the eight of a word space.
    void setWordSpace(int adjust) { m_wordSpace = adjust; }
    void setTiming(Timing t) { m_timing = t; }
    Timing timing() const { return m_timing; }
    // Loop timing: empty-loop passes per 60 ms.
    void setLoopCount(double per60ms) { m_loopCount = per60ms; }

    // LoopThroughCWBuffer: wakes the keying thread to work through the buffer, unless a run is
    // already doing so (it will send what was appended). Returns at once.
    void LoopThroughCWBuffer();

    // Whether the keying thread got real-time scheduling.
    bool realTime() const { return m_realTime.load(); }

    // CalibrateLoop: times 5 000 000 passes of the empty loop; passes per 60 ms.
    static double CalibrateLoop(KeyingClock& clock);

signals:
    void logContactReached();
    void characterSent(const QString& remaining);
    void runFinished();
    void lineReopened(bool ok);

private:
    void run();
    // Keys one character; `boundary` runs during the wait of its last element.
    void sendCharacter(QChar ch, qint64& deadline, const std::function<void()>& boundary);
    std::shared_ptr<KeyLine> reopenLine();
    void waitElement(qint64 deadline, double elementMs, const std::function<void()>& beforeEdge);

    CwSendBuffer& m_buffer;
    KeyingClock& m_clock;
    mutable std::mutex m_lineMutex;
    std::shared_ptr<KeyLine> m_line;
    std::function<std::shared_ptr<KeyLine>()> m_reopen;
    std::atomic<double> m_wpm{20.0};
    std::atomic<int> m_wordSpace{0};
    std::atomic<Timing> m_timing{Timing::Timer};
    std::atomic<double> m_loopCount{0.0};

    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    bool m_work = false;
    bool m_quit = false;
    std::atomic<bool> m_realTime{false};
    QThread* m_thread = nullptr;
};
