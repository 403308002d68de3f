#include "keying/RecordingKeyLine.h"

#include "keying/KeyingClock.h"

void RecordingKeyLine::setKeyDown(bool down)
{
    int calls = 0;
    {
        std::lock_guard lock(m_mutex);
        m_events.push_back({down, m_clock.nowNs()});
        calls = static_cast<int>(m_events.size());
    }
    if (onCall)
        onCall(calls);
}

std::vector<RecordingKeyLine::Event> RecordingKeyLine::events() const
{
    std::lock_guard lock(m_mutex);
    return m_events;
}

void RecordingKeyLine::clear()
{
    std::lock_guard lock(m_mutex);
    m_events.clear();
}

std::vector<RecordingKeyLine::Run> RecordingKeyLine::runs(qint64 endNs) const
{
    const std::vector<Event> ev = events();
    std::vector<Run> out;
    for (size_t i = 0; i < ev.size(); ++i) {
        if (i > 0 && ev[i].down == ev[i - 1].down)
            continue;
        size_t next = i + 1;
        while (next < ev.size() && ev[next].down == ev[i].down)
            ++next;
        const qint64 end = next < ev.size() ? ev[next].atNs : endNs;
        out.push_back({ev[i].down, end - ev[i].atNs});
    }
    return out;
}
