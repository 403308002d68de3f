// rig-poll and rig-set: the rig interface without a window, to check a CAT cable before the
// event and to drive a rig from scripts.
#include "cli/CliCommand.h"
#include "log/OperatingState.h"
#include "rig/RigCatalog.h"
#include "rig/RigParsers.h"
#include "rig/RigPoller.h"
#include "settings/Preferences.h"
#include "util/Dialogs.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

// Without a window the operator's messages go to stderr.
class StderrDialogs final : public Dialogs {
public:
    void message(const QString& text, const QString& title, Icon icon) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
        warned = warned || icon == Icon::Warning;
    }
    bool askYesNo(const QString&, const QString&) override { return false; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    void beep() override {}

    // The poller warned (replies it cannot read, a lost port): no point waiting on.
    bool warned = false;
};

struct Options {
    QHash<QString, QString> values;
    QString error;
};

Options parseOptions(const QStringList& args, const QStringList& known)
{
    Options o;
    for (int i = 0; i < args.size(); ++i) {
        if (!known.contains(args[i]) || i + 1 >= args.size()) {
            o.error = QStringLiteral("unexpected argument '%1'").arg(args[i]);
            return o;
        }
        o.values.insert(args[i], args[i + 1]);
        ++i;
    }
    return o;
}

int fail(const QString& text)
{
    std::fprintf(stderr, "fdlog-cli: %s\n", qPrintable(text));
    return 2;
}

// Applies the common options; an error text when they do not make sense.
QString configure(const Options& o, RigSettings& s)
{
    const QString rig = o.values.value("--rig");
    if (!RigCatalog::find(rig) || rig == QLatin1String(RigCatalog::kNone))
        return QStringLiteral("--rig must name a rig list entry, e.g. --rig Kenwood (got '%1')").arg(rig);
    s.selectRig(rig);
    const QString port = o.values.value("--port");
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
    if (o.values.contains("--settings")) {
        const QStringList f = o.values.value("--settings").split(QLatin1Char(','));
        if (f.size() != 4 || f[1].size() != 1 || f[2].size() != 1 || f[3].size() != 1)
            return QStringLiteral("--settings must look like 4800,N,8,2");
        s.baud = f[0];
        s.parity = f[1][0].toUpper();
        s.dataBits = f[2][0];
        s.stopBits = f[3][0];
    }
    if (o.values.contains("--handshake")) {
        const QString h = o.values.value("--handshake");
        if (h != QLatin1String("none") && h != QLatin1String("rts"))
            return QStringLiteral("--handshake must be none or rts");
        s.handshaking = h == QLatin1String("rts") ? 2 : 0;
    }
    if (o.values.contains("--freq-cmd"))
        s.freqCommand = o.values.value("--freq-cmd");
    if (o.values.contains("--mode-cmd"))
        s.modeCommand = o.values.value("--mode-cmd");
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

    explicit Session(const QString& dataDir) : poller(state, dataDir)
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
            return readings >= wanted || !poller.polling() || dialogs.warned || sinceReading.elapsed() > kQuietLimitMs;
        });
        return readings >= wanted;
    }
    void finish() { poller.shutdown(); }
};

int rigPoll(const QStringList& args, const QString& dataDir)
{
    const Options o = parseOptions(
        args, {"--rig", "--port", "--settings", "--handshake", "--freq-cmd", "--mode-cmd", "--rate", "--polls"});
    if (!o.error.isEmpty())
        return fail(o.error);
    Session s(dataDir);
    RigSettings& rs = s.poller.settings();
    if (const QString e = configure(o, rs); !e.isEmpty())
        return fail(e);
    const QString rate = o.values.value("--rate", "F");
    if (rate.size() != 1 || !QStringLiteral("FMSR").contains(rate))
        return fail(QStringLiteral("--rate must be F, M, S or R"));
    rs.pollRate = rate[0];
    bool ok = true;
    const int polls = o.values.value("--polls", "1").toInt(&ok);
    if (!ok || polls < 1)
        return fail(QStringLiteral("--polls must be a positive number"));

    if (!s.poller.start())
        return 1;
    const bool got = s.waitForReadings(polls, [&] {
        const QString mode = s.poller.lastMode();
        std::printf("%s%s\n", qPrintable(s.poller.lastFrequency().toReadout()),
                    qPrintable(mode.isEmpty() ? mode : QLatin1Char(' ') + mode));
        std::fflush(stdout);
    });
    s.finish();
    if (!got) {
        std::fprintf(stderr, "fdlog-cli: %s\n",
                     s.dialogs.warned ? "no valid reading from the rig" : "no reading from the rig for 10 s");
        return 1;
    }
    return 0;
}

int rigSet(const QStringList& args, const QString& dataDir)
{
    const Options o = parseOptions(
        args, {"--rig", "--port", "--settings", "--handshake", "--freq-cmd", "--mode-cmd", "--freq", "--mode"});
    if (!o.error.isEmpty())
        return fail(o.error);
    Session s(dataDir);
    RigSettings& rs = s.poller.settings();
    if (const QString e = configure(o, rs); !e.isEmpty())
        return fail(e);
    const std::optional<Frequency> freq = Frequency::fromMHzText(o.values.value("--freq"));
    if (!freq)
        return fail(QStringLiteral("--freq must be a frequency in MHz, e.g. --freq 14.025"));
    rs.pollRate = QLatin1Char('F');

    if (!s.poller.start())
        return 1;
    if (!s.waitForReadings(1)) {
        s.finish();
        std::fprintf(stderr, "fdlog-cli: no reading from the rig for 10 s\n");
        return 1;
    }
    s.poller.ChangeFrequency(*freq);
    if (o.values.contains("--mode"))
        s.poller.ChangeMode(*freq, o.values.value("--mode"));
    runUntil([&] { return !s.poller.changing(); });
    s.finish();
    return 0;
}

} // namespace

std::vector<CliCommand> rigCommands()
{
    return {
        {"rig-poll",
         "rig-poll --rig NAME --port DEVICE [--settings 4800,N,8,2] [--handshake none|rts] [--freq-cmd TEXT] "
         "[--mode-cmd TEXT] [--rate F|M|S|R] [--polls N]",
         "polls the rig as Test does and prints \"frequency mode\" per reading; exits 1 after 10 s without one "
         "(for \"Hamlib rigctld\" the port is HOST:PORT)",
         rigPoll},
        {"rig-set", "rig-set --rig NAME --port DEVICE [--settings ...] --freq MHZ [--mode WORD]",
         "waits for the first reading, tunes the rig (and sets the mode), waits for the port to drain", rigSet},
    };
}
