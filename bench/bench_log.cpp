// Reading and rewriting a full 14000-contact fdlog.dat.
#include "log/ContactLog.h"
#include "log/LogFile.h"
#include "log/LogRepair.h"
#include "log/SectionTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

std::vector<ContactRecord> fullLog()
{
    static const QStringList sections{"CT", "ENY", "MDC", "DX", "WWA", "GTA"};
    static const QStringList modes{"CW", "DIG", "PH"};
    std::vector<ContactRecord> records;
    for (int i = 0; i < ContactLog::Capacity; ++i) {
        // Distinct calls and times, as in a real log; the rest repeats as it does on the air.
        const int seconds = 18 * 3600 + i * 6;
        const QString time = QStringLiteral("%1:%2:%3")
                                 .arg(seconds / 3600 % 24, 2, 10, QLatin1Char('0'))
                                 .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                                 .arg(seconds % 60, 2, 10, QLatin1Char('0'));
        records.push_back({QStringLiteral("K%1AB").arg(i), "2A", sections[i % sections.size()], "2026/06/27", time,
                           "20", modes[i % 3], "JS", "14.025"});
    }
    return records;
}

void BM_ReadFullLog(benchmark::State& state)
{
    QTemporaryDir dir;
    const LogFile file(dir.filePath("fdlog.dat"));
    file.rewrite(fullLog());
    ContactLog log(SectionTable::standard());
    for (auto _ : state) {
        std::vector<ContactRecord> records;
        file.read(records, ContactLog::Capacity);
        log.assign(std::move(records));
        benchmark::DoNotOptimize(log.points());
    }
}
BENCHMARK(BM_ReadFullLog)->Unit(benchmark::kMillisecond);

void BM_RewriteFullLog(benchmark::State& state)
{
    QTemporaryDir dir;
    const LogFile file(dir.filePath("fdlog.dat"));
    const auto records = fullLog();
    for (auto _ : state)
        benchmark::DoNotOptimize(file.rewrite(records));
}
BENCHMARK(BM_RewriteFullLog)->Unit(benchmark::kMillisecond);

// Repair Log File on a full log with one unreadable line in the middle: read, sort out, save the
// bad line to fdlog.damaged and rewrite the log atomically.
void BM_RepairFullLogOneBadLine(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("fdlog.dat");
    const auto records = fullLog();
    QByteArray damaged;
    for (size_t i = 0; i < records.size(); ++i) {
        damaged += formatLogLine(records[i]);
        if (i == records.size() / 2)
            damaged += "\"K1\"ABC\",\"2A\"\r\n";
    }
    const LogRepair repair(path, LogRepair::damagedPathFor(path));
    const QDateTime now(QDate(2026, 6, 27), QTime(18, 0));
    for (auto _ : state) {
        state.PauseTiming();
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(damaged);
        f.close();
        state.ResumeTiming();
        const auto result = repair.repair(now);
        if (result.moved.size() != 1)
            state.SkipWithError("the bad line was not moved");
    }
}
BENCHMARK(BM_RepairFullLogOneBadLine)->Unit(benchmark::kMillisecond);

// One append as the logbook does it: the check that the file ends with a line end, one write,
// fsync. The log starts full-sized and grows by one line per iteration.
void BM_AppendWithEndCheck(benchmark::State& state)
{
    QTemporaryDir dir;
    const LogFile file(dir.filePath("fdlog.dat"));
    file.rewrite(fullLog());
    const ContactRecord r{"K1ABC", "2A", "CT", "2026/06/27", "18:05:31", "20", "CW", "JS", "14.025"};
    for (auto _ : state) {
        if (!file.append(r))
            state.SkipWithError("append failed");
    }
}
BENCHMARK(BM_AppendWithEndCheck)->Unit(benchmark::kMicrosecond);

// The last-line check alone, as run at start-up and before an append falls back to mending.
void BM_MendLastLineOfWholeLog(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("fdlog.dat");
    LogFile(path).rewrite(fullLog());
    const LogRepair repair(path, LogRepair::damagedPathFor(path));
    const QDateTime now(QDate(2026, 6, 27), QTime(18, 0));
    for (auto _ : state)
        benchmark::DoNotOptimize(repair.mendLastLine(now).ok);
}
BENCHMARK(BM_MendLastLineOfWholeLog)->Unit(benchmark::kMicrosecond);

}  // namespace
