// sync: a station without a window, for a scoreboard PC or a check before the event. Shares the
// data folder's log exactly as the station window does and prints each contact stored from
// another station.
#include "cli/CliCommand.h"
#include "cli/CliReporter.h"
#include "cli/StderrDialogs.h"
#include "log/Logbook.h"
#include "log/SectionTable.h"
#include "sync/SharedLog.h"
#include "sync/SyncSession.h"
#include "util/Clock.h"
#include "util/DataFolderLock.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <csignal>
#include <cstdio>

namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int)
{
    interrupted = 1;
}

int runSync(const CliArgs& a, CliReporter& r)
{
    const QString broker = a.value(QStringLiteral("broker"));
    const qsizetype colon = broker.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const uint port = colon > 0 ? broker.mid(colon + 1).toUInt(&ok) : 0;
    if (!ok || port == 0 || port > 65535)
        return r.usageError(QStringLiteral("--broker must be HOST:PORT (e.g. 192.168.1.10:1883)"));
    int seconds = 0;
    if (a.isSet(QStringLiteral("seconds"))) {
        seconds = a.value(QStringLiteral("seconds")).toInt(&ok);
        if (!ok || seconds < 1)
            return r.usageError(QStringLiteral("--seconds must be a positive number"));
    }
    SyncSession::Settings s;
    s.host = broker.left(colon);
    s.port = static_cast<quint16>(port);
    s.station = a.value(QStringLiteral("station")).toUpper();
    s.user = a.value(QStringLiteral("user"));
    s.password = a.value(QStringLiteral("password"));
    s.event = a.value(QStringLiteral("event"), QStringLiteral("fd%1").arg(QDate::currentDate().year()));
    s.caFile = a.value(QStringLiteral("cafile"));

    DataFolderLock lock(a.dataDir);
    if (!lock.tryLock())
        return r.fail(lock.refusal());
    StderrDialogs dialogs(r);
    ContactLog log(SectionTable::standard());
    Logbook book(log, QDir(a.dataDir).filePath(QStringLiteral("fdlog.dat")),
                 QDir(a.dataDir).filePath(QStringLiteral("LogBkUp.dat")), dialogs);
    if (!QFile::exists(book.file().path()))
        LogFile(book.file().path()).rewrite({});
    if (!book.reload())
        return ExitFailure;
    SharedLog shared(book, QDir(a.dataDir).filePath(QStringLiteral("fdlog.sync")), s.station);
    SystemClock clock;
    SyncSession session(shared, s, clock);

    QString failure;
    bool connected = false;
    QObject::connect(&session, &SyncSession::contactStored, [](const SyncEntry& e) {
        const ContactRecord& c = *e.record;
        std::printf("%s %d %s %s %s\n", qPrintable(e.key.station), e.key.seq, qPrintable(c.call), qPrintable(c.band),
                    qPrintable(c.mode));
        std::fflush(stdout);
    });
    QObject::connect(&session.client(), &MqttClient::connected, [&] { connected = true; });
    QObject::connect(&session, &SyncSession::refused, [&](const QString& text) { failure = text; });
    QObject::connect(&session, &SyncSession::connectionLost, [&](const QString& text, bool everConnected) {
        if (everConnected)
            r.note(text + QStringLiteral("  Trying again."));
        else if (!connected)
            failure = text;
    });
    QObject::connect(&session, &SyncSession::failed, [&](const QString& text) { r.note(text); });
    QObject::connect(&session, &SyncSession::incomplete, [&](const QString& text) { r.note(text); });

    QString error;
    if (!session.start(&error))
        return r.fail(error);
    interrupted = 0;
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    QElapsedTimer started;
    started.start();
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (!failure.isEmpty() || interrupted || (seconds > 0 && started.elapsed() >= seconds * 1000LL))
            loop.quit();
    });
    check.start(20);
    loop.exec();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    session.stop();
    return failure.isEmpty() ? ExitOk : r.fail(failure);
}

} // namespace

std::vector<CliCommand> syncCommands()
{
    return {
        {"sync",
         {{"broker", "HOST:PORT", "the MQTT broker the stations share", true},
          {"station", "NAME", "this station's name (capital letters, digits, - or _)", true},
          {"user", "USER", "the user name on the broker", true},
          {"password", "PASS", "the club password on the broker", true},
          {"seconds", "N", "exit after N seconds (default: run until interrupted)"},
          {"event", "NAME", "the event the log belongs to (default fd and the year)"},
          {"cafile", "FILE", "use TLS, checking the broker's certificate against this CA"}},
         {},
         "shares the log with the other stations through the broker and prints \"STATION SEQ CALL BAND MODE\" for "
         "each contact stored from another station; 1 when the broker cannot be reached or refuses the login",
         runSync},
    };
}
