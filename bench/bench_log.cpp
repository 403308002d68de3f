// Reading and rewriting a full 14000-contact fdlog.dat.
#include "log/ContactLog.h"
#include "log/LogFile.h"
#include "log/SectionTable.h"

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

}  // namespace
