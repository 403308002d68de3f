// Logging at speed with a full log: the as-you-type check per keystroke, the dupe test, a whole
// Mains with its append, and the "All" list refresh, each at 14 000 contacts.
#include "entry/EntryWorkflow.h"
#include "log/ContactLog.h"
#include "log/Logbook.h"
#include "log/OperatingState.h"
#include "log/SectionTable.h"
#include "settings/Preferences.h"
#include "util/Clock.h"
#include "util/Dialogs.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class SilentDialogs final : public Dialogs {
public:
    void message(const QString&, const QString&, Icon) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    void beep() override {}
};

// A Field Day log spread over the bands and modes, calls K0AAA.. with a few near-duplicates.
std::vector<ContactRecord> fullLog(int n)
{
    const QStringList bands{"80", "40", "20", "15", "10", "6"};
    const QStringList modes{"CW", "DIG", "PH"};
    std::vector<ContactRecord> out;
    for (int i = 0; i < n; ++i) {
        const QString call = QStringLiteral("%1%2%3%4%5")
                                 .arg(QChar(i % 3 == 0 ? 'K' : (i % 3 == 1 ? 'W' : 'N')))
                                 .arg(i % 10)
                                 .arg(QChar('A' + (i / 10) % 26))
                                 .arg(QChar('A' + (i / 260) % 26))
                                 .arg(QChar('A' + (i / 6760) % 26));
        out.push_back({call, "2A", "CT", "2026/06/27", "18:05:31", bands[i % bands.size()],
                       modes[(i / 7) % modes.size()], "JS", "14.025"});
    }
    return out;
}

QString benchFolder()
{
    const QString chosen = qEnvironmentVariable("BENCH_ENTRY_DIR");
    if (!chosen.isEmpty())
        return chosen;
    return QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
}

struct Setup {
    // On /dev/shm when it exists, so the append's fsync costs what a page-cache write costs;
    // BENCH_ENTRY_DIR=/some/disk/folder measures it with the drive's flush.
    QTemporaryDir dir{benchFolder() + QStringLiteral("/bench_entry-XXXXXX")};
    SilentDialogs dialogs;
    SystemClock clock;
    Preferences prefs;
    ContactLog log{SectionTable::standard()};
    Logbook book{log, dir.filePath("fdlog.dat"), dir.filePath("LogBkUp.dat"), dialogs};
    OperatingState state{prefs};
    EntryWorkflow wf{book, state, prefs, dialogs, clock};

    explicit Setup(int n, bool oneBandAndMode = false)
    {
        prefs.band = "20";
        prefs.mode = "CW";
        auto records = fullLog(n);
        if (oneBandAndMode) {
            for (auto& r : records) {
                r.band = "20";
                r.mode = "CW";
            }
        }
        LogFile(book.file().path()).rewrite(records);
        book.reload();
    }
};

void BM_CheckCallAsTyped(benchmark::State& st)
{
    Setup s(ContactLog::Capacity);
    const QString typed = "K1A";
    for (auto _ : st) {
        auto c = s.wf.validator().CheckCallAsTyped(typed, 'B', true, "20", "CW");
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(BM_CheckCallAsTyped)->Unit(benchmark::kMicrosecond);

// The worst case: every contact on the current band and mode, so the whole log is walked.
void BM_CheckCallAsTypedOneBand(benchmark::State& st)
{
    Setup s(ContactLog::Capacity, true);
    const QString typed = "K1A";
    for (auto _ : st) {
        auto c = s.wf.validator().CheckCallAsTyped(typed, 'B', true, "20", "CW");
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(BM_CheckCallAsTypedOneBand)->Unit(benchmark::kMicrosecond);

// One whole keystroke in the call field as the window forwards it.
void BM_CallKeystroke(benchmark::State& st)
{
    Setup s(ContactLog::Capacity);
    s.wf.typeText("K1A");
    for (auto _ : st) {
        auto r = s.wf.keyPress(EntryField::Call, 'B', true);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_CallKeystroke)->Unit(benchmark::kMicrosecond);

void BM_dupcheck(benchmark::State& st)
{
    Setup s(ContactLog::Capacity);
    for (auto _ : st) {
        s.wf.setFieldText(EntryField::Call, "K9ZZZ");  // not in the log: the walk goes to the end
        s.wf.setFieldText(EntryField::Class, "2A");
        s.wf.setFieldText(EntryField::Section, "CT");
        benchmark::DoNotOptimize(s.wf.dupcheck());
    }
}
BENCHMARK(BM_dupcheck)->Unit(benchmark::kMicrosecond);

// Mains with the append, the log growing from 12 000 to 14 000 contacts.
void BM_Mains(benchmark::State& st)
{
    constexpr int Rounds = 2000;
    Setup s(ContactLog::Capacity - Rounds);
    int i = 0;
    for (auto _ : st) {
        s.wf.setFieldText(EntryField::Call, QStringLiteral("X%1Y").arg(i++));
        s.wf.setFieldText(EntryField::Class, "2A");
        s.wf.setFieldText(EntryField::Section, "CT");
        s.wf.Mains();
    }
    if (s.log.size() != ContactLog::Capacity)
        st.SkipWithError("a contact was not stored");
}
BENCHMARK(BM_Mains)->Unit(benchmark::kMicrosecond)->Iterations(2000);

void BM_RefreshAllList(benchmark::State& st)
{
    Setup s(ContactLog::Capacity);
    s.wf.toggleShowAll();
    for (auto _ : st) {
        s.wf.list().RefreshLogList();
        benchmark::DoNotOptimize(s.wf.list().rowCount());
    }
}
BENCHMARK(BM_RefreshAllList)->Unit(benchmark::kMicrosecond);

// A click on the Time header with all 14 000 contacts listed.
void BM_SortAllByTime(benchmark::State& st)
{
    Setup s(ContactLog::Capacity);
    s.wf.toggleShowAll();
    for (auto _ : st) {
        s.wf.list().sortByColumn(LogList::Time);
        benchmark::DoNotOptimize(s.wf.list().recordAt(0));
    }
}
BENCHMARK(BM_SortAllByTime)->Unit(benchmark::kMillisecond);

}  // namespace
