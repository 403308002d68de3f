#include "audio/QtWavePlayer.h"

#include "keying/WaveFile.h"

#include <QSoundEffect>
#include <QUrl>

QtWavePlayer::QtWavePlayer(QObject* parent) : WavePlayer(parent)
{
    m_guard.setSingleShot(true);
    connect(&m_guard, &QTimer::timeout, this, &QtWavePlayer::stop);
}

QtWavePlayer::~QtWavePlayer()
{
    // The effect reports its own teardown, after our timer is gone and with nobody left to tell.
    if (m_effect)
        m_effect->disconnect(this);
}

bool QtWavePlayer::open(const QString& path)
{
    close();
    const std::optional<WaveFormat> format = WaveFile::readFormat(path);
    if (!format)
        return false;
    m_lengthMs = format->lengthMs();
    // A fresh effect per file: a reused one may still report the old sound's state.
    m_effect = std::make_unique<QSoundEffect>();
    connect(m_effect.get(), &QSoundEffect::playingChanged, this, &QtWavePlayer::effectChanged);
    connect(m_effect.get(), &QSoundEffect::statusChanged, this, &QtWavePlayer::effectChanged);
    // Built-in prompts are resources.
    m_effect->setSource(path.startsWith(QStringLiteral(":/")) ? QUrl(QStringLiteral("qrc") + path)
                                                              : QUrl::fromLocalFile(path));
    return true;
}

void QtWavePlayer::play()
{
    if (!m_effect)
        return;
    m_active = true;
    m_started = false;
    m_guard.start(static_cast<int>(m_lengthMs + 5000));
    m_effect->play();
    effectChanged();
}

void QtWavePlayer::stop()
{
    if (m_effect)
        m_effect->stop();
    end();
}

void QtWavePlayer::close()
{
    stop();
    // The effect may be the one whose signal brought us here: let it go once that returns.
    if (m_effect) {
        m_effect->disconnect(this);
        m_effect.release()->deleteLater();
    }
}

void QtWavePlayer::effectChanged()
{
    if (!m_active || !m_effect)
        return;
    if (m_effect->status() == QSoundEffect::Error) {
        end();
        return;
    }
    if (m_effect->isPlaying())
        m_started = true;
    else if (m_started)
        end();
}

void QtWavePlayer::end()
{
    m_guard.stop();
    if (!m_active)
        return;
    m_active = false;
    m_started = false;
    emit finished();
}
