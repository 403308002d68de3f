#include "keying/VoiceKeyer.h"

#include "keying/KeyLine.h"
#include "keying/KeyLines.h"
#include "keying/WavePlayer.h"
#include "rig/SerialPort.h"
#include "util/Clock.h"

#include <QFileInfo>

VoiceKeyer::VoiceKeyer(QString dataDir, WavePlayer& player, const Clock& clock, QObject* parent)
    : QObject(parent), m_dataDir(std::move(dataDir)), m_player(player), m_clock(clock)
{
    openSerialLine = [](int port, bool dtr, QString* error) {
        return KeyLines::openSerial(port, dtr ? SerialKeyLine::Line::Dtr : SerialKeyLine::Line::Rts, error);
    };
    openPrinterLine = KeyLines::openPrinter;
    m_poll.setInterval(PollMs);
    connect(&m_poll, &QTimer::timeout, this, &VoiceKeyer::checkPlayback);
    // The end is also taken from the player's own notice, without waiting for the next poll.
    connect(&m_player, &WavePlayer::finished, this, &VoiceKeyer::checkPlayback);
    m_repeat.setSingleShot(true);
    connect(&m_repeat, &QTimer::timeout, this, &VoiceKeyer::repeatDue);
}

VoiceKeyer::~VoiceKeyer()
{
    setPtt(false);
}

void VoiceKeyer::loadSettings()
{
    m_settings.load(PhoneSettings::path(m_dataDir));
}

bool VoiceKeyer::saveSettings()
{
    return m_settings.save(PhoneSettings::path(m_dataDir));
}

bool VoiceKeyer::PhoneSetup()
{
    const int port = m_settings.portNumber();
    if (port <= 0)
        return true;
    releaseOtherPorts();
    releasePort();
    const bool dtr = m_settings.line == PhoneSettings::Dtr;
    QString error;
    m_serial = openSerialLine(port, dtr, &error);
    if (!m_serial) {
        const PortOpenFailure f = portOpenFailure(PortUser::Voice);
        emit setupFailed(f.text, f.title);
        return false;
    }
    m_serialFor = QStringLiteral("%1/%2").arg(port).arg(dtr);
    m_serialPort = port;
    return true;
}

void VoiceKeyer::releasePort()
{
    if (m_serial && m_serialKeyed)
        m_serial->setKeyDown(false);
    m_serialKeyed = false;
    m_serial.reset();
    m_serialFor.clear();
}

void VoiceKeyer::FKeyPhone(int keyCode)
{
    if (keyCode < 112 || keyCode > 120)
        return;
    // Cutting a message for the next must not drop PTT in between.
    m_switching = true;
    m_player.close();
    m_switching = false;
    if (keyCode == 112 && m_settings.repeatIntervalMs() > 0)
        m_repeatArmed = true;
    const QString path = m_settings.files[size_t(keyCode - 112)].trimmed();
    if (path.isEmpty() || !QFileInfo(path).isFile() || !m_player.open(path)) {
        // What was playing has been cut: let its PTT go as its end would.
        checkPlayback();
        return;
    }
    m_repeat.stop();
    m_repeatDueMs = -1;
    setPtt(true);
    m_player.play();
    m_poll.start();
}

bool VoiceKeyer::playBack(int index)
{
    m_switching = true;
    m_player.close();
    m_switching = false;
    checkPlayback(); // a message cut here lets its PTT go
    const QString path = m_settings.files[size_t(index)].trimmed();
    if (path.isEmpty() || !QFileInfo(path).isFile() || !m_player.open(path))
        return false;
    m_player.play();
    return true;
}

bool VoiceKeyer::playTest()
{
    FKeyPhone(112);
    return m_repeatArmed;
}

void VoiceKeyer::stopPlayback()
{
    m_player.stop();
    checkPlayback();
}

void VoiceKeyer::stopRepeat()
{
    m_repeatArmed = false;
    m_repeat.stop();
    m_repeatDueMs = -1;
}

void VoiceKeyer::checkPlayback()
{
    if (m_switching || m_player.playing())
        return;
    m_poll.stop();
    if (!m_pttDown)
        return;
    setPtt(false);
    const int interval = m_settings.repeatIntervalMs();
    if (m_repeatArmed && interval > 0) {
        m_repeatDueMs = m_clock.monotonicMs() + interval;
        m_repeat.start(interval);
    }
}

void VoiceKeyer::repeatDue()
{
    if (m_repeatDueMs < 0)
        return;
    const qint64 left = m_repeatDueMs - m_clock.monotonicMs();
    if (left > 0) {
        m_repeat.start(static_cast<int>(left));
        return;
    }
    m_repeatDueMs = -1;
    FKeyPhone(112);
}

bool VoiceKeyer::playing() const
{
    return m_player.playing();
}

void VoiceKeyer::setPtt(bool down)
{
    if (down == m_pttDown)
        return;
    if (down) {
        if (m_settings.portNumber() > 0) {
            const QString wanted =
                QStringLiteral("%1/%2").arg(m_settings.portNumber()).arg(m_settings.line == PhoneSettings::Dtr);
            if (!m_serial || m_serialFor != wanted)
                PhoneSetup();
            if (m_serial) {
                m_serial->setKeyDown(true);
                m_serialKeyed = true;
            }
        }
        if (m_settings.line == PhoneSettings::Parallel) {
            if (!m_printer || m_printerFor != m_settings.printerAddress) {
                QString error;
                m_printer = openPrinterLine(m_settings.printerAddress, &error);
                m_printerFor = m_settings.printerAddress;
            }
            if (m_printer) {
                m_printer->setKeyDown(true);
                m_printerKeyed = true;
            }
        }
    } else {
        // Whatever was keyed is released, even when the settings changed meanwhile.
        if (m_serial && m_serialKeyed)
            m_serial->setKeyDown(false);
        if (m_printer && m_printerKeyed)
            m_printer->setKeyDown(false);
        m_serialKeyed = m_printerKeyed = false;
    }
    m_pttDown = down;
    emit pttChanged(down);
}

void VoiceKeyer::cancelRepeat()
{
    if (m_repeatArmed)
        stopRepeat();
}

bool VoiceKeyer::windowKey(Key key, bool shift, const QString& mode)
{
    cancelRepeat();
    if (mode == QLatin1String("PH")) {
        if (key >= Key::F1 && key <= Key::F9) {
            FKeyPhone(112 + static_cast<int>(key));
            return true;
        }
        if (key == Key::F10)
            return true;
        if (key == Key::Escape && playing()) {
            stopPlayback();
            return true;
        }
    }
    // Back in CW: a WinKey that gave PTT its port takes it again.
    if (mode == QLatin1String("CW") && m_serial)
        returnOtherPorts();
    return next && next->windowKey(key, shift, mode);
}

bool VoiceKeyer::typedKey(int key, const QString& mode)
{
    cancelRepeat();
    return next && next->typedKey(key, mode);
}
