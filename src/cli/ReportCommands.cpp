// fdlog-cli's report commands: the score, the summary file, every export and the import,
// run on the log and preferences of a data folder without a window.
#include "cli/CliCommand.h"
#include "cli/CliReporter.h"
#include "cli/StderrDialogs.h"

#include "log/ContactLog.h"
#include "log/LiveLogFiles.h"
#include "log/LogFile.h"
#include "log/Logbook.h"
#include "log/SectionTable.h"
#include "reports/AdifExport.h"
#include "reports/BonusCalculator.h"
#include "reports/CabrilloExport.h"
#include "reports/EntryClaims.h"
#include "reports/LogImport.h"
#include "reports/PowerRules.h"
#include "reports/ReportFile.h"
#include "reports/SummaryFile.h"
#include "reports/SummarySheet.h"
#include "reports/TextReports.h"
#include "settings/Preferences.h"
#include "settings/UserSettingsStore.h"
#include "util/DataFolderLock.h"
#include "util/ProgramInfo.h"

#include <QDate>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <cstdio>
#include <optional>

namespace {

// The log and preferences of the data folder.
struct DataFolder {
    std::vector<ContactRecord> records;
    Preferences prefs;
    StationIdentity identity() const { return {prefs.ownCall, prefs.ownClass, prefs.ownSection}; }
};

std::optional<DataFolder> load(const QString& dataDir, bool needIdentity, const CliReporter& r)
{
    DataFolder d;
    const QString logPath = dataDir + QStringLiteral("/fdlog.dat");
    const LogFile::ReadResult read = LogFile(logPath).read(d.records, ContactLog::Capacity);
    // Anything short of the whole log is an error: a report of part of it would look complete.
    switch (read.status) {
    case LogFile::ReadStatus::Ok:
        break;
    case LogFile::ReadStatus::OpenFailed:
        r.note(QStringLiteral("cannot read %1: %2").arg(logPath, read.error));
        return std::nullopt;
    case LogFile::ReadStatus::NotRegularFile:
        r.note(read.error);
        return std::nullopt;
    case LogFile::ReadStatus::BadLine:
        r.note(QStringLiteral("%1: line %2 is not a log record (%3 unreadable lines)")
                   .arg(logPath)
                   .arg(read.badLine)
                   .arg(read.badLineCount));
        return std::nullopt;
    case LogFile::ReadStatus::TooManyLines:
        r.note(QStringLiteral("%1: more than %2 contacts (line %3 is past the limit)")
                   .arg(logPath)
                   .arg(ContactLog::Capacity)
                   .arg(read.badLine));
        return std::nullopt;
    }
    ReadPreferences(dataDir + QStringLiteral("/fdpref.dat"), d.prefs);
    if (needIdentity && !summaryIdentityComplete(d.prefs.ownCall.trimmed(), d.prefs.ownClass, d.prefs.ownSection)) {
        r.note(QStringLiteral("fdpref.dat in %1 holds no call, class and section (set them up in the logger first)")
                   .arg(dataDir));
        return std::nullopt;
    }
    return d;
}

// False when --power is given but names no power class.
bool powerOption(const CliArgs& a, PowerClass& power)
{
    if (!a.isSet(QStringLiteral("power")))
        return true;
    return parsePowerClass(a.value(QStringLiteral("power")), power) && power != PowerClass::None;
}

const QString PowerUsage = QStringLiteral("--power takes 5, 150 or 150+");

// Every file a command writes goes through here. The data folder's own log files are never
// an output: a slip of the OUT name would replace the log with a report of it.
int writeOut(const QString& path, const QByteArray& content, const CliArgs& a, const CliReporter& r)
{
    if (isLiveLogFile(a.dataDir, path))
        return r.fail(liveLogRefusal(path));
    QString error;
    if (writeWholeFile(path, content, &error))
        return ExitOk;
    return r.fail(QStringLiteral("cannot write %1: %2").arg(path, error));
}

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
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('[')))
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
    return t == QLatin1String("1") || t == QLatin1String("yes") || t == QLatin1String("true") ||
           t == QLatin1String("x");
}

void applySheet(const QHash<QString, QString>& s, SummaryValues& v)
{
    const std::pair<const char*, QString*> texts[] = {
        {"gota_call", &v.gotaCall},
        {"club", &v.clubName},
        {"location", &v.location},
        {"participants", &v.participants},
        {"class_b_calls", &v.classBCalls},
        {"other_power_list", &v.otherPowerList},
        {"gota_cw", &v.gotaCw},
        {"gota_dig", &v.gotaDig},
        {"gota_ph", &v.gotaPh},
        {"gota_operators", &v.gotaOperators},
        {"messages_relayed", &v.messagesRelayed},
        {"non_traditional_modes", &v.nonTraditionalModes},
        {"youth_count", &v.youthCount},
        {"total_bonus", &v.totalBonus},
        {"name", &v.yourName},
        {"address1", &v.address1},
        {"address2", &v.address2},
        {"email", &v.email},
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
    // The current rules' steps and the two sources the written sheet has no check for.
    if (s.contains(QStringLiteral("power")))
        parsePowerLevel(s.value(QStringLiteral("power")), v.claims.level);
    if (s.contains(QStringLiteral("solar")))
        v.claims.sources.solar = yes(s.value(QStringLiteral("solar")));
    if (s.contains(QStringLiteral("wind")))
        v.claims.sources.wind = yes(s.value(QStringLiteral("wind")));
}

// The power, sources and bonus options of the current rules, and what they make of the log.
struct CurrentScore {
    PowerLevel level = PowerLevel::None;
    PowerSources sources;
    bool hasBonus = false;
};

// The usage error's text, or empty when the options make sense.
QString currentScoreOptions(const CliArgs& a, CurrentScore& c)
{
    if (!parsePowerLevel(a.value(QStringLiteral("power")), c.level) ||
        (a.isSet(QStringLiteral("power")) && c.level == PowerLevel::None))
        return QStringLiteral("--power takes 5, 100 or 100+");
    QString bad;
    if (!parsePowerSources(a.value(QStringLiteral("source")), c.sources, &bad))
        return QStringLiteral("unknown power source '%1' (battery, solar, wind, other, generator, mains)").arg(bad);
    c.hasBonus = a.isSet(QStringLiteral("bonus"));
    return {};
}

// The claims the summary window and the bonus calculator stored in the data folder, each part
// replaced by its option when one is given. Nothing with `error` set when the bonus file is unreadable.
std::optional<EntryClaims> currentClaims(const CliArgs& a, const CurrentScore& c, QString& error)
{
    EntryClaims claims = EntryClaimsFile::read(a.dataDir);
    if (a.isSet(QStringLiteral("power")))
        claims.level = c.level;
    if (a.isSet(QStringLiteral("source")))
        claims.sources = c.sources;
    if (c.hasBonus) {
        claims.bonus.clear();
        if (!readBonusFile(a.value(QStringLiteral("bonus")), claims.bonus, error))
            return std::nullopt;
    }
    return claims;
}

int runCurrentScore(const CliArgs& a, CliReporter& r)
{
    CurrentScore c;
    if (const QString usage = currentScoreOptions(a, c); !usage.isEmpty())
        return r.usageError(usage);
    const auto d = load(a.dataDir, false, r);
    if (!d)
        return ExitFailure;
    QString error;
    const auto claims = currentClaims(a, c, error);
    if (!claims)
        return r.fail(error);
    const Score s = computeScore(CountContactsByBandAndMode(d->records), {}, PowerClass::None);
    std::printf("CW QSOs: %lld\nDigital QSOs: %lld\nPhone QSOs: %lld\nQSO points: %lld\n", s.cwTotal, s.digitalTotal,
                s.phoneTotal, s.qsoPoints);
    if (claims->level == PowerLevel::None && claims->bonus.isEmpty() && !c.hasBonus)
        return ExitOk;
    const ClaimedScore score = scoreClaims(s.qsoPoints, *claims, entryClassLetter(d->prefs.ownClass));
    if (!score.x5Refusal.isEmpty())
        r.note(score.x5Refusal);
    for (const BonusLine& line : computeBonus(claims->bonus, entryClassLetter(d->prefs.ownClass)).lines) {
        if (line.claimed > 0 && !line.refusal.isEmpty())
            r.note(QStringLiteral("%1 not counted: %2").arg(QLatin1String(line.rule->key), line.refusal));
    }
    std::printf("Power multiplier: %d\nBonus points: %lld\nClaimed score: %lld\n", score.multiplier, score.bonusPoints,
                score.claimed);
    return ExitOk;
}

int runScore(const CliArgs& a, CliReporter& r)
{
    if (a.rules == RulesEdition::FieldDay2025)
        return runCurrentScore(a, r);
    if (a.isSet(QStringLiteral("source")) || a.isSet(QStringLiteral("bonus")))
        return r.usageError(QStringLiteral("--source and --bonus belong to --rules 2025"));
    PowerClass power = PowerClass::None;
    if (!powerOption(a, power))
        return r.usageError(PowerUsage);
    const auto d = load(a.dataDir, false, r);
    if (!d)
        return ExitFailure;
    const Score s = computeScore(CountContactsByBandAndMode(d->records), {}, power);
    std::printf("CW QSOs: %lld\nDigital QSOs: %lld\nPhone QSOs: %lld\nQSO points: %lld\n", s.cwTotal, s.digitalTotal,
                s.phoneTotal, s.qsoPoints);
    if (power != PowerClass::None)
        std::printf("Power multiplier: %d\nClaimed score: %lld\n", powerMultiplier(power), s.claimed);
    return ExitOk;
}

int runSummary(const CliArgs& a, CliReporter& r)
{
    SummaryValues v;
    if (a.rules == RulesEdition::FieldDay2025) {
        // The stored claims first, so that the sheet file and the options may replace them.
        v.claims = EntryClaimsFile::read(a.dataDir);
        v.generator = v.claims.sources.generator;
        v.battery = v.claims.sources.battery;
        v.commercialMains = v.claims.sources.mains;
        v.otherPower = v.claims.sources.other;
    }
    if (a.isSet(QStringLiteral("sheet"))) {
        const QString path = a.value(QStringLiteral("sheet"));
        bool ok = false;
        const auto sheet = readSheet(path, ok);
        if (!ok)
            return r.fail(QStringLiteral("cannot read the sheet file ") + path);
        applySheet(sheet, v);
    }
    CurrentScore cur;
    if (a.rules == RulesEdition::FieldDay2025) {
        if (const QString usage = currentScoreOptions(a, cur); !usage.isEmpty())
            return r.usageError(usage);
    } else if (a.isSet(QStringLiteral("source")) || a.isSet(QStringLiteral("bonus"))) {
        return r.usageError(QStringLiteral("--source and --bonus belong to --rules 2025"));
    } else if (!powerOption(a, v.power)) {
        return r.usageError(PowerUsage);
    }
    const auto d = load(a.dataDir, true, r);
    if (!d)
        return ExitFailure;
    if (a.rules == RulesEdition::FieldDay2025) {
        v.rules = RulesEdition::FieldDay2025;
        QString error;
        if (cur.hasBonus) {
            v.claims.bonus.clear();
            if (!readBonusFile(a.value(QStringLiteral("bonus")), v.claims.bonus, error))
                return r.fail(error);
        }
        if (a.isSet(QStringLiteral("power")))
            v.claims.level = cur.level;
        if (a.isSet(QStringLiteral("source"))) {
            v.generator = cur.sources.generator;
            v.battery = cur.sources.battery;
            v.commercialMains = cur.sources.mains;
            v.otherPower = cur.sources.other;
            v.claims.sources = cur.sources;
        }
    }
    v.callUsed = d->prefs.ownCall.trimmed();
    v.ownClass = d->prefs.ownClass;
    v.ownSection = d->prefs.ownSection;
    v.gotaCw = numericOrZero(v.gotaCw);
    v.gotaDig = numericOrZero(v.gotaDig);
    v.gotaPh = numericOrZero(v.gotaPh);
    v.totalBonus = numericOrZero(v.totalBonus);
    return writeOut(a.files[0], buildSummaryFile(v, CountContactsByBandAndMode(d->records), QDate::currentDate()), a,
                    r);
}

int runAdif(const CliArgs& a, CliReporter& r)
{
    const auto d = load(a.dataDir, false, r);
    if (!d)
        return ExitFailure;
    AdifOptions o;
    o.power = a.value(QStringLiteral("power"), o.power);
    o.comment = a.value(QStringLiteral("comment"), o.comment);
    o.phoneMode = a.value(QStringLiteral("phone-mode"), o.phoneMode).toUpper();
    o.digitalMode = a.value(QStringLiteral("digital-mode"), o.digitalMode).trimmed().toUpper();
    o.legacyWords = a.isSet(QStringLiteral("legacy-words"));
    o.rules = a.rules;
    if (o.digitalMode.isEmpty())
        return r.usageError(QStringLiteral("--digital-mode must name an ADIF mode, e.g. FT8"));
    const QString today = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    return writeOut(a.files[0], buildAdif(d->records, o, QString::fromLatin1(ProgramTitle), today), a, r);
}

int runCabrillo(const CliArgs& a, CliReporter& r)
{
    CabrilloHeader h;
    CurrentScore cur;
    std::optional<qint64> claimed;
    if (a.rules == RulesEdition::FieldDay2025) {
        if (const QString usage = currentScoreOptions(a, cur); !usage.isEmpty())
            return r.usageError(usage);
    } else if (!powerOption(a, h.power)) {
        return r.usageError(PowerUsage);
    }
    const auto d = load(a.dataDir, true, r);
    if (!d)
        return ExitFailure;
    if (a.rules == RulesEdition::FieldDay2025) {
        QString error;
        const auto claims = currentClaims(a, cur, error);
        if (!claims)
            return r.fail(error);
        // The category keeps its three steps; the rules' 100 W step is the low one.
        const PowerClass category[] = {PowerClass::None, PowerClass::Qrp5, PowerClass::Low150, PowerClass::High};
        h.power = category[static_cast<int>(claims->level)];
        const Score s = computeScore(CountContactsByBandAndMode(d->records), {}, PowerClass::None);
        claimed = scoreClaims(s.qsoPoints, *claims, entryClassLetter(d->prefs.ownClass)).claimed;
    }
    h.station = d->identity();
    h.station.call = h.station.call.trimmed();
    h.club = UserSettingsStore().value(QStringLiteral("UserClubName"));
    h.operators = a.value(QStringLiteral("operators")).toUpper();
    const CabrilloResult c = buildCabrillo(d->records, h, claimed);
    if (const int code = writeOut(a.files[0], c.text, a, r))
        return code;
    for (const QString& s : c.skipped)
        r.note(QStringLiteral("left out ") + s);
    return ExitOk;
}

int runTextReport(const CliArgs& a, CliReporter& r, bool dupeSheet)
{
    const auto d = load(a.dataDir, true, r);
    if (!d)
        return ExitFailure;
    StationIdentity id = d->identity();
    id.call = id.call.trimmed();
    return writeOut(a.files[0], dupeSheet ? buildDupeSheet(d->records, id) : buildAsciiLog(d->records, id), a, r);
}

int runLedra(const CliArgs& a, CliReporter& r)
{
    const auto d = load(a.dataDir, false, r);
    if (!d)
        return ExitFailure;
    return writeOut(a.dataDir + QStringLiteral("/LogExp.txt"), buildLedraExport(d->records, a.rules), a, r);
}

int runImport(const CliArgs& a, CliReporter& r)
{
    // The import rewrites the log from what it read: a running window must not be appending meanwhile.
    DataFolderLock lock(a.dataDir);
    if (!lock.tryLock())
        return r.fail(lock.refusal());
    StderrDialogs dialogs(r);
    ContactLog log(SectionTable::forEdition(a.rules));
    Logbook book(log, a.dataDir + QStringLiteral("/fdlog.dat"), a.dataDir + QStringLiteral("/LogBkUp.dat"), dialogs);
    if (!QFile::exists(book.file().path()))
        return r.fail(QStringLiteral("cannot read %1").arg(book.file().path()));
    if (!book.reload())
        return ExitFailure;
    ImportOptions o;
    o.eliminateDuplicates = !a.isSet(QStringLiteral("keep-dupes"));
    // Digital modes count as DIG unless asked to keep the file's words; --digital-as-dig stays
    // accepted for scripts written before that was the default.
    o.digitalAsDig = !a.isSet(QStringLiteral("keep-digital-modes"));
    const ImportReport res = appendLogFile(a.files[0], book, a.dataDir, o, dialogs);
    if (res.outcome != ImportReport::Outcome::Imported)
        return ExitFailure;
    std::printf("%d contacts added, %d duplicates skipped, %d in the log\n", res.added, res.duplicates, log.size());
    // Records left out were named on stderr; a script must not take the import as complete.
    return res.refused > 0 ? ExitFailure : ExitOk;
}

CliOption option(const char* name, const char* valueName, const char* description)
{
    return {QLatin1String(name), QLatin1String(valueName), QLatin1String(description)};
}

} // namespace

std::vector<CliCommand> reportCommands()
{
    return {
        {"score",
         {option("power", "5|100|100+",
                 "also prints the power multiplier, the bonus points and the claimed "
                 "score (--rules written: 5|150|150+)"),
          option("source", "LIST", "--rules 2025: the power sources, from battery,solar,wind,other,generator,mains"),
          option("bonus", "FILE", "--rules 2025: the bonus claims, key = value lines")},
         {},
         "Prints the CW, digital and phone totals and the QSO points; with --power also the claimed score. "
         "The bonus FILE's keys: emergency_power_transmitters media public_location info_table message_to_sm "
         "messages_handled satellite alternate_power w1aw_bulletin educational elected_official agency_visit "
         "gota_qsos gota_coach web_submission youth social_media safety_officer site_responsibilities (counts "
         "where the rule counts, else 1 or 0).",
         runScore},
        {"summary",
         {option("power", "5|100|100+", "the power class (--rules written: 5, 150 or 150+)"),
          option("source", "LIST", "--rules 2025: the power sources, as for score"),
          option("bonus", "FILE", "--rules 2025: the bonus claims, as for score"),
          option("sheet", "FILE", "the summary sheet's other fields, key = value lines")},
         "OUT.sum",
         "Writes the summary file. The sheet's other fields come from an INI-style FILE of key = value lines: "
         "gota_call, club, location, setup_early, participants, class_b_ops (1 or 2), class_b_calls, power, "
         "generator, battery, commercial_mains, other_power, other_power_list, gota_cw, gota_dig, gota_ph, "
         "gota_operators (\\n for a line break), bonus_emergency_power, bonus_w1aw_message, bonus_media, "
         "bonus_messages_relayed, messages_relayed, bonus_public_place, bonus_satellite, bonus_info_booth, "
         "bonus_natural_power, bonus_message_to_sm, bonus_site_visited, bonus_non_traditional, "
         "non_traditional_modes, bonus_youth, youth_count, total_bonus, name, address1, address2, email; "
         "--rules 2025 also solar and wind, and its bonus claims come from --bonus. Checks take 1/yes/true/x.",
         runSummary},
        {"adif",
         {option("power", "TEXT", "the TX_PWR field (default \"100\")"),
          option("comment", "TEXT", "the COMMENT field (default \"ARRL Field Day Contest\")"),
          option("digital-mode", "MODE", "the ADIF MODE of digital contacts (default RTTY)"),
          option("legacy-words", "", "the older words: PH, DIG, 70M, SATM instead of ADIF 3.1.4's"),
          option("phone-mode", "TEXT", "with --legacy-words: the MODE written for phone contacts (default \"PH\")")},
         "OUT.adi",
         "Writes the log as ADIF 3.1.4 (SSB, CW, the digital mode; bands as 20m, 70cm; CONTEST_ID, CLASS, "
         "ARRL_SECT). Defaults: power \"100\", comment \"ARRL Field Day Contest\"; an empty value leaves that "
         "field out.",
         runAdif},
        {"cabrillo",
         {option("power", "5|100|100+", "the power class (--rules written: 5, 150 or 150+)"),
          option("source", "LIST", "--rules 2025: the power sources, as for score"),
          option("bonus", "FILE", "--rules 2025: the bonus claims, as for score"),
          option("operators", "\"CALLS\"", "the OPERATORS line, calls separated by spaces")},
         "OUT.log",
         "Writes the Cabrillo 3.0 file for ARRL Field Day; contacts that cannot be written are listed on stderr.",
         runCabrillo},
        {"ascii-log",
         {},
         "OUT.txt",
         "Writes the plain-text log.",
         [](const CliArgs& a, CliReporter& r) { return runTextReport(a, r, false); }},
        {"dupe-sheet",
         {},
         "OUT.txt",
         "Writes the plain-text dupe sheet.",
         [](const CliArgs& a, CliReporter& r) { return runTextReport(a, r, true); }},
        {"ledra", {}, {}, "Writes LogExp.txt into the data folder.", runLedra},
        {"import",
         {option("keep-dupes", "", "keeps contacts with the same call, band and mode"),
          option("digital-as-dig", "", "counts FT8, RTTY, PSK31 and the like as DIG (the default)"),
          option("keep-digital-modes", "", "keeps FT8, RTTY, PSK31 and the like as the file names them")},
         "FILE",
         "Appends a .dat log or an .adi file to fdlog.dat in date and time order and rewrites it. Duplicates "
         "(same call, band and mode) are skipped unless --keep-dupes; FT8, RTTY, PSK31 and the like count as DIG "
         "unless --keep-digital-modes.",
         runImport},
    };
}
