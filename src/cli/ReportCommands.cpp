// fdlog-cli's report commands: the score, the summary file, every export and the import,
// run on the log and preferences of a data folder without a window.
#include "cli/CliCommand.h"

#include "log/ContactLog.h"
#include "log/LogFile.h"
#include "log/Logbook.h"
#include "log/SectionTable.h"
#include "reports/AdifExport.h"
#include "reports/CabrilloExport.h"
#include "reports/LogImport.h"
#include "reports/ReportFile.h"
#include "reports/SummaryFile.h"
#include "reports/SummarySheet.h"
#include "reports/TextReports.h"
#include "settings/Preferences.h"
#include "settings/UserSettingsStore.h"
#include "util/DataFolderLock.h"
#include "util/Dialogs.h"
#include "util/ProgramInfo.h"

#include <QDate>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QSet>
#include <cstdio>
#include <optional>

namespace {

void err(const QString& text) { std::fprintf(stderr, "fdlog-cli: %s\n", qPrintable(text)); }

// Options with a value, flags without, and the remaining plain arguments.
struct Parsed {
    QHash<QString, QString> values;
    QSet<QString> flags;
    QStringList positional;
};

std::optional<Parsed> parseArgs(const QStringList& args, const QStringList& valueOptions, const QStringList& flagOptions,
                                int positionalCount)
{
    Parsed p;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (valueOptions.contains(a)) {
            if (i + 1 >= args.size()) {
                err(a + QStringLiteral(" needs a value"));
                return std::nullopt;
            }
            p.values.insert(a, args[++i]);
        } else if (flagOptions.contains(a)) {
            p.flags.insert(a);
        } else if (a.startsWith(QLatin1String("--"))) {
            err(QStringLiteral("unknown option ") + a);
            return std::nullopt;
        } else {
            p.positional << a;
        }
    }
    if (p.positional.size() != positionalCount) {
        err(positionalCount == 0 ? QStringLiteral("this command takes no file name")
                                 : QStringLiteral("give exactly one file name"));
        return std::nullopt;
    }
    return p;
}

// The log and preferences of the data folder.
struct DataFolder {
    std::vector<ContactRecord> records;
    Preferences prefs;
    StationIdentity identity() const { return {prefs.ownCall, prefs.ownClass, prefs.ownSection}; }
};

std::optional<DataFolder> load(const QString& dataDir, bool needIdentity)
{
    DataFolder d;
    const QString logPath = dataDir + QStringLiteral("/fdlog.dat");
    const LogFile::ReadResult r = LogFile(logPath).read(d.records, ContactLog::Capacity);
    // Anything short of the whole log is an error: a report of part of it would look complete.
    switch (r.status) {
    case LogFile::ReadStatus::Ok:
        break;
    case LogFile::ReadStatus::OpenFailed:
        err(QStringLiteral("cannot read %1: %2").arg(logPath, r.error));
        return std::nullopt;
    case LogFile::ReadStatus::NotRegularFile:
        err(r.error);
        return std::nullopt;
    case LogFile::ReadStatus::BadLine:
        err(QStringLiteral("%1: line %2 is not a log record (%3 unreadable lines)")
                .arg(logPath)
                .arg(r.badLine)
                .arg(r.badLineCount));
        return std::nullopt;
    case LogFile::ReadStatus::TooManyLines:
        err(QStringLiteral("%1: more than %2 contacts (line %3 is past the limit)")
                .arg(logPath)
                .arg(ContactLog::Capacity)
                .arg(r.badLine));
        return std::nullopt;
    }
    ReadPreferences(dataDir + QStringLiteral("/fdpref.dat"), d.prefs);
    if (needIdentity && !summaryIdentityComplete(d.prefs.ownCall.trimmed(), d.prefs.ownClass, d.prefs.ownSection)) {
        err(QStringLiteral("fdpref.dat in %1 holds no call, class and section (set them up in the logger first)").arg(dataDir));
        return std::nullopt;
    }
    return d;
}

bool powerOption(const Parsed& p, PowerClass& power)
{
    if (!p.values.contains(QStringLiteral("--power")))
        return true;
    if (parsePowerClass(p.values.value(QStringLiteral("--power")), power) && power != PowerClass::None)
        return true;
    err(QStringLiteral("--power takes 5, 150 or 150+"));
    return false;
}

bool writeOut(const QString& path, const QByteArray& content)
{
    QString error;
    if (writeWholeFile(path, content, &error))
        return true;
    err(QStringLiteral("cannot write %1: %2").arg(path, error));
    return false;
}

// Messages of the shared import code go to stderr; nothing is ever asked.
class StderrDialogs final : public Dialogs {
public:
    void message(const QString& text, const QString& title, Icon) override { err(title + QStringLiteral(": ") + text); }
    bool askYesNo(const QString&, const QString&) override { return false; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    void beep() override {}
};

// "key = value" lines; '#' and ';' start comments; "\n" in a value is a line break.
QHash<QString, QString> readSheet(const QString& path, bool& ok)
{
    QHash<QString, QString> out;
    QFile f(path);
    ok = f.open(QIODevice::ReadOnly);
    if (!ok)
        return out;
    const QString text = QString::fromLatin1(f.readAll());
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';'))
            || line.startsWith(QLatin1Char('[')))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        QString value = line.mid(eq + 1).trimmed();
        value.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        out.insert(line.left(eq).trimmed().toLower(), value);
    }
    return out;
}

bool yes(const QString& v)
{
    const QString t = v.trimmed().toLower();
    return t == QLatin1String("1") || t == QLatin1String("yes") || t == QLatin1String("true") || t == QLatin1String("x");
}

void applySheet(const QHash<QString, QString>& s, SummaryValues& v)
{
    const std::pair<const char*, QString*> texts[] = {
        {"gota_call", &v.gotaCall},         {"club", &v.clubName},
        {"location", &v.location},          {"participants", &v.participants},
        {"class_b_calls", &v.classBCalls},  {"other_power_list", &v.otherPowerList},
        {"gota_cw", &v.gotaCw},             {"gota_dig", &v.gotaDig},
        {"gota_ph", &v.gotaPh},             {"gota_operators", &v.gotaOperators},
        {"messages_relayed", &v.messagesRelayed}, {"non_traditional_modes", &v.nonTraditionalModes},
        {"youth_count", &v.youthCount},     {"total_bonus", &v.totalBonus},
        {"name", &v.yourName},              {"address1", &v.address1},
        {"address2", &v.address2},          {"email", &v.email},
    };
    for (const auto& [key, field] : texts) {
        if (s.contains(QLatin1String(key)))
            *field = s.value(QLatin1String(key));
    }
    const std::pair<const char*, bool*> checks[] = {
        {"setup_early", &v.setupEarly},
        {"generator", &v.generator},
        {"battery", &v.battery},
        {"commercial_mains", &v.commercialMains},
        {"other_power", &v.otherPower},
        {"bonus_emergency_power", &v.bonusEmergencyPower},
        {"bonus_w1aw_message", &v.bonusW1awMessage},
        {"bonus_media", &v.bonusMedia},
        {"bonus_messages_relayed", &v.bonusMessagesRelayed},
        {"bonus_public_place", &v.bonusPublicPlace},
        {"bonus_satellite", &v.bonusSatellite},
        {"bonus_info_booth", &v.bonusInfoBooth},
        {"bonus_natural_power", &v.bonusNaturalPower},
        {"bonus_message_to_sm", &v.bonusMessageToSm},
        {"bonus_site_visited", &v.bonusSiteVisited},
        {"bonus_non_traditional", &v.bonusNonTraditional},
        {"bonus_youth", &v.bonusYouth},
    };
    for (const auto& [key, field] : checks) {
        if (s.contains(QLatin1String(key)))
            *field = yes(s.value(QLatin1String(key)));
    }
    if (s.contains(QStringLiteral("class_b_ops")))
        v.classBOneOp = s.value(QStringLiteral("class_b_ops")).trimmed() != QLatin1String("2");
    if (s.contains(QStringLiteral("power")))
        parsePowerClass(s.value(QStringLiteral("power")), v.power);
}

int runScore(const QStringList& args, const QString& dataDir)
{
    const auto p = parseArgs(args, {"--power"}, {}, 0);
    PowerClass power = PowerClass::None;
    if (!p || !powerOption(*p, power))
        return 2;
    const auto d = load(dataDir, false);
    if (!d)
        return 1;
    const Score s = computeScore(CountContactsByBandAndMode(d->records), {}, power);
    std::printf("CW QSOs: %lld\nDigital QSOs: %lld\nPhone QSOs: %lld\nQSO points: %lld\n", s.cwTotal, s.digitalTotal,
                s.phoneTotal, s.qsoPoints);
    if (power != PowerClass::None)
        std::printf("Power multiplier: %d\nClaimed score: %lld\n", powerMultiplier(power), s.claimed);
    return 0;
}

int runSummary(const QStringList& args, const QString& dataDir)
{
    const auto p = parseArgs(args, {"--power", "--sheet"}, {}, 1);
    if (!p)
        return 2;
    SummaryValues v;
    if (p->values.contains(QStringLiteral("--sheet"))) {
        bool ok = false;
        const auto sheet = readSheet(p->values.value(QStringLiteral("--sheet")), ok);
        if (!ok) {
            err(QStringLiteral("cannot read the sheet file ") + p->values.value(QStringLiteral("--sheet")));
            return 1;
        }
        applySheet(sheet, v);
    }
    if (!powerOption(*p, v.power))
        return 2;
    const auto d = load(dataDir, true);
    if (!d)
        return 1;
    v.callUsed = d->prefs.ownCall.trimmed();
    v.ownClass = d->prefs.ownClass;
    v.ownSection = d->prefs.ownSection;
    v.gotaCw = numericOrZero(v.gotaCw);
    v.gotaDig = numericOrZero(v.gotaDig);
    v.gotaPh = numericOrZero(v.gotaPh);
    v.totalBonus = numericOrZero(v.totalBonus);
    return writeOut(p->positional[0], buildSummaryFile(v, CountContactsByBandAndMode(d->records), QDate::currentDate()))
        ? 0
        : 1;
}

int runAdif(const QStringList& args, const QString& dataDir)
{
    const auto p = parseArgs(args, {"--power", "--comment", "--phone-mode"}, {}, 1);
    if (!p)
        return 2;
    const auto d = load(dataDir, false);
    if (!d)
        return 1;
    AdifOptions o;
    o.power = p->values.value(QStringLiteral("--power"), o.power);
    o.comment = p->values.value(QStringLiteral("--comment"), o.comment);
    o.phoneMode = p->values.value(QStringLiteral("--phone-mode"), o.phoneMode).toUpper();
    const QString today = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    return writeOut(p->positional[0], buildAdif(d->records, o, QString::fromLatin1(ProgramTitle), today)) ? 0 : 1;
}

int runCabrillo(const QStringList& args, const QString& dataDir)
{
    const auto p = parseArgs(args, {"--power", "--operators"}, {}, 1);
    CabrilloHeader h;
    if (!p || !powerOption(*p, h.power))
        return 2;
    const auto d = load(dataDir, true);
    if (!d)
        return 1;
    h.station = d->identity();
    h.station.call = h.station.call.trimmed();
    h.club = UserSettingsStore().value(QStringLiteral("UserClubName"));
    h.operators = p->values.value(QStringLiteral("--operators")).toUpper();
    const CabrilloResult r = buildCabrillo(d->records, h);
    if (!writeOut(p->positional[0], r.text))
        return 1;
    for (const QString& s : r.skipped)
        err(QStringLiteral("left out ") + s);
    return 0;
}

int runTextReport(const QStringList& args, const QString& dataDir, bool dupeSheet)
{
    const auto p = parseArgs(args, {}, {}, 1);
    if (!p)
        return 2;
    const auto d = load(dataDir, true);
    if (!d)
        return 1;
    StationIdentity id = d->identity();
    id.call = id.call.trimmed();
    return writeOut(p->positional[0], dupeSheet ? buildDupeSheet(d->records, id) : buildAsciiLog(d->records, id)) ? 0 : 1;
}

int runLedra(const QStringList& args, const QString& dataDir)
{
    if (!parseArgs(args, {}, {}, 0))
        return 2;
    const auto d = load(dataDir, false);
    if (!d)
        return 1;
    return writeOut(dataDir + QStringLiteral("/LogExp.txt"), buildLedraExport(d->records)) ? 0 : 1;
}

int runImport(const QStringList& args, const QString& dataDir)
{
    const auto p = parseArgs(args, {}, {"--keep-dupes", "--digital-as-dig"}, 1);
    if (!p)
        return 2;
    // The import rewrites the log from what it read: a running window must not be appending meanwhile.
    DataFolderLock lock(dataDir);
    if (!lock.tryLock()) {
        err(lock.refusal());
        return 1;
    }
    StderrDialogs dialogs;
    ContactLog log(SectionTable::standard());
    Logbook book(log, dataDir + QStringLiteral("/fdlog.dat"), dataDir + QStringLiteral("/LogBkUp.dat"), dialogs);
    if (!QFile::exists(book.file().path())) {
        err(QStringLiteral("cannot read %1").arg(book.file().path()));
        return 1;
    }
    if (!book.reload())
        return 1;
    ImportOptions o;
    o.eliminateDuplicates = !p->flags.contains(QStringLiteral("--keep-dupes"));
    o.digitalAsDig = p->flags.contains(QStringLiteral("--digital-as-dig"));
    const ImportReport r = appendLogFile(p->positional[0], book, dataDir, o, dialogs);
    if (r.outcome != ImportReport::Outcome::Imported)
        return 1;
    std::printf("%d contacts added, %d duplicates skipped, %d in the log\n", r.added, r.duplicates, log.size());
    // Records left out were named on stderr; a script must not take the import as complete.
    return r.refused > 0 ? 1 : 0;
}

}  // namespace

std::vector<CliCommand> reportCommands()
{
    return {
        {"score", "score [--power 5|150|150+]",
         "Prints the CW, digital and phone totals and the QSO points; with --power also the claimed score.", runScore},
        {"summary", "summary [--power 5|150|150+] [--sheet FILE] OUT.sum",
         "Writes the summary file. The sheet's other fields come from an INI-style FILE of key = value lines: "
         "gota_call, club, location, setup_early, participants, class_b_ops (1 or 2), class_b_calls, power, "
         "generator, battery, commercial_mains, other_power, other_power_list, gota_cw, gota_dig, gota_ph, "
         "gota_operators (\\n for a line break), bonus_emergency_power, bonus_w1aw_message, bonus_media, "
         "bonus_messages_relayed, messages_relayed, bonus_public_place, bonus_satellite, bonus_info_booth, "
         "bonus_natural_power, bonus_message_to_sm, bonus_site_visited, bonus_non_traditional, "
         "non_traditional_modes, bonus_youth, youth_count, total_bonus, name, address1, address2, email. "
         "Checks take 1/yes/true/x.",
         runSummary},
        {"adif", "adif [--power TEXT] [--comment TEXT] [--phone-mode TEXT] OUT.adi",
         "Writes the log as ADIF. Defaults: power \"100\", comment \"ARRL Field Day Contest\", phone mode \"PH\"; "
         "an empty value leaves that field out.",
         runAdif},
        {"cabrillo", "cabrillo [--power 5|150|150+] [--operators \"CALLS\"] OUT.log",
         "Writes the Cabrillo 3.0 file for ARRL Field Day; contacts that cannot be written are listed on stderr.",
         runCabrillo},
        {"ascii-log", "ascii-log OUT.txt", "Writes the plain-text log.",
         [](const QStringList& a, const QString& d) { return runTextReport(a, d, false); }},
        {"dupe-sheet", "dupe-sheet OUT.txt", "Writes the plain-text dupe sheet.",
         [](const QStringList& a, const QString& d) { return runTextReport(a, d, true); }},
        {"ledra", "ledra", "Writes LogExp.txt into the data folder.", runLedra},
        {"import", "import [--keep-dupes] [--digital-as-dig] FILE",
         "Appends a .dat log or an .adi file to fdlog.dat in date and time order and rewrites it. Duplicates "
         "(same call, band and mode) are skipped unless --keep-dupes; --digital-as-dig counts FT8, RTTY, PSK31 "
         "and the like as DIG.",
         runImport},
    };
}
