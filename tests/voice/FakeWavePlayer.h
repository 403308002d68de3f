#pragma once

#include "keying/KeyLine.h"
#include "keying/WavePlayer.h"
#include "util/Clock.h"

#include <QStringList>
#include <functional>
#include <vector>

// Plays nothing: records the commands and ends a sound when the test says so.
class FakeWavePlayer final : public WavePlayer {
public:
    bool open(const QString& path) override
    {
        calls << QStringLiteral("open ") + path.section(QLatin1Char('/'), -1);
        m_open = true;
        return true;
    }
    void play() override
    {
        calls << QStringLiteral("play");
        onPlay();
        m_playing = m_open;
    }
    void stop() override { end(true); }
    void close() override { m_playing = m_open = false; }
    bool playing() const override { return m_playing; }

    // The sound ends; with `notify` the player says so, otherwise only a poll sees it.
    void end(bool notify)
    {
        const bool was = m_playing;
        m_playing = false;
        if (was && notify)
            emit finished();
    }

    QStringList calls;
    std::function<void()> onPlay = [] {};

private:
    bool m_open = false;
    bool m_playing = false;
};

// A key line that keeps each change with the clock's millisecond count.
class ClockedKeyLine final : public KeyLine {
public:
    explicit ClockedKeyLine(const Clock& clock) : m_clock(clock) {}
    void setKeyDown(bool down) override
    {
        if (events.empty() || events.back().first != down)
            events.emplace_back(down, m_clock.monotonicMs());
    }
    bool down() const { return !events.empty() && events.back().first; }
    std::vector<std::pair<bool, qint64>> events;

private:
    const Clock& m_clock;
};
