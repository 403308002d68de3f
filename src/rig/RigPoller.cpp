#include "rig/RigPoller.h"

#include "log/OperatingState.h"
#include "rig/PegasusFiles.h"
#include "rig/RigFrames.h"
#include "rig/RigctldClient.h"
#include "rig/SerialPort.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>

namespace {
const QString kNoResponse = QStringLiteral("No Response");
const QString kTitle = QStringLiteral("Rig Interface");
// Read ticks without a byte before the request goes out again: a rig switched on after Test
// is picked up, while a slow rig still gets time to answer.
constexpr int kEmptyReadsBeforeResend = 4;
// Read ticks of replies that give nothing before the operator is told the settings look wrong.
constexpr int kUnusableReadsBeforeReport = 6;
constexpr int kDrainLimitMs = 2000;
constexpr int kHeldReadsMax = 3;
constexpr int kSoonMs = 10;

QElapsedTimer& sinceStart()
{
    static QElapsedTimer t = [] {
        QElapsedTimer e;
        e.start();
        return e;
    }();
    return t;
}
} // namespace

RigPoller::RigPoller(OperatingState& state, QString dataDir, QObject* parent)
    : QObject(parent), m_state(state), m_dataDir(std::move(dataDir)), m_bandPlan(BandPlanLookup::load(m_dataDir)),
      m_port(new SerialPort(SerialPortTable::systemDefault(), this)), m_rigctld(new RigctldClient(kMaxReplyBytes, this))
{
    m_port->setReadBufferSize(kMaxReplyBytes);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &RigPoller::tick);
    m_soonTimer.setSingleShot(true);
    m_soonTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_soonTimer, &QTimer::timeout, this, [this] {
        if (m_timer.isActive())
            tick();
    });
    m_stepTimer.setSingleShot(true);
    m_stepTimer.setTimerType(Qt::PreciseTimer);
    connect(m_port, &SerialPort::failed, this, &RigPoller::linkFailed);
    connect(m_rigctld, &RigctldClient::failed, this, &RigPoller::linkFailed);
    connect(m_rigctld, &RigctldClient::connected, this, [this] { m_rigctldUp = true; });
}

RigPoller::~RigPoller() = default;

bool RigPoller::linkOpen() const
{
    return m_settings.family() == RigFamily::Rigctld ? m_rigctld->isConnected() : m_port->PortOpen();
}

void RigPoller::linkWrite(const QByteArray& bytes)
{
    if (m_settings.family() == RigFamily::Rigctld)
        m_rigctld->Output(bytes);
    else
        m_port->Output(bytes);
}

QByteArray RigPoller::linkRead()
{
    return m_settings.family() == RigFamily::Rigctld ? m_rigctld->Input() : m_port->Input();
}

qint64 RigPoller::linkPending() const
{
    return m_settings.family() == RigFamily::Rigctld ? m_rigctld->OutBufferCount() : m_port->OutBufferCount();
}

qint64 RigPoller::linkBufferedBytes() const
{
    return m_settings.family() == RigFamily::Rigctld ? m_rigctld->InBufferCount() : m_port->InBufferCount();
}

void RigPoller::closeLink()
{
    m_port->setPortOpen(false);
    m_rigctld->close();
}

bool RigPoller::start()
{
    const RigFamily family = m_settings.family();
    if (family == RigFamily::None)
        return false;
    m_steps.clear();
    m_stepTimer.stop();
    m_stepRunning = false;
    m_pausedForChange = false;
    m_freqReadout = kNoResponse;
    m_modeReadout = kNoResponse;
    m_buffer.clear();
    m_phase = 0;
    m_emptyReads = 0;
    m_unusableReads = 0;
    m_heldReads = 0;
    m_lastByteAt = 0;
    m_reported = false;
    // A new test starts from nothing, so a stale reading is never shown as the rig's answer.
    m_lastFrequency = {};
    m_lastMode.clear();
    m_dataMode = false;
    m_toggle = 0;
    bool open = family == RigFamily::Pegasus;
    if (family == RigFamily::Rigctld) {
        m_port->setPortOpen(false);
        m_rigctldUp = false;
        m_rigctld->open(m_settings.rigctldHost, m_settings.rigctldPort);
        open = true; // the connection finishes in the background; failures arrive as linkFailed
    } else if (family != RigFamily::Pegasus) {
        m_rigctld->close();
        const RigModel* model = RigCatalog::find(m_settings.rigType);
        m_port->setTable(m_settings.ports);
        const int handshaking = m_settings.handshaking >= 0 ? m_settings.handshaking : (model && model->rtsCts ? 2 : 0);
        open = m_port->openWith(m_settings.port, m_settings.settingsText(), handshaking, m_settings.powerLine);
        if (open && m_settings.catOnOff && RigCatalog::takesYaesuOpenClose(family))
            m_port->Output(RigFrames::yaesuOpenBytes());
        else if (open && family == RigFamily::Orion)
            m_port->Output(RigFrames::orionStartBytes());
    }
    if (!open) {
        m_timer.stop();
        const PortOpenFailure f = portOpenFailure(PortUser::Rig);
        emit failed(f.text, f.title, Dialogs::Icon::Information);
        emit readoutsChanged();
        emit pollingChanged(false);
        return false;
    }
    m_timer.setInterval(RigSettings::tickMs(m_settings.pollRate));
    tick();
    m_timer.start();
    emit readoutsChanged();
    emit pollingChanged(true);
    return true;
}

void RigPoller::stop()
{
    m_freqReadout.clear();
    m_rawReadout.clear();
    stopPolling();
    emit readoutsChanged();
}

void RigPoller::shutdown()
{
    if (m_settings.catOnOff && RigCatalog::takesYaesuOpenClose(m_settings.family()) && m_port->PortOpen())
        m_port->Output(RigFrames::yaesuCloseBytes());
    stopPolling();
}

void RigPoller::stopPolling()
{
    m_timer.stop();
    m_soonTimer.stop();
    m_steps.clear();
    m_stepTimer.stop();
    m_stepRunning = false;
    m_pausedForChange = false;
    m_pendingFrequency.reset();
    closeLink();
    emit pollingChanged(false);
}

void RigPoller::tick()
{
    if (m_phase == 0)
        sendTick();
    else
        readTick();
}

void RigPoller::sendTick()
{
    const RigFamily family = m_settings.family();
    if (family == RigFamily::Pegasus) {
        m_phase = 1;
        return;
    }
    if (!linkOpen())
        return;
    if (linkPending() > 0) {
        m_soonTimer.start(kSoonMs);
        return;
    }
    m_lastCommand = m_toggle;
    const auto commands = RigFrames::pollCommands(family, m_settings.freqCommand, m_settings.modeCommand,
                                                  m_settings.convertToHex, m_toggle);
    for (const QByteArray& c : commands)
        linkWrite(c);
    m_phase = 1;
}

void RigPoller::readTick()
{
    if (m_settings.family() == RigFamily::Pegasus) {
        consumeReply({});
        return;
    }
    const QByteArray incoming = linkRead();
    const qint64 now = sinceStart().elapsed();
    if (!incoming.isEmpty())
        m_lastByteAt = now;
    if (incoming.isEmpty() && m_buffer.isEmpty()) {
        if (++m_emptyReads >= kEmptyReadsBeforeResend) {
            m_emptyReads = 0;
            m_phase = 0;
        }
        return;
    }
    m_emptyReads = 0;
    // A binary reply has no terminator: parse it only once it is whole, by length or by a quiet
    // line, so the first bytes of a block still arriving are never read as a reply of their own.
    const int whole = RigParsers::binaryReplyLength(m_settings.family());
    if (whole >= 0) {
        const qsizetype have = m_buffer.size() + incoming.size();
        const bool quiet = now - m_lastByteAt >= m_settings.quietGapMs();
        if ((whole == 0 || have < whole) && !quiet && have < kMaxReplyBytes) {
            m_buffer += incoming;
            m_soonTimer.start(m_settings.quietGapMs());
            return;
        }
    }
    consumeReply(incoming);
}

void RigPoller::consumeReply(const QByteArray& incoming)
{
    m_soonTimer.stop();
    // A flood (a wrong port, a runaway device) must not grow without end: only the newest
    // bytes can hold the answer to the last request anyway.
    m_buffer += incoming.right(kMaxReplyBytes);
    if (m_buffer.size() > kMaxReplyBytes)
        m_buffer.remove(0, m_buffer.size() - kMaxReplyBytes);
    const RigFamily family = m_settings.family();
    RigReading r;
    if (family == RigFamily::Pegasus) {
        r = readPegasusOut(m_settings.pegasusDir());
    } else {
        const ParseContext ctx{family, m_settings.freqCommand, m_settings.modeCommand, m_lastCommand};
        r = RigParsers::parseReply(ctx, m_buffer);
        // Half a reply: keep it and read on instead of asking again, so slow rigs and replies
        // that straddle a tick still come through whole.
        if (r.empty() && RigParsers::binaryReplyLength(family) < 0 && m_heldReads < kHeldReadsMax &&
            m_buffer.size() < 512) {
            ++m_heldReads;
            return;
        }
        m_heldReads = 0;
        if (r.empty() && family != RigFamily::Other) {
            if (++m_unusableReads == kUnusableReadsBeforeReport)
                reportOnce(QStringLiteral("The rig answers on %1, but its replies cannot be read as \"%2\". Check the "
                                          "rig type and the port settings (baud, parity, data and stop bits).")
                               .arg(family == RigFamily::Rigctld ? QStringLiteral("rigctld") : m_port->devicePath(),
                                    m_settings.rigType));
        } else {
            m_unusableReads = 0;
        }
    }
    const bool gotReading = !r.empty();
    if (r.frequency)
        m_lastFrequency = *r.frequency;
    if (r.dataMode)
        m_dataMode = *r.dataMode;
    if (r.mode)
        m_lastMode = RigParsers::withDataMode(*r.mode, m_dataMode);
    if (r.vfoFlag)
        m_vfoFlag = *r.vfoFlag;

    if (m_settings.modeBy == RigSettings::ModeBy::Frequency) {
        const QString byFreq = RigParsers::modeByFrequency(m_lastFrequency);
        if (!byFreq.isEmpty())
            m_lastMode = byFreq;
    }
    if (m_lastFrequency.isValid())
        m_freqReadout = m_lastFrequency.toReadout();
    if (!m_lastMode.isEmpty())
        m_modeReadout = m_lastMode;
    m_rawReadout = m_settings.convertFromHex ? RigFrames::bytesToSpacedHex(m_buffer) : QString::fromLatin1(m_buffer);
    // The start of a frame still on its way is kept, so it joins its rest at the next read.
    const qsizetype tail = RigParsers::unfinishedTail(family, m_buffer);
    m_buffer = tail > 0 ? m_buffer.right(tail) : QByteArray();
    m_phase = 0;
    emit readoutsChanged();

    // Only a reply that was read whole moves the operating state; noise leaves it as it was.
    if (!gotReading)
        return;
    if (m_settings.useFrequency && m_lastFrequency.isValid())
        m_state.BandFreqConversion(m_lastFrequency);
    if (m_settings.modeBy != RigSettings::ModeBy::DontUse)
        m_state.ModeSelection(m_lastMode);
    emit readingTaken();
}

void RigPoller::ChangeFrequency(Frequency f)
{
    if (changing() && m_pausedForChange) {
        // A change is under way (a scan step, a second click): the newest frequency follows it.
        m_pendingFrequency = f;
        return;
    }
    if (!m_timer.isActive())
        return;
    m_timer.stop();
    m_pausedForChange = true;
    const RigFamily family = m_settings.family();
    if (family != RigFamily::Pegasus)
        linkRead();
    m_buffer.clear();
    m_phase = 0;
    appendModeSteps(f, QString());
    m_steps.push_back(WaitForSendDrain());
    m_steps.push_back(PauseMs(RigFrames::frequencyPauseMs(family)));
    if (family == RigFamily::Pegasus) {
        m_steps.push_back({Step::Call, 0, {}, [this, f] {
                               if (!writePegasusIn(m_settings.pegasusDir(), f, m_lastMode))
                                   emit failed(QStringLiteral("Error Changing Frequency"), kTitle, Dialogs::Icon::None);
                           }});
    } else {
        const QByteArray frame = RigFrames::frequencyFrame(family, f, m_settings.freqCommand, m_vfoFlag);
        m_steps.push_back({Step::Call, 0, {}, [this, frame] {
                               if (frame.isEmpty())
                                   return;
                               if (!linkOpen()) {
                                   emit failed(QStringLiteral("Error Changing Frequency"), kTitle, Dialogs::Icon::None);
                                   return;
                               }
                               linkWrite(frame);
                           }});
    }
    m_steps.push_back(WaitForSendDrain());
    m_steps.push_back({Step::Call, 0, {}, [this] {
                           m_pausedForChange = false;
                           if (linkOpen() || m_settings.family() == RigFamily::Pegasus)
                               m_timer.start();
                           if (m_pendingFrequency) {
                               const Frequency next = *m_pendingFrequency;
                               m_pendingFrequency.reset();
                               ChangeFrequency(next);
                           }
                       }});
    runSteps();
}

void RigPoller::ChangeMode(Frequency f, const QString& modeWord)
{
    if (m_settings.family() == RigFamily::None)
        return;
    appendModeSteps(f, modeWord);
    runSteps();
}

void RigPoller::appendModeSteps(Frequency f, QString modeWord)
{
    if (modeWord.isEmpty())
        modeWord = m_bandPlan.modeWordFor(f);
    if (modeWord.isEmpty())
        return;
    const auto frame =
        RigFrames::modeFrame(m_settings.family(), modeWord, m_settings.freqCommand, m_settings.modeCommand);
    m_steps.push_back(WaitForSendDrain());
    m_steps.push_back(PauseMs(99));
    if (frame)
        m_steps.push_back({Step::Send, 0, *frame, {}});
    m_steps.push_back(WaitForSendDrain());
}

RigPoller::Step RigPoller::PauseMs(int ms)
{
    return {Step::PauseMs, ms, {}, {}};
}

RigPoller::Step RigPoller::WaitForSendDrain()
{
    return {Step::WaitForSendDrain, 0, {}, {}};
}

void RigPoller::sendRaw(const QByteArray& bytes)
{
    linkWrite(bytes);
}

void RigPoller::runSteps()
{
    if (!m_stepRunning)
        nextStep();
}

void RigPoller::nextStep()
{
    m_stepTimer.disconnect();
    if (m_steps.empty()) {
        m_stepRunning = false;
        emit changeFinished();
        return;
    }
    m_stepRunning = true;
    Step s = std::move(m_steps.front());
    m_steps.pop_front();
    switch (s.kind) {
    case Step::Send:
        linkWrite(s.bytes);
        break;
    case Step::Call:
        s.call();
        break;
    case Step::PauseMs:
        connect(&m_stepTimer, &QTimer::timeout, this, &RigPoller::nextStep);
        m_stepTimer.start(s.ms);
        return;
    case Step::WaitForSendDrain:
        m_drainDeadline = sinceStart().elapsed() + kDrainLimitMs;
        drainPoll();
        return;
    }
    // Let window events run between steps, as a pause of nothing.
    connect(&m_stepTimer, &QTimer::timeout, this, &RigPoller::nextStep);
    m_stepTimer.start(0);
}

void RigPoller::drainPoll()
{
    m_stepTimer.disconnect();
    if (linkPending() < 1 || sinceStart().elapsed() >= m_drainDeadline) {
        connect(&m_stepTimer, &QTimer::timeout, this, &RigPoller::nextStep);
        m_stepTimer.start(0);
        return;
    }
    connect(&m_stepTimer, &QTimer::timeout, this, &RigPoller::drainPoll);
    m_stepTimer.start(1);
}

void RigPoller::linkFailed(const QString& reason)
{
    if (!polling())
        return;
    const bool rigctld = m_settings.family() == RigFamily::Rigctld;
    stop();
    m_freqReadout = kNoResponse;
    m_modeReadout = kNoResponse;
    emit readoutsChanged();
    if (rigctld)
        reportOnce(
            QStringLiteral("%1 rigctld at %2:%3 (%4). Start rigctld for your radio, then click Test to "
                           "connect again.")
                .arg(QLatin1String(m_rigctldUp ? "Lost the connection to" : "Cannot reach"), m_settings.rigctldHost)
                .arg(m_settings.rigctldPort)
                .arg(reason));
    else
        reportOnce(QStringLiteral("The rig port %1 stopped working (%2). The radio or its cable may have been "
                                  "unplugged. Polling has stopped; click Test to open the port again.")
                       .arg(m_port->devicePath(), reason));
}

void RigPoller::reportOnce(const QString& text)
{
    if (m_reported)
        return;
    m_reported = true;
    emit failed(text, kTitle, Dialogs::Icon::Warning);
}
