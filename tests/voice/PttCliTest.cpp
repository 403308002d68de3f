#include "sim/PtyPeer.h"
#include "support/CliProcess.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

struct PttRun {
    int exitCode = -1;
    QByteArray err;
    QList<QByteArrayList> lines; // changes of state: ms, RTS, DTR, device
};

PttRun runPtt(const QStringList& args)
{
    TempDataDir dir;
    const QString log = dir.file("modem.log");
    qputenv("LD_PRELOAD", MODEM_LINES);
    qputenv("FDLOG_MODEM_LOG", log.toLocal8Bit());
    const CliRun run = runCliProgram(FDLOG_CLI, QStringList{"ptt"} + args, dir.path(), 10000);
    qunsetenv("LD_PRELOAD");
    PttRun r{run.exitCode, run.err, {}};
    // Repeated settings of the same state (closing drops the line again) are one state.
    for (const QByteArray& line : readBytes(log).split('\n')) {
        const QByteArrayList fields = line.split(' ');
        if (fields.size() == 4 && (r.lines.isEmpty() || r.lines.last().mid(1) != fields.mid(1)))
            r.lines.append(fields);
    }
    return r;
}

TEST(PttCommand, KeysTheChosenLineForTheGivenTime)
{
    PtyPeer pty;
    ASSERT_TRUE(pty.isValid());
    const QByteArray device = pty.slavePath().toLocal8Bit();
    struct Row {
        QStringList args;
        int column; // 1 RTS, 2 DTR
        int ms;
    };
    const std::vector<Row> rows{{{}, 1, 1000}, {{"--line", "dtr", "--ms", "300"}, 2, 300}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.ms);
        const PttRun r = runPtt(QStringList{QStringLiteral("--port"), pty.slavePath()} + row.args);
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        // Both lines dropped on opening, the chosen one up, then down again.
        ASSERT_EQ(r.lines.size(), 3);
        const std::vector<QByteArray> states{"0 0", row.column == 1 ? "1 0" : "0 1", "0 0"};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(r.lines[i][1] + ' ' + r.lines[i][2], states[size_t(i)]);
            EXPECT_EQ(r.lines[i][3], device);
        }
        const qint64 held = r.lines[2][0].toLongLong() - r.lines[1][0].toLongLong();
        EXPECT_GE(held, row.ms);
        EXPECT_LT(held, row.ms + 250);
    }
}

TEST(PttCommand, RefusesBadUsageAndMissingPorts)
{
    const std::vector<std::pair<QStringList, int>> rows{
        {{"--port", "/dev/ttyNoSuchPort"}, 1},
        {{"--port", "/dev/null", "--line", "cts"}, 2},
        {{"--port", "/dev/null", "--ms", "0"}, 2},
        {{}, 2},
    };
    for (const auto& [args, code] : rows) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const PttRun r = runPtt(args);
        EXPECT_EQ(r.exitCode, code);
        EXPECT_TRUE(r.err.startsWith("fdlog-cli: ")) << r.err.constData();
        EXPECT_TRUE(r.lines.isEmpty());
    }
}

} // namespace
