// fdlog-cli cw: keys a text through a keyer before the event, to check the wiring.
#include "cli/CliCommand.h"
#include "cli/CliReporter.h"
#include "keying/CwSendBuffer.h"
#include "keying/CwdaemonClient.h"
#include "keying/KeyingClock.h"
#include "keying/KeyingEngine.h"
#include "keying/MorseCode.h"
#include "keying/ParallelKeyLine.h"
#include "keying/SerialKeyLine.h"
#include "keying/WinKeyClient.h"
#include "keying/WinKeyProtocol.h"
#include "keying/WinKeySender.h"

#include <QEventLoop>
#include <QTimer>
#include <cmath>

namespace {

// How long the text takes at `wpm`, in ms.
qint64 keyingMs(const QString& text, int wpm)
{
    qint64 elements = 0;
    for (const QChar c : text)
        elements += (c == QLatin1Char(' ') ? MorseCode::wordSpace(0) : MorseCode::elements(c)).size();
    return std::llround(double(elements) * MorseCode::elementMs(wpm));
}

int keyLocally(std::shared_ptr<KeyLine> line, const QString& text, int wpm)
{
    MonotonicKeyingClock clock;
    CwSendBuffer buffer;
    KeyingEngine engine(buffer, clock);
    engine.setKeyLine(std::move(line));
    engine.setSpeed(wpm);
    QEventLoop loop;
    QObject::connect(&engine, &KeyingEngine::runFinished, &loop, &QEventLoop::quit);
    buffer.replace(text);
    engine.LoopThroughCWBuffer();
    loop.exec();
    return ExitOk;
}

int keyThroughCwdaemon(const QString& target, const QString& text, int wpm, CliReporter& r)
{
    CwdaemonClient client;
    if (!client.setTarget(target))
        return r.usageError(QStringLiteral("--port must be HOST:PORT for cwdaemon"));
    QEventLoop loop;
    bool answered = false;
    QObject::connect(&client, &CwdaemonClient::echoed, &loop, [&](const QString& tag) {
        if (tag == QLatin1String("fdlog-end")) {
            answered = true;
            loop.quit();
        }
    });
    QTimer::singleShot(keyingMs(text, wpm) + 2000, &loop, &QEventLoop::quit);
    client.setSpeed(wpm);
    client.send(text);
    client.requestEcho(QStringLiteral("fdlog-end"));
    loop.exec();
    if (!answered)
        return r.fail(QStringLiteral("no answer from cwdaemon at %1").arg(client.target()));
    return ExitOk;
}

int keyThroughWinKey(const QString& device, const QString& text, int wpm, CliReporter& r)
{
    WinKeyClient keyer;
    CwSendBuffer buffer;
    WinKeySender sender(buffer, keyer);
    QEventLoop loop;
    int result = WinKeyClient::NotOpen;
    QObject::connect(&keyer, &WinKeyClient::opened, &loop, [&](int code) {
        result = code;
        loop.quit();
    });
    keyer.open(device);
    if (keyer.isOpening())
        loop.exec();
    if (result == WinKeyClient::ComOpenFailed)
        return r.fail(QStringLiteral("cannot open %1").arg(device));
    if (result == WinKeyClient::NoEcho)
        return r.fail(QStringLiteral("no WinKey answered the echo test on %1").arg(device));
    if (result != WinKeyClient::Success)
        return r.fail(
            QStringLiteral("the WinKey on %1 did not open: %2").arg(device, WinKeyProtocol::openResultText(result)));
    keyer.setSpeed(wpm);
    // Once everything is handed over, a status request is answered after the last character
    // has reached the keyer: from then on an idle status means it has all been keyed.
    bool handedOver = false;
    bool done = false;
    QObject::connect(&sender, &WinKeySender::runFinished, &loop, [&] {
        handedOver = true;
        keyer.requestStatus();
    });
    QObject::connect(&keyer, &WinKeyClient::statusReceived, &loop, [&](int status) {
        if (handedOver && status == 0) {
            done = true;
            loop.quit();
        }
    });
    QTimer::singleShot(2 * keyingMs(text, wpm) + 5000, &loop, &QEventLoop::quit);
    buffer.replace(text);
    sender.WKTransmit();
    loop.exec();
    keyer.close();
    if (!done)
        return r.fail(QStringLiteral("the WinKey on %1 did not finish sending").arg(device));
    return ExitOk;
}

int cw(const CliArgs& a, CliReporter& r)
{
    const QString output = a.value(QStringLiteral("output"));
    const QString port = a.value(QStringLiteral("port"));
    const QString lineName = a.value(QStringLiteral("line"), QStringLiteral("dtr"));
    bool ok = false;
    const int wpm = a.value(QStringLiteral("wpm"), QStringLiteral("20")).toInt(&ok);
    if (!ok || wpm < 5 || wpm > 99)
        return r.usageError(QStringLiteral("--wpm must be a speed from 5 to 99"));
    if (lineName != QLatin1String("dtr") && lineName != QLatin1String("rts"))
        return r.usageError(QStringLiteral("--line must be rts or dtr"));
    const QString text = a.files.value(0).toUpper();

    if (output == QLatin1String("cwdaemon"))
        return keyThroughCwdaemon(port, text, wpm, r);
    if (output == QLatin1String("winkey"))
        return keyThroughWinKey(port, text, wpm, r);
    if (output == QLatin1String("serial")) {
        auto line = std::make_shared<SerialKeyLine>(port, lineName == QLatin1String("rts") ? SerialKeyLine::Line::Rts
                                                                                           : SerialKeyLine::Line::Dtr);
        if (!line->open())
            return r.fail(line->error());
        return keyLocally(line, text, wpm);
    }
    if (output == QLatin1String("parallel")) {
        auto line = std::make_shared<ParallelKeyLine>(port);
        if (!line->open())
            return r.fail(line->error());
        return keyLocally(line, text, wpm);
    }
    return r.usageError(QStringLiteral("--output must be winkey, cwdaemon, serial or parallel"));
}

} // namespace

std::vector<CliCommand> cwCommands()
{
    return {{"cw",
             {{"output", "winkey|cwdaemon|serial|parallel", "where the keying goes", true},
              {"port", "DEV|HOST:PORT", "the serial device (keyer or key line), /dev/parportN, or cwdaemon's address",
               true},
              {"line", "rts|dtr", "the serial line that keys (default dtr)"},
              {"wpm", "N", "the speed in words per minute (default 20)"}},
             "TEXT",
             "keys TEXT in Morse and exits once the last element has been keyed",
             cw}};
}
