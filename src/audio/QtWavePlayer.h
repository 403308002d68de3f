#pragma once

#include "keying/WavePlayer.h"

#include <QTimer>
#include <memory>

class QSoundEffect;

// Plays wave files through Qt Multimedia on the default output. A sound that cannot start
// (no output device, a broken file) ends at once, and one the backend never reports ended
// is stopped a little after its length, so PTT is never held for good.
class QtWavePlayer final : public WavePlayer {
    Q_OBJECT
public:
    explicit QtWavePlayer(QObject* parent = nullptr);
    ~QtWavePlayer() override;

    bool open(const QString& path) override;
    void play() override;
    void stop() override;
    void close() override;
    bool playing() const override { return m_active; }

private:
    void effectChanged();
    void end();

    std::unique_ptr<QSoundEffect> m_effect;
    qint64 m_lengthMs = 0;
    bool m_active = false;
    bool m_started = false; // the backend has reported it playing
    QTimer m_guard;
};
