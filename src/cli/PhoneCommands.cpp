// fdlog-cli ptt: keys the transmitter's PTT for a moment, so a station checks its cable.
#include "cli/CliCommand.h"
#include "cli/CliReporter.h"
#include "keying/SerialKeyLine.h"

#include <QEventLoop>
#include <QTimer>

namespace {

int ptt(const CliArgs& a, CliReporter& r)
{
    const QString lineName = a.value(QStringLiteral("line"), QStringLiteral("rts"));
    if (lineName != QLatin1String("rts") && lineName != QLatin1String("dtr"))
        return r.usageError(QStringLiteral("--line must be rts or dtr"));
    bool ok = false;
    const int ms = a.value(QStringLiteral("ms"), QStringLiteral("1000")).toInt(&ok);
    if (!ok || ms < 1 || ms > 60000)
        return r.usageError(QStringLiteral("--ms must be from 1 to 60000"));
    SerialKeyLine line(a.value(QStringLiteral("port")),
                       lineName == QLatin1String("dtr") ? SerialKeyLine::Line::Dtr : SerialKeyLine::Line::Rts);
    if (!line.open())
        return r.fail(line.error());
    line.setKeyDown(true);
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    line.setKeyDown(false);
    return ExitOk;
}

} // namespace

std::vector<CliCommand> phoneCommands()
{
    return {{"ptt",
             {{"port", "DEV", "the serial device whose line keys PTT", true},
              {"line", "rts|dtr", "the line that keys (default rts)"},
              {"ms", "N", "how long PTT stays keyed, in ms (default 1000)"}},
             "",
             "keys PTT for N ms, then lets it go",
             ptt}};
}
