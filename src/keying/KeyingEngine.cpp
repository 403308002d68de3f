#include "keying/KeyingEngine.h"

#include "keying/CwSendBuffer.h"
#include "keying/KeyLine.h"
#include "keying/KeyingClock.h"
#include "keying/MorseCode.h"

#include <QThread>
#include <cmath>
#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>

namespace {

// The empty loop the Loop timing counts; volatile keeps the compiler from removing it.
void spinPasses(double passes)
{
    volatile double i = 0;
    while (i < passes)
        i = i + 1;
}

} // namespace

KeyingEngine::KeyingEngine(CwSendBuffer& buffer, KeyingClock& clock, QObject* parent)
    : QObject(parent), m_buffer(buffer), m_clock(clock)
{
    m_thread = QThread::create([this] { run(); });
    m_thread->setObjectName(QStringLiteral("keying"));
    m_thread->start(QThread::TimeCriticalPriority);
}

KeyingEngine::~KeyingEngine()
{
    m_buffer.clear();
    {
        std::lock_guard lock(m_wakeMutex);
        m_quit = true;
    }
    m_wake.notify_one();
    m_thread->wait();
    delete m_thread;
}

void KeyingEngine::setKeyLine(std::shared_ptr<KeyLine> line)
{
    std::lock_guard lock(m_lineMutex);
    m_line = std::move(line);
    m_reopen = nullptr;
}

void KeyingEngine::releaseLine(std::function<std::shared_ptr<KeyLine>()> reopen)
{
    std::lock_guard lock(m_lineMutex);
    m_line.reset();
    m_reopen = std::move(reopen);
}

std::shared_ptr<KeyLine> KeyingEngine::keyLine() const
{
    std::lock_guard lock(m_lineMutex);
    return m_line;
}

void KeyingEngine::LoopThroughCWBuffer()
{
    if (!m_buffer.beginRun())
        return;
    {
        std::lock_guard lock(m_wakeMutex);
        m_work = true;
    }
    m_wake.notify_one();
}

void KeyingEngine::run()
{
    // A real-time thread is woken on time even when every core is busy; without the right to
    // one (no CAP_SYS_NICE, no rtprio limit) the thread keeps its ordinary priority. The timer
    // slack (50 µs by default) would otherwise be added to every sleep of an ordinary thread.
    sched_param param{};
    param.sched_priority = std::min(50, sched_get_priority_max(SCHED_FIFO));
    m_realTime = pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    for (;;) {
        {
            std::unique_lock lock(m_wakeMutex);
            m_wake.wait(lock, [this] { return m_work || m_quit; });
            if (m_quit)
                return;
            m_work = false;
        }
        // One schedule for the whole run: each character starts at the deadline the one
        // before it ended on, so waking late once does not push the rest back.
        qint64 deadline = m_clock.nowNs();
        // The next character is taken just before this one's last element ends (within the
        // clock's spin margin), so its first edge does not wait for the buffer's lock or the
        // queued signal.
        std::optional<QChar> next;
        bool taken = false;
        const std::function<void()> boundary = [&] {
            QMetaObject::invokeMethod(
                this, [this, rest = m_buffer.text()] { emit characterSent(rest); }, Qt::QueuedConnection);
            next = m_buffer.takeFirstOrEndRun();
            taken = true;
        };
        std::optional<QChar> ch = m_buffer.takeFirstOrEndRun();
        while (ch) {
            taken = false;
            if (*ch == QChar(MorseCode::LogMark))
                QMetaObject::invokeMethod(
                    this, [this] { emit logContactReached(); }, Qt::QueuedConnection);
            else
                sendCharacter(*ch, deadline, boundary);
            if (!taken)
                boundary();
            ch = next;
        }
        QMetaObject::invokeMethod(
            this, [this] { emit runFinished(); }, Qt::QueuedConnection);
    }
}

void KeyingEngine::sendCharacter(QChar ch, qint64& deadline, const std::function<void()>& boundary)
{
    const QByteArray elements = ch == QLatin1Char(' ') ? MorseCode::wordSpace(m_wordSpace) : MorseCode::elements(ch);
    if (elements.isEmpty())
        return;
    std::shared_ptr<KeyLine> line = keyLine();
    if (!line)
        line = reopenLine();
    const double elementMs = MorseCode::elementMs(m_wpm);
    if (elementMs <= 0) {
        // No element time at this speed: the character is abandoned, the line left up.
        if (line)
            line->setKeyDown(false);
        return;
    }
    const qint64 elementNs = std::llround(elementMs * 1e6);
    // Held up for more than an element: start afresh rather than rush what follows.
    deadline = std::max(deadline, m_clock.nowNs() - elementNs);
    static const std::function<void()> nothing;
    for (qsizetype i = 0; i < elements.size(); ++i) {
        if (line)
            line->setKeyDown(elements[i] == '1');
        deadline += elementNs;
        waitElement(deadline, elementMs, i + 1 == elements.size() ? boundary : nothing);
    }
}

std::shared_ptr<KeyLine> KeyingEngine::reopenLine()
{
    std::function<std::shared_ptr<KeyLine>()> reopen;
    {
        std::lock_guard lock(m_lineMutex);
        reopen = m_reopen;
    }
    if (!reopen)
        return nullptr;
    const std::shared_ptr<KeyLine> line = reopen();
    QMetaObject::invokeMethod(
        this, [this, ok = bool(line)] { emit lineReopened(ok); }, Qt::QueuedConnection);
    std::lock_guard lock(m_lineMutex);
    // Unless the owner set another line (or none) meanwhile.
    if (line && !m_line && m_reopen) {
        m_line = line;
        m_reopen = nullptr;
    }
    return m_line;
}

void KeyingEngine::waitElement(qint64 deadline, double elementMs, const std::function<void()>& beforeEdge)
{
    switch (m_timing.load()) {
    case Timing::Timer:
        m_clock.waitUntilNs(deadline, beforeEdge);
        return;
    case Timing::Sleep:
        m_clock.sleepNs(qint64(std::nearbyint(elementMs)) * 1'000'000);
        break;
    case Timing::Loop:
        spinPasses(m_loopCount / 60.0 * elementMs);
        break;
    }
    if (beforeEdge)
        beforeEdge();
}

double KeyingEngine::CalibrateLoop(KeyingClock& clock)
{
    const qint64 start = clock.nowNs();
    spinPasses(5'000'000);
    const double elapsedMs = double(clock.nowNs() - start) / 1e6;
    return elapsedMs > 0 ? std::nearbyint(5'000'000 / elapsedMs * 60) : 0;
}
