// rig-poll and rig-set: the rig interface without a window, to check a CAT cable before the
// event and to drive a rig from scripts.
#include "cli/CliCommand.h"
#include "cli/CliReporter.h"
#include "cli/StderrDialogs.h"
#include "log/OperatingState.h"
#include "rig/RigCatalog.h"
#include "rig/RigParsers.h"
#include "rig/RigPoller.h"
#include "settings/Preferences.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

// Applies the options both commands share; an error text when they do not make sense.
QString configure(const CliArgs& a, RigSettings& s)
{
    const QString rig = a.value(QStringLiteral("rig"));
    if (!RigCatalog::find(rig) || rig == QLatin1String(RigCatalog::kNone))
        return QStringLiteral("--rig must name a rig list entry, e.g. --rig Kenwood (got '%1')").arg(rig);
    s.selectRig(rig);
    const QString port = a.value(QStringLiteral("port"));
    if (port.isEmpty())
        return QStringLiteral("--port is required");
    if (s.family() == RigFamily::Rigctld) {
        const qsizetype colon = port.lastIndexOf(QLatin1Char(':'));
        bool ok = false;
        const uint p = colon > 0 ? port.mid(colon + 1).toUInt(&ok) : 0;
        if (!ok || p == 0 || p > 65535)
            return QStringLiteral("--port must be HOST:PORT for rigctld (e.g. 127.0.0.1:4532)");
        s.rigctldHost = port.left(colon);
        s.rigctldPort = static_cast<quint16>(p);
    } else if (s.family() == RigFamily::Pegasus) {
        s.pegasusFolder = port;
    } else {
        s.ports = SerialPortTable({port});
        s.port = 1;
    }
    if (a.isSet(QStringLiteral("settings"))) {
        const QStringList f = a.value(QStringLiteral("settings")).split(QLatin1Char(','));
        if (f.size() != 4 || f[1].size() != 1 || f[2].size() != 1 || f[3].size() != 1)
            return QStringLiteral("--settings must look like 4800,N,8,2");
        s.baud = f[0];
        s.parity = f[1][0].toUpper();
        s.dataBits = f[2][0];
        s.stopBits = f[3][0];
    }
    if (a.isSet(QStringLiteral("handshake"))) {
        const QString h = a.value(QStringLiteral("handshake"));
        if (h != QLatin1String("none") && h != QLatin1String("rts"))
            return QStringLiteral("--handshake must be none or rts");
        s.handshaking = h == QLatin1String("rts") ? 2 : 0;
    }
    if (a.isSet(QStringLiteral("freq-cmd")))
        s.freqCommand = a.value(QStringLiteral("freq-cmd"));
    if (a.isSet(QStringLiteral("mode-cmd")))
        s.modeCommand = a.value(QStringLiteral("mode-cmd"));
    return {};
}

// Runs the event loop until `done` says so, checking after every event batch.
void runUntil(const std::function<bool()>& done)
{
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(5);
    if (!done())
        loop.exec();
}

constexpr qint64 kQuietLimitMs = 10000;

struct Session {
    Preferences prefs;
    OperatingState state{prefs};
    StderrDialogs dialogs;
    RigPoller poller;
    int readings = 0;
    QElapsedTimer sinceReading;

    Session(const QString& dataDir, const CliReporter& reporter) : dialogs(reporter), poller(state, dataDir)
    {
        QObject::connect(&poller, &RigPoller::failed, &poller,
                         [this](const QString& text, const QString& title, Dialogs::Icon icon) {
                             dialogs.message(text, title, icon);
                         });
        QObject::connect(&poller, &RigPoller::readingTaken, &poller, [this] {
            ++readings;
            sinceReading.restart();
        });
    }
    // The rig from the shared options, polled at `pollRate`: 0 once polling, else the exit code
    // (the reason is already on stderr).
    int start(const CliArgs& a, const CliReporter& r, QChar pollRate)
    {
        RigSettings& rs = poller.settings();
        if (const QString e = configure(a, rs); !e.isEmpty())
            return r.usageError(e);
        rs.pollRate = pollRate;
        return poller.start() ? ExitOk : ExitFailure;
    }
    // Polls until `wanted` readings have come or the rig has been quiet for 10 s.
    bool waitForReadings(int wanted, const std::function<void()>& onReading = {})
    {
        sinceReading.start();
        int seen = readings;
        runUntil([&] {
            while (seen < readings) {
                ++seen;
                if (onReading)
                    onReading();
            }
            return readings >= wanted || !poller.polling() || dialogs.warned() ||
                   sinceReading.elapsed() > kQuietLimitMs;
        });
        return readings >= wanted;
    }
    void finish() { poller.shutdown(); }
};

int rigPoll(const CliArgs& a, CliReporter& r)
{
    const QString rate = a.value(QStringLiteral("rate"), QStringLiteral("F"));
    if (rate.size() != 1 || !QStringLiteral("FMSR").contains(rate))
        return r.usageError(QStringLiteral("--rate must be F, M, S or R"));
    bool ok = true;
    const int polls = a.value(QStringLiteral("polls"), QStringLiteral("1")).toInt(&ok);
    if (!ok || polls < 1)
        return r.usageError(QStringLiteral("--polls must be a positive number"));
    const QString modeBy = a.value(QStringLiteral("mode-by"), QStringLiteral("rig"));
    if (modeBy != QLatin1String("rig") && modeBy != QLatin1String("frequency"))
        return r.usageError(QStringLiteral("--mode-by must be rig or frequency"));

    Session s(a.dataDir, r);
    s.poller.settings().modeBy =
        modeBy == QLatin1String("frequency") ? RigSettings::ModeBy::Frequency : RigSettings::ModeBy::Rig;
    if (const int code = s.start(a, r, rate[0]))
        return code;
    const bool got = s.waitForReadings(polls, [&] {
        const QString mode = s.poller.lastMode();
        std::printf("%s%s\n", qPrintable(s.poller.lastFrequency().toReadout()),
                    qPrintable(mode.isEmpty() ? mode : QLatin1Char(' ') + mode));
        std::fflush(stdout);
    });
    s.finish();
    if (!got)
        return r.fail(s.dialogs.warned() ? QStringLiteral("no valid reading from the rig")
                                         : QStringLiteral("no reading from the rig for 10 s"));
    return ExitOk;
}

int rigSet(const CliArgs& a, CliReporter& r)
{
    const std::optional<Frequency> freq = Frequency::fromMHzText(a.value(QStringLiteral("freq")));
    if (!freq)
        return r.usageError(QStringLiteral("--freq must be a frequency in MHz, e.g. --freq 14.025"));

    Session s(a.dataDir, r);
    if (const int code = s.start(a, r, QLatin1Char('F')))
        return code;
    if (!s.waitForReadings(1)) {
        s.finish();
        return r.fail(QStringLiteral("no reading from the rig for 10 s"));
    }
    s.poller.ChangeFrequency(*freq);
    if (a.isSet(QStringLiteral("mode")))
        s.poller.ChangeMode(*freq, a.value(QStringLiteral("mode")));
    runUntil([&] { return !s.poller.changing(); });
    s.finish();
    return ExitOk;
}

// The options of both commands, then the command's own.
std::vector<CliOption> rigOptions(std::vector<CliOption> own)
{
    std::vector<CliOption> all{
        {"rig", "NAME", "the rig list entry, e.g. Kenwood or \"Hamlib rigctld\"", true},
        {"port", "DEVICE", "the serial device; HOST:PORT for rigctld, the folder for Pegasus", true},
        {"settings", "4800,N,8,2", "baud, parity, data bits, stop bits (default: the rig's)"},
        {"handshake", "none|rts", "hardware handshaking"},
        {"freq-cmd", "TEXT", "the frequency request sent each poll, instead of the rig's own"},
        {"mode-cmd", "TEXT", "the mode request sent each poll, instead of the rig's own"},
    };
    for (CliOption& o : own)
        all.push_back(std::move(o));
    return all;
}

} // namespace

std::vector<CliCommand> rigCommands()
{
    return {
        {"rig-poll",
         rigOptions(
             {{"rate", "F|M|S|R", "the poll rate: F 100 ms, M 500 ms, S 2 s, R 10 s per poll (default F)"},
              {"polls", "N", "the readings to print before exiting (default 1)"},
              {"mode-by", "rig|frequency", "the mode as the rig reports it, or from the frequency (default rig)"}}),
         {},
         "polls the rig as Test does and prints \"frequency mode\" per reading; exits 1 after 10 s without one "
         "(for \"Hamlib rigctld\" the port is HOST:PORT)",
         rigPoll},
        {"rig-set",
         rigOptions({{"freq", "MHZ", "the frequency to tune to, in MHz", true},
                     {"mode", "WORD", "the mode to set, e.g. USB or CW"}}),
         {},
         "waits for the first reading, tunes the rig (and sets the mode), waits for the port to drain",
         rigSet},
    };
}
