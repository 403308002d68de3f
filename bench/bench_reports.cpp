// Every export and the ADIF import on a full log of 14000 contacts. Goal: under 50 ms each.
#include "log/Bands.h"
#include "reports/AdifExport.h"
#include "reports/AdifReader.h"
#include "reports/CabrilloExport.h"
#include "reports/LogMerger.h"
#include "reports/SummaryFile.h"
#include "reports/SummarySheet.h"
#include "reports/TextReports.h"

#include <benchmark/benchmark.h>

namespace {

const std::vector<ContactRecord>& fullLog()
{
    static const std::vector<ContactRecord> log = [] {
        std::vector<ContactRecord> v;
        const char* sections[] = {"ENY", "CT", "QC", "PAC", "DX", "SDG", "AK", "PR"};
        for (int i = 0; i < 14000; ++i) {
            ContactRecord r;
            r.call = QStringLiteral("%1%2%3").arg(QChar('K' + i % 3)).arg(i % 10).arg(i, 4, 36, QLatin1Char('A')).toUpper();
            r.cls = QStringLiteral("%1A").arg(1 + i % 5);
            r.section = QString::fromLatin1(sections[i % 8]);
            const int minute = i / 10;
            r.date = QStringLiteral("2026/06/%1").arg(27 + minute / 1440);
            r.time = QStringLiteral("%1:%2:%3")
                         .arg(minute / 60 % 24, 2, 10, QLatin1Char('0'))
                         .arg(minute % 60, 2, 10, QLatin1Char('0'))
                         .arg(i % 60, 2, 10, QLatin1Char('0'));
            r.band = Bands::labels()[i % 13];
            r.mode = Bands::modes()[i % 3];
            r.op = QStringLiteral("AB");
            r.freq = i % 2 ? QStringLiteral("14.025") : QString();
            v.push_back(r);
        }
        return v;
    }();
    return log;
}

const StationIdentity own{"K1ABC", "2A", "ENY"};

void BM_SummaryFile(benchmark::State& s)
{
    SummaryValues v;
    v.callUsed = own.call;
    v.ownClass = own.cls;
    v.ownSection = own.section;
    v.power = PowerClass::Low150;
    for (auto _ : s)
        benchmark::DoNotOptimize(buildSummaryFile(v, CountContactsByBandAndMode(fullLog()), QDate(2026, 6, 28)));
}
void BM_AdifExport(benchmark::State& s)
{
    for (auto _ : s)
        benchmark::DoNotOptimize(buildAdif(fullLog(), AdifOptions{}, "Field Day Logger 1.00", "6/28/26"));
}
void BM_AsciiLog(benchmark::State& s)
{
    for (auto _ : s)
        benchmark::DoNotOptimize(buildAsciiLog(fullLog(), own));
}
void BM_DupeSheet(benchmark::State& s)
{
    for (auto _ : s)
        benchmark::DoNotOptimize(buildDupeSheet(fullLog(), own));
}
void BM_PrintedLogPages(benchmark::State& s)
{
    for (auto _ : s)
        benchmark::DoNotOptimize(printedLogPages(fullLog(), own));
}
void BM_PrintedDupePages(benchmark::State& s)
{
    for (auto _ : s)
        benchmark::DoNotOptimize(printedDupePages(fullLog(), own));
}
void BM_LedraExport(benchmark::State& s)
{
    for (auto _ : s)
        benchmark::DoNotOptimize(buildLedraExport(fullLog()));
}
void BM_Cabrillo(benchmark::State& s)
{
    const CabrilloHeader h{own, PowerClass::Low150, "Club", "K1ABC"};
    for (auto _ : s)
        benchmark::DoNotOptimize(buildCabrillo(fullLog(), h));
}
// Reading a 14000-record ADIF file and merging it into an empty log with the duplicate test.
void BM_AdifImport(benchmark::State& s)
{
    const QByteArray file = buildAdif(fullLog(), AdifOptions{}, "Field Day Logger 1.00", "6/28/26");
    const std::vector<ContactRecord> empty;
    for (auto _ : s) {
        LogMerger m(empty, true);
        for (ContactRecord& r : readAdif(file))
            m.add(std::move(r));
        benchmark::DoNotOptimize(m.takeMerged());
    }
}
// Reading alone, without the merge.
void BM_AdifRead(benchmark::State& s)
{
    const QByteArray file = buildAdif(fullLog(), AdifOptions{}, "Field Day Logger 1.00", "6/28/26");
    for (auto _ : s)
        benchmark::DoNotOptimize(readAdif(file));
}
// Merging a second station's 7000 contacts into a log of 7000, interleaved in time.
void BM_MergeInterleaved(benchmark::State& s)
{
    std::vector<ContactRecord> a, b;
    for (size_t i = 0; i < fullLog().size(); ++i)
        (i % 2 ? a : b).push_back(fullLog()[i]);
    for (auto _ : s) {
        LogMerger m(a, true);
        for (const ContactRecord& r : b)
            m.add(r);
        benchmark::DoNotOptimize(m.takeMerged());
    }
}

}  // namespace

BENCHMARK(BM_SummaryFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdifExport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AsciiLog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DupeSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintedLogPages)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintedDupePages)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LedraExport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cabrillo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdifImport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdifRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeInterleaved)->Unit(benchmark::kMillisecond);