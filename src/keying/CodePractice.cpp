#include "keying/CodePractice.h"

#include "keying/CwKeyer.h"
#include "keying/KeyingEngine.h"
#include "keying/WinKeySender.h"

#include <QTimer>

CodePractice::CodePractice(CwKeyer& keyer, QObject* parent) : QObject(parent), m_keyer(keyer)
{
    const auto keyed = [this] {
        if (m_waiting && !m_keyer.sending()) {
            m_waiting = false;
            next();
        }
    };
    connect(&m_keyer.engine(), &KeyingEngine::runFinished, this, keyed);
    connect(&m_keyer.winKeySender(), &WinKeySender::runFinished, this, keyed);
}

const QString& CodePractice::characters()
{
    static const QString table = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,?/-");
    return table;
}

QString CodePractice::generate(QString& groups, QString& perGroup, bool lettersOnly, std::mt19937& random)
{
    bool ok = false;
    groups.toInt(&ok);
    if (!ok)
        groups = QStringLiteral("10");
    perGroup.toInt(&ok);
    if (!ok)
        perGroup = QStringLiteral("5");
    std::uniform_int_distribution<int> pick(0, lettersOnly ? 25 : int(characters().size()) - 1);
    QString text;
    for (int g = 0; g < groups.toInt(); ++g) {
        for (int i = 0; i < perGroup.toInt(); ++i)
            text += characters()[pick(random)];
        text += QLatin1Char(' ');
    }
    return text;
}

void CodePractice::send(std::function<QString()> currentText)
{
    m_text = std::move(currentText);
    m_position = 0;
    m_running = true;
    if (!m_waiting)
        next();
}

void CodePractice::stop()
{
    m_running = false;
    m_keyer.buffer().clear();
}

void CodePractice::next()
{
    const QString text = m_running ? m_text() : QString();
    if (!m_running || m_position >= text.size()) {
        const bool wasRunning = m_running;
        m_running = false;
        if (wasRunning || m_position > 0)
            emit finished();
        m_position = 0;
        return;
    }
    const QChar ch = text[m_position++];
    m_keyer.buffer().replace(QString(ch));
    if (!m_keyer.sending())
        m_keyer.LoopThroughCWBuffer();
    emit sent(ch, m_position);
    // Outputs that take the text at once (cwdaemon) have no run to wait for.
    m_waiting = m_keyer.sending();
    if (!m_waiting)
        QTimer::singleShot(0, this, &CodePractice::next);
}

bool CodePractice::typeAhead(int key)
{
    if (key == 8)
        return m_keyer.buffer().removeLast();
    m_keyer.buffer().append(QString(QChar(key)));
    if (!m_keyer.sending())
        m_keyer.LoopThroughCWBuffer();
    return true;
}
