#pragma once

#include "log/Frequency.h"
#include "rig/BandPlanLookup.h"
#include "rig/RigParsers.h"
#include "rig/RigSettings.h"
#include "util/Dialogs.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>

class OperatingState;
class RigctldClient;
class SerialPort;

// Polls the rig and tunes it. A poll takes two ticks of the poll timer: the send tick puts the
// family's read commands on the port (only when everything sent before has left), the read
// tick collects what came back, parses it and hands frequency and mode to the operating state.
// Frequency and mode changes run as a queue of steps (send, pause, wait for the port to
// drain) driven by timers, so the window keeps drawing and taking keys meanwhile.
// It never talks to the operator itself: failures go out as failed(), and whoever shows
// them decides how (a window queues a message box, the command line prints).
class RigPoller : public QObject {
    Q_OBJECT
public:
    RigPoller(OperatingState& state, QString dataDir, QObject* parent = nullptr);
    ~RigPoller() override;

    RigSettings& settings() { return m_settings; }
    const RigSettings& settings() const { return m_settings; }
    void setSettings(const RigSettings& s) { m_settings = s; }

    // Opens the port with the settings and starts polling (the Test button). False when
    // nothing started.
    bool start();
    // Stops polling and closes the port (End Test).
    void stop();
    // The program ends: the Yaesus get their CAT-off bytes before the port closes.
    void shutdown();

    // One tick of the poll timer; the timer only calls this.
    void tick();
    // The read tick's work on bytes already collected (also what the benchmark times).
    void consumeReply(const QByteArray& incoming);

    void ChangeFrequency(Frequency f);
    // An empty mode word: the band plan's mode for `f`.
    void ChangeMode(Frequency f, const QString& modeWord);
    // A raw command from the frequency-test window, written as it is.
    void sendRaw(const QByteArray& bytes);

    bool polling() const { return m_timer.isActive() || m_pausedForChange; }
    bool changing() const { return !m_steps.empty() || m_stepRunning; }
    int tickMs() const { return m_timer.interval(); }
    // The most reply bytes kept between reads, here and in the port's or socket's own buffer.
    static constexpr qsizetype kMaxReplyBytes = 4096;
    qsizetype bufferedReplyBytes() const { return m_buffer.size(); }
    qint64 linkBufferedBytes() const;

    // What the window shows.
    QString frequencyReadout() const { return m_freqReadout; }
    QString modeReadout() const { return m_modeReadout; }
    QString rawReadout() const { return m_rawReadout; }
    Frequency lastFrequency() const { return m_lastFrequency; }
    QString lastMode() const { return m_lastMode; }
    int vfoFlag() const { return m_vfoFlag; }

    SerialPort& port() { return *m_port; }
    const BandPlanLookup& bandPlan() const { return m_bandPlan; }

signals:
    void readoutsChanged();
    // A read tick got a frequency or a mode out of the rig's reply.
    void readingTaken();
    void pollingChanged(bool polling);
    // A frequency or mode change has finished its last step.
    void changeFinished();
    // Something the operator must hear of: the port would not open, a frequency change could
    // not be sent, the replies cannot be read or the link was lost.
    void failed(const QString& text, const QString& title, Dialogs::Icon icon);

private:
    struct Step {
        enum Kind { Send, PauseMs, WaitForSendDrain, Call } kind;
        int ms = 0;
        QByteArray bytes;
        std::function<void()> call;
    };

    // The two waits of a rig exchange, as steps: a pause that lets window events run, and a
    // wait until the port's send queue is empty (at most 2 s).
    static Step PauseMs(int ms);
    static Step WaitForSendDrain();

    bool linkOpen() const;
    void linkWrite(const QByteArray& bytes);
    QByteArray linkRead();
    qint64 linkPending() const;
    void closeLink();
    // Ends polling and any frequency change in progress, and closes the port or socket.
    void stopPolling();

    void sendTick();
    void readTick();
    void appendModeSteps(Frequency f, QString modeWord);
    void runSteps();
    void nextStep();
    void drainPoll();
    void linkFailed(const QString& reason);
    void reportOnce(const QString& text);

    OperatingState& m_state;
    QString m_dataDir;
    RigSettings m_settings;
    BandPlanLookup m_bandPlan;
    SerialPort* m_port;
    RigctldClient* m_rigctld;
    QTimer m_timer;
    // The next tick sooner than the poll timer brings it: a send held up by bytes still leaving,
    // or a binary reply waiting for its quiet gap, is not left to the next poll (10 s at most).
    QTimer m_soonTimer;
    QTimer m_stepTimer;
    qint64 m_drainDeadline = 0;
    std::deque<Step> m_steps;
    bool m_stepRunning = false;
    bool m_pausedForChange = false;
    std::optional<Frequency> m_pendingFrequency;

    QByteArray m_buffer;
    int m_phase = 0;
    int m_toggle = 0;
    int m_lastCommand = 0;
    int m_emptyReads = 0;
    int m_unusableReads = 0;
    int m_heldReads = 0;
    qint64 m_lastByteAt = 0; // when the last reply byte came in (ms since start)
    bool m_reported = false;
    bool m_rigctldUp = false;
    Frequency m_lastFrequency;
    QString m_lastMode;
    bool m_dataMode = false; // the last Kenwood "DA" answer
    int m_vfoFlag = 0;
    QString m_freqReadout;
    QString m_modeReadout;
    QString m_rawReadout;
};
