#include "keying/VoicePrompter.h"

#include "keying/WavePlayer.h"

#include <QFileInfo>

VoicePrompter::VoicePrompter(QString dataDir, WavePlayer& player, QObject* parent)
    : QObject(parent), m_dataDir(std::move(dataDir)), m_player(player)
{
    m_poll.setInterval(40);
    connect(&m_poll, &QTimer::timeout, this, &VoicePrompter::checkPlayback);
    connect(&m_player, &WavePlayer::finished, this, &VoicePrompter::checkPlayback);
}

QString VoicePrompter::promptPath(const QString& dataDir, const QString& name)
{
    return dataDir + QLatin1Char('/') + name + QStringLiteral(".wav");
}

QString VoicePrompter::promptFile(const QString& name) const
{
    const QString own = promptPath(m_dataDir, name);
    if (QFileInfo(own).isFile())
        return own;
    const QString builtIn = QStringLiteral(":/fdlog/prompts/") + name + QStringLiteral(".wav");
    return QFileInfo::exists(builtIn) ? builtIn : QString();
}

bool VoicePrompter::start(const QString& name)
{
    m_player.close();
    const QString path = promptFile(name);
    if (path.isEmpty() || !m_player.open(path))
        return false;
    m_player.play();
    return true;
}

void VoicePrompter::BlindKeyPhone(const QString& name)
{
    if (m_holding) {
        m_waiting.append(name);
        return;
    }
    start(name);
}

void VoicePrompter::playWhole(const QString& name)
{
    if (m_holding) {
        m_waiting.append(QLatin1Char('!') + name);
        return;
    }
    if (start(name)) {
        m_holding = true;
        m_poll.start();
    }
}

void VoicePrompter::entryPrompt(const QString& name, int level)
{
    if (name != QLatin1String("Dupe"))
        BlindKeyPhone(name);
    else if (level >= CallOnly)
        playWhole(name);
    else if (QFileInfo(promptPath(m_dataDir, name)).isFile())
        BlindKeyPhone(name); // with navigation off only a file the operator put there speaks
}

void VoicePrompter::levelChosen(int level)
{
    if (level == Off) {
        BlindKeyPhone(QStringLiteral("NavDis"));
    } else if (level == AllFields) {
        BlindKeyPhone(QStringLiteral("NavEn"));
    } else {
        playWhole(QStringLiteral("NavEn"));
        BlindKeyPhone(QStringLiteral("Call"));
    }
}

void VoicePrompter::checkPlayback()
{
    if (!m_holding || m_player.playing())
        return;
    m_poll.stop();
    m_holding = false;
    while (!m_waiting.isEmpty() && !m_holding) {
        const QString next = m_waiting.takeFirst();
        if (next.startsWith(QLatin1Char('!')))
            playWhole(next.mid(1));
        else
            BlindKeyPhone(next);
    }
}
