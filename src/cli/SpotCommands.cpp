// spots: connects to a spot source before the event and prints the spots it hands on, to check
// the cluster address, the login and the parsing without the window.
#include "cli/CliCommand.h"
#include "cli/CliReporter.h"
#include "rig/SerialPortTable.h"
#include "settings/Preferences.h"
#include "spots/AgwSpotSource.h"
#include "spots/SpotBoard.h"
#include "spots/SpotLine.h"
#include "spots/TelnetSpotSource.h"
#include "spots/TncSpotSource.h"
#include "util/Clock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

constexpr qint64 kRunLimitMs = 30000;
constexpr int kLoginWithoutPromptMs = 2000;
constexpr int kTncPollMs = 333;

bool splitHostPort(const QString& text, QString& host, quint16& port)
{
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const uint p = colon > 0 ? text.mid(colon + 1).toUInt(&ok) : 0;
    if (!ok || p == 0 || p > 65535)
        return false;
    host = text.left(colon);
    port = static_cast<quint16>(p);
    return true;
}

void printLine(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int spots(const CliArgs& a, CliReporter& r)
{
    bool ok = true;
    const int count = a.value(QStringLiteral("count"), QStringLiteral("10")).toInt(&ok);
    if (!ok || count < 1)
        return r.usageError(QStringLiteral("--count must be a positive number"));
    QString host;
    quint16 port = 0;
    const bool agw = a.isSet(QStringLiteral("agw"));
    const bool tnc = a.isSet(QStringLiteral("tnc"));
    if (int(agw) + int(tnc) + int(a.isSet(QStringLiteral("telnet"))) != 1)
        return r.usageError(QStringLiteral("give one of --telnet HOST:PORT, --agw HOST:PORT or --tnc DEVICE"));
    const QString address = a.value(agw   ? QStringLiteral("agw")
                                    : tnc ? QStringLiteral("tnc")
                                          : QStringLiteral("telnet"));
    if (!tnc && !splitHostPort(address, host, port))
        return r.usageError(QStringLiteral("the source must be HOST:PORT (e.g. dxc.example.org:7300)"));
    const QString login = a.value(QStringLiteral("login"));
    const QString node = a.value(QStringLiteral("node")).toUpper();
    if (!agw && !tnc && login.isEmpty())
        return r.usageError(QStringLiteral("--login CALL is required with --telnet"));
    if (agw && node.isEmpty())
        return r.usageError(QStringLiteral("--node CALL is required with --agw"));
    const bool verbose = a.isSet(QStringLiteral("verbose"));

    Preferences prefs;
    ReadPreferences(QDir(a.dataDir).filePath(QStringLiteral("fdpref.dat")), prefs);
    SystemClock clock;
    SpotBoard board(clock);
    board.setOwnCall(prefs.ownCall);
    QObject::connect(&board, &SpotBoard::ownCallSpotted,
                     [](const QString& record) { printLine(SpotBoard::spottedBoxText(record)); });

    TelnetSpotSource telnet;
    AgwSpotSource packet;
    TncSpotSource serial(SerialPortTable(QStringList{address}));
    SpotSource& source = agw ? static_cast<SpotSource&>(packet) : tnc ? static_cast<SpotSource&>(serial) : telnet;
    int printed = 0;
    bool connected = false;
    bool loginSent = false;
    bool peerClosed = false;
    QString failure;
    const auto sendLogin = [&] {
        if (!loginSent && !login.isEmpty() && source.sendLine(login))
            loginSent = true;
    };
    QTimer loginTimer;
    loginTimer.setSingleShot(true);
    QObject::connect(&loginTimer, &QTimer::timeout, sendLogin);
    QObject::connect(&source, &SpotSource::opened, [&] {
        connected = true;
        if (agw)
            packet.connectTo(node);
        else if (tnc && !node.isEmpty())
            serial.sendLine(QStringLiteral("C ") + node); // the TNC's connect command
        if (!agw)
            loginTimer.start(kLoginWithoutPromptMs);
    });
    // A node that ends the packet connection ends the session like a closed socket.
    QObject::connect(&packet, &AgwSpotSource::stationDisconnected, [&](const QString& call) {
        if (verbose)
            r.note(QStringLiteral("disconnected from ") + call);
        peerClosed = true;
    });
    QObject::connect(&source, &SpotSource::promptReceived, [&](const QString& text) {
        if (verbose)
            r.note(text);
        sendLogin();
    });
    QObject::connect(&source, &SpotSource::lineReceived, [&](const QString& line) {
        if (printed >= count)
            return;
        const std::optional<SpotLine> spot = SpotLine::parse(line);
        if (!spot) {
            if (verbose)
                r.note(line);
            return;
        }
        if (!board.BandMapSpots(spot->call, spot->frequencyKHz, spot->record))
            return;
        const SpotStore::Slot& s = board.store().slot(SpotStore::kSlots - 1);
        printLine(s.call + QLatin1Char(' ') + QString::number(static_cast<double>(s.frequency.hz) / 1e6, 'f', 5) +
                  QLatin1Char(' ') + s.prefix);
        ++printed;
    });
    QObject::connect(&source, &SpotSource::closedByPeer, [&] { peerClosed = true; });
    QObject::connect(&source, &SpotSource::failed, [&](const QString& text) { failure = text; });

    QElapsedTimer started;
    started.start();
    if (agw) {
        if (prefs.ownCall.isEmpty())
            return r.fail(QStringLiteral("the station's own call is not set (fdpref.dat in --data)"));
        packet.open(host, port, prefs.ownCall);
    } else if (tnc) {
        // The TNC defaults of the spotting window: 9600 8N1, RTS handshaking.
        if (!serial.open(TncSpotSource::Settings{}))
            return r.fail(QStringLiteral("cannot open the TNC port ") + address);
    } else {
        telnet.open(host, port);
    }
    // A serial port has no events of its own here: it is read on the spotting window's tick.
    QTimer tncPoll;
    QObject::connect(&tncPoll, &QTimer::timeout, &serial, &TncSpotSource::poll);
    if (tnc)
        tncPoll.start(kTncPollMs);
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (printed >= count || peerClosed || !failure.isEmpty() || started.elapsed() >= kRunLimitMs)
            loop.quit();
    });
    check.start(5);
    loop.exec();
    source.close();

    if (printed > 0)
        return ExitOk;
    if (!failure.isEmpty())
        return r.fail(failure);
    if (peerClosed)
        return r.fail(QStringLiteral("the source closed the connection before any spot"));
    if (!connected)
        return r.fail(QStringLiteral("could not connect to %1 within 30 s").arg(address));
    return ExitOk;
}

} // namespace

std::vector<CliCommand> spotCommands()
{
    return {
        {"spots",
         {{"telnet", "HOST:PORT", "the DX cluster to connect to"},
          {"login", "CALL", "the call sent when the cluster asks for it (with --telnet)"},
          {"agw", "HOST:PORT", "an AGW packet engine: registers the station's own call and connects to --node"},
          {"node", "CALL", "the cluster node to connect to through the packet engine (or the TNC: C CALL)"},
          {"tnc", "DEVICE", "a packet TNC on this serial device (9600 8N1, RTS handshaking)"},
          {"count", "N", "the spots to print before exiting (default 10)"},
          {"verbose", {}, "copy everything else the source sends to stderr"}},
         {},
         "connects to a spot source and prints \"CALL MHZ PREFIX\" per spot; exits after N spots, 30 s, or when "
         "the source closes after a spot; 1 when it cannot be reached or closes first",
         spots},
    };
}
