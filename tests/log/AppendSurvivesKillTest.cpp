#include "log/LogFile.h"
#include "log/LogRepair.h"
#include "support/TestFiles.h"

#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <signal.h>

// A child appends contacts as fast as it can and is killed with SIGKILL at a random moment.
// Each contact goes to disk in one write, but the kernel may still cut that write short at a
// page boundary when the kill lands inside it. After the start-up mend the file reads back
// cleanly, with no partial line, and holds every contact the child had reported as stored.
TEST(AppendSurvivesKill, OneWritePerContactNothingPartial)
{
    TempDataDir dir;
    const QString path = dir.file("fdlog.dat");
    auto* rng = QRandomGenerator::global();
    int previous = 0;
    for (int round = 0; round < 60; ++round) {
        QProcess child;
        child.start(QStringLiteral(APPEND_CHILD), {path});
        ASSERT_TRUE(child.waitForStarted(10000));
        // Let it write a random number of contacts, then kill it without warning.
        const int wanted = 1 + static_cast<int>(rng->bounded(40));
        int reported = 0;
        QByteArray out;
        while (reported < wanted && child.state() == QProcess::Running) {
            child.waitForReadyRead(2000);
            out += child.readAllStandardOutput();
            reported = static_cast<int>(out.count('\n'));
        }
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        child.waitForFinished(10000);
        out += child.readAllStandardOutput();
        const QList<QByteArray> lines = out.split('\n');
        int lastReturned = 0;
        for (const auto& l : lines) {
            if (!l.isEmpty())
                lastReturned = l.toInt();
        }

        const auto mend =
            LogRepair(path, LogRepair::damagedPathFor(path)).mendLastLine(QDateTime::currentDateTimeUtc());
        ASSERT_TRUE(mend.ok) << mend.error.toStdString();
        std::vector<ContactRecord> records;
        const auto result = LogFile(path).read(records, 1'000'000);
        ASSERT_EQ(result.status, LogFile::ReadStatus::Ok) << "round " << round << " bad line " << result.badLine;
        ASSERT_GE(static_cast<int>(records.size()), previous + lastReturned) << "round " << round;
        // Each run numbers its contacts from 1; they follow the previous rounds' in order.
        for (int i = 0; i < lastReturned; ++i)
            ASSERT_EQ(records[static_cast<size_t>(previous + i)].call, QStringLiteral("K%1").arg(i + 1));
        previous = static_cast<int>(records.size());
        ASSERT_TRUE(readBytes(path).endsWith("\r\n"));
    }
}
