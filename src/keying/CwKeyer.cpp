#include "keying/CwKeyer.h"

#include "keying/CwMacros.h"
#include "keying/CwdaemonClient.h"
#include "keying/KeyLines.h"
#include "keying/KeyingEngine.h"
#include "keying/MorseCode.h"
#include "keying/WinKeyClient.h"
#include "keying/WinKeySender.h"
#include "rig/SerialPort.h"

namespace {

std::shared_ptr<KeyLine> openRealKeyLine(const CwSettings& s, QString* error)
{
    if (s.output == CwSettings::Rts || s.output == CwSettings::Dtr)
        return KeyLines::openSerial(
            s.port.toInt(), s.output == CwSettings::Rts ? SerialKeyLine::Line::Rts : SerialKeyLine::Line::Dtr, error);
    if (s.output == CwSettings::Printer)
        return KeyLines::openPrinter(s.printerAddress, error);
    return nullptr;
}

} // namespace

CwKeyer::CwKeyer(QString dataDir, UserSettingsStore store, KeyingClock& clock, QObject* parent)
    : QObject(parent), m_dataDir(std::move(dataDir)), m_store(std::move(store)),
      m_engine(std::make_unique<KeyingEngine>(m_buffer, clock)), m_winKey(std::make_unique<WinKeyClient>()),
      m_winKeySender(std::make_unique<WinKeySender>(m_buffer, *m_winKey))
{
    openKeyLine = openRealKeyLine;
    m_winKeySender->openKeyer = [this] { openWinKey(); };
    connect(m_winKey.get(), &WinKeyClient::opened, this, [this](int result, int version) {
        if (result == WinKeyClient::Success)
            m_winKeySettings.applyAll(*m_winKey);
        emit winKeyOpened(result, version);
    });
    m_repeat.setSingleShot(true);
    connect(&m_repeat, &QTimer::timeout, this, [this] { FKeyCW(112); });
    connect(m_engine.get(), &KeyingEngine::logContactReached, this, [this] {
        if (!hisCall().isEmpty())
            logContact();
    });
    connect(m_engine.get(), &KeyingEngine::characterSent, this, [this](const QString& rest) {
        if (m_settings.displayOnMain)
            showDialog(rest);
    });
    connect(m_engine.get(), &KeyingEngine::runFinished, this, &CwKeyer::runFinished);
    connect(m_engine.get(), &KeyingEngine::lineReopened, this, [this](bool ok) {
        if (ok) {
            m_reopenFailShown = false;
            claimPort(m_settings.port.toInt());
        } else if (!m_reopenFailShown) {
            m_reopenFailShown = true;
            reportBadPort();
        }
    });
}

CwKeyer::~CwKeyer() = default;

void CwKeyer::LoadCWSettings()
{
    m_settings.load(CwSettings::path(m_dataDir));
    m_settings.loadUserValues(m_store);
    m_winKeySettings.load(WinKeySettings::path(m_dataDir));
    apply();
}

bool CwKeyer::saveSettings()
{
    m_settings.saveUserValues(m_store);
    return m_settings.save(CwSettings::path(m_dataDir));
}

void CwKeyer::apply()
{
    m_engine->setSpeed(m_settings.speed());
    m_engine->setWordSpace(m_settings.wordSpace.toInt());
    m_engine->setTiming(m_settings.timing == QLatin1String("Sleep")  ? KeyingEngine::Timing::Sleep
                        : m_settings.timing == QLatin1String("Loop") ? KeyingEngine::Timing::Loop
                                                                     : KeyingEngine::Timing::Timer);
    m_engine->setLoopCount(m_settings.loopCount);
    m_repeat.setInterval(CwSettings::repeatIntervalMs(m_settings.repeatSeconds));
    sendSpeedToWinKey();
    const QString openedFor =
        QStringLiteral("%1/%2/%3").arg(m_settings.output).arg(m_settings.port, m_settings.printerAddress);
    if (openedFor != m_openedFor)
        CWSetup();
}

bool CwKeyer::CWSetup()
{
    m_openedFor = QStringLiteral("%1/%2/%3").arg(m_settings.output).arg(m_settings.port, m_settings.printerAddress);
    m_engine->setKeyLine(nullptr);
    m_cwdaemon.reset();
    if (m_settings.output == CwSettings::Cwdaemon) {
        m_cwdaemon = std::make_unique<CwdaemonClient>();
        if (!m_cwdaemon->setTarget(m_settings.cwdaemonHost)) {
            m_cwdaemon.reset();
            emit setupFailed(QStringLiteral("The cwdaemon address %1 is not HOST:PORT.").arg(m_settings.cwdaemonHost),
                             QStringLiteral("Invalid port."));
            return false;
        }
        connect(m_cwdaemon.get(), &CwdaemonClient::logMarkReached, this, [this] {
            if (!hisCall().isEmpty())
                logContact();
        });
        return true;
    }
    const bool wantsLine = m_settings.output == CwSettings::Rts || m_settings.output == CwSettings::Dtr ||
                           m_settings.output == CwSettings::Printer;
    if (!wantsLine || (m_settings.output != CwSettings::Printer && m_settings.port.toInt() <= 0))
        return true;
    if (serialLineOutput())
        claimPort(m_settings.port.toInt());
    QString error;
    std::shared_ptr<KeyLine> line = openKeyLine(m_settings, &error);
    if (!line) {
        reportBadPort();
        return false;
    }
    m_engine->setKeyLine(std::move(line));
    return true;
}

void CwKeyer::reportBadPort()
{
    const PortOpenFailure f = portOpenFailure(PortUser::Cw);
    emit setupFailed(f.text, f.title);
}

void CwKeyer::givePortTo(int port)
{
    if (port <= 0)
        return;
    if (serialLineOutput() && m_settings.port.toInt() == port && m_engine->keyLine()) {
        m_engine->releaseLine([open = openKeyLine, settings = m_settings] {
            QString error;
            return open(settings, &error);
        });
    }
    if ((m_winKey->isOpen() || m_winKey->isOpening()) && m_winKeySettings.port == port) {
        m_winKey->close();
        m_winKeyGaveWay = true;
    }
}

void CwKeyer::takeBackPort()
{
    if (m_winKeyGaveWay && m_settings.output == CwSettings::WinKey && !m_winKey->isOpen() && !m_winKey->isOpening())
        openWinKey();
    m_winKeyGaveWay = false;
}

void CwKeyer::FKeyCW(int keyCode)
{
    if (outputNone())
        return;
    m_buffer.clear();
    int index = -1;
    if (keyCode >= 112 && keyCode <= 120)
        index = keyCode - 112;
    else if (keyCode == 124)
        index = 9;
    else if (keyCode == 122)
        index = 10;
    if (index < 0)
        return;
    if (index == 0 && CwSettings::repeatIntervalMs(m_settings.repeatSeconds) > 0)
        m_buffer.repeatArmed = true;
    const QString message = m_settings.messages[size_t(index)];
    if (message.isEmpty())
        return;
    m_buffer.append(CwMacros::expand(message, hisCall(), m_number, m_report));
    LoopThroughCWBuffer();
}

void CwKeyer::openWinKey()
{
    // The keyer and the key line may be the same port.
    m_engine->setKeyLine(nullptr);
    m_openedFor.clear();
    m_winKeyGaveWay = false;
    claimPort(m_winKeySettings.port);
    m_winKeySettings.wpm = m_settings.wpm;
    m_winKey->open(winKeyDevice(m_winKeySettings.port));
}

void CwKeyer::sendSpeedToWinKey()
{
    const double wpm = m_settings.speed();
    if (m_settings.output == CwSettings::WinKey && m_winKey->isOpen() && wpm > 4 && wpm < 100)
        m_winKey->setSpeed(int(wpm));
}

bool CwKeyer::winKeyBusy() const
{
    return m_settings.output == CwSettings::WinKey && m_winKey->isOpen() && m_winKey->status() > 0;
}

void CwKeyer::LoopThroughCWBuffer()
{
    if (m_settings.output == CwSettings::WinKey) {
        // The keyer times the text: the contact is logged as it is handed over.
        if (!hisCall().isEmpty() && m_buffer.text().contains(QChar(MorseCode::LogMark)))
            logContact();
        m_winKeySender->WKTransmit();
        if (m_buffer.repeatArmed && m_repeat.interval() > 0)
            m_repeat.start();
        return;
    }
    if (!m_cwdaemon) {
        m_engine->LoopThroughCWBuffer();
        return;
    }
    // The daemon times the keying: hand the whole text over, then the repeat counts from here.
    const QString text = m_buffer.text();
    m_buffer.clear();
    m_cwdaemon->setSpeed(static_cast<int>(m_settings.speed()));
    m_cwdaemon->send(text);
    if (m_buffer.repeatArmed && m_repeat.interval() > 0)
        m_repeat.start();
}

void CwKeyer::stop()
{
    m_buffer.clear();
    if (m_cwdaemon)
        m_cwdaemon->abort();
}

void CwKeyer::UpDown1_UpClick()
{
    m_settings.wpm = QString::number(m_settings.speed() + 1);
    m_engine->setSpeed(m_settings.speed());
    sendSpeedToWinKey();
}

void CwKeyer::UpDown1_DownClick()
{
    m_settings.wpm = QString::number(m_settings.speed() - 1);
    m_engine->setSpeed(m_settings.speed());
    sendSpeedToWinKey();
}

void CwKeyer::cancelRepeat()
{
    if (!m_buffer.repeatArmed)
        return;
    if (m_winKey->isOpen())
        m_winKey->clearBuffer();
    m_buffer.clear();
    m_buffer.repeatArmed = false;
    m_repeat.stop();
}

void CwKeyer::runFinished()
{
    m_reopenFailShown = false;
    // A run ended but a key may already have started the next one.
    if (m_buffer.sending())
        return;
    if (m_buffer.repeatArmed && m_repeat.interval() > 0)
        m_repeat.start();
    if (m_settings.displayOnMain)
        showDialog(m_buffer.keyboardCw ? QStringLiteral("Keyboard CW Mode is on.  Press F12 to exit.") : QString());
}

void CwKeyer::showDialog(const QString& text, quint32 colour)
{
    emit dialogShown(LabelView{text, colour});
}

bool CwKeyer::windowKey(Key key, bool, const QString& mode)
{
    cancelRepeat();
    if (key == Key::Escape) {
        if (winKeyBusy()) {
            m_winKey->clearBuffer();
            m_buffer.clear();
            return true;
        }
        if (m_cwdaemon)
            m_cwdaemon->abort();
        if (!sending())
            return false;
        m_buffer.clear();
        return true;
    }
    if (mode != QLatin1String("CW") || outputNone())
        return false;
    switch (key) {
    case Key::Up:
    case Key::Down:
        key == Key::Up ? UpDown1_UpClick() : UpDown1_DownClick();
        showDialog(m_settings.wpm + QStringLiteral(" WPM"));
        return true;
    case Key::F12:
        m_buffer.keyboardCw = !m_buffer.keyboardCw;
        if (m_buffer.keyboardCw)
            showDialog(QStringLiteral("Keyboard CW mode is ON!  Press F12 to exit keyboard CW mode."),
                       KeyboardCwColour);
        else
            showDialog(QString(), DisplayColours::Panel);
        return true;
    case Key::F10:
        FKeyCW(124);
        return true;
    default:
        FKeyCW(112 + static_cast<int>(key));
        return true;
    }
}

bool CwKeyer::typedKey(int key, const QString& mode)
{
    cancelRepeat();
    if (!m_buffer.keyboardCw || mode != QLatin1String("CW"))
        return false;
    if (key == 8) {
        if (winKeyBusy())
            m_winKey->backspace();
        else if (sending())
            m_buffer.removeLast();
        return true;
    }
    if (key < 32 || key > 126)
        return false;
    m_buffer.append(QString(QChar(key).toUpper()));
    if (!sending())
        LoopThroughCWBuffer();
    return true;
}
