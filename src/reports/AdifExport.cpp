#include "reports/AdifExport.h"

#include "log/LiveLogFiles.h"
#include "log/SectionTable.h"
#include "reports/ReportFile.h"
#include "util/Dialogs.h"
#include "util/ProgramInfo.h"

#include <QDate>
#include <QHash>

QString sectionToState(const QString& section)
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> t;
        auto put = [&t](std::initializer_list<const char*> secs, const char* state) {
            for (const char* s : secs)
                t.insert(QString::fromLatin1(s), QString::fromLatin1(state));
        };
        put({"EMA", "WMA"}, "MA");
        put({"NNY", "ENY", "WNY", "NLI"}, "NY");
        put({"NNJ", "SNJ"}, "NJ");
        put({"EPA", "WPA"}, "PA");
        put({"NFL", "WCF", "SFL"}, "FL");
        put({"MDC"}, "MD");
        put({"NTX", "STX", "WTX"}, "TX");
        put({"EB", "LAX", "ORG", "SB", "SCV", "SDG", "SJV", "SF", "SV"}, "CA");
        put({"PAC"}, "HI");
        put({"EWA", "WWA"}, "WA");
        put({"PR", "VI"}, "");
        return t;
    }();
    const auto it = table.constFind(section);
    return it == table.constEnd() ? section : *it;
}

int dxccEntity(const QString& section, const QString& call, const SectionTable& sections)
{
    if (const int entity = sections.dxccOf(section))
        return entity;
    const QChar first = call.isEmpty() ? QChar() : call[0];
    if (first == QLatin1Char('A') || first == QLatin1Char('K') || first == QLatin1Char('N') ||
        first == QLatin1Char('W'))
        return 291;
    return 0;
}

QDate parseLogDate(const QString& text)
{
    // Hand-parsed: the format-string parser of QDate costs more than the whole export line.
    const QString t = text.trimmed();
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int n = 0;
    QChar sep;
    for (QChar c : t) {
        if (c.isDigit() && c.unicode() < 128) {
            if (digits[n] >= 4)
                return {};
            parts[n] = parts[n] * 10 + (c.unicode() - '0');
            ++digits[n];
        } else if ((c == QLatin1Char('/') || c == QLatin1Char('-')) && n < 2 && digits[n] > 0 &&
                   (sep.isNull() || sep == c)) {
            sep = c;
            ++n;
        } else {
            return {};
        }
    }
    if (n != 2 || digits[2] == 0)
        return {};
    if (digits[0] == 4 && digits[1] <= 2 && digits[2] <= 2)
        return QDate(parts[0], parts[1], parts[2]);
    if (sep == QLatin1Char('/') && digits[2] == 4 && digits[0] <= 2 && digits[1] <= 2)
        return QDate(parts[2], parts[0], parts[1]);
    return {};
}

QString compactDate(const QDate& d, QChar separator)
{
    QString out;
    out.reserve(10);
    out += QString::number(d.year()).rightJustified(4, QLatin1Char('0'));
    if (!separator.isNull())
        out += separator;
    out += QLatin1Char(static_cast<char>('0' + d.month() / 10));
    out += QLatin1Char(static_cast<char>('0' + d.month() % 10));
    if (!separator.isNull())
        out += separator;
    out += QLatin1Char(static_cast<char>('0' + d.day() / 10));
    out += QLatin1Char(static_cast<char>('0' + d.day() % 10));
    return out;
}

QString adifBand(const QString& logBand)
{
    static const QHash<QString, QString> bands{
        {"160", "160m"},   {"80", "80m"},  {"60", "60m"},  {"40", "40m"},  {"30", "30m"},   {"20", "20m"},
        {"17", "17m"},     {"15", "15m"},  {"12", "12m"},  {"10", "10m"},  {"6", "6m"},     {"2", "2m"},
        {"1.25", "1.25m"}, {"70", "70cm"}, {"33", "33cm"}, {"23", "23cm"}, {"440", "70cm"}, {"220", "1.25m"},
    };
    return bands.value(logBand);
}

QString adifBandOfFrequency(const QString& mhzText)
{
    struct Range {
        double lower, upper;
        const char* band;
    };
    // The ADIF 3.1.4 band table, edges in MHz.
    static constexpr Range ranges[] = {
        {1.8, 2.0, "160m"},        {3.5, 4.0, "80m"},        {5.06, 5.45, "60m"},     {7.0, 7.3, "40m"},
        {10.1, 10.15, "30m"},      {14.0, 14.35, "20m"},     {18.068, 18.168, "17m"}, {21.0, 21.45, "15m"},
        {24.89, 24.99, "12m"},     {28.0, 29.7, "10m"},      {50.0, 54.0, "6m"},      {70.0, 71.0, "4m"},
        {144.0, 148.0, "2m"},      {222.0, 225.0, "1.25m"},  {420.0, 450.0, "70cm"},  {902.0, 928.0, "33cm"},
        {1240.0, 1300.0, "23cm"},  {2300.0, 2450.0, "13cm"}, {3300.0, 3500.0, "9cm"}, {5650.0, 5925.0, "6cm"},
        {10000.0, 10500.0, "3cm"},
    };
    bool ok = false;
    const double mhz = mhzText.trimmed().toDouble(&ok);
    if (!ok)
        return {};
    for (const Range& r : ranges) {
        if (mhz >= r.lower && mhz <= r.upper)
            return QLatin1String(r.band);
    }
    return {};
}

QString adifTime(const QString& stored)
{
    const QString t = stored.trimmed();
    QStringList parts = t.split(QLatin1Char(':'));
    if (parts.size() == 1) {
        // Digits only: hhmm or hhmmss.
        if (t.size() == 4)
            parts = {t.left(2), t.mid(2, 2)};
        else if (t.size() == 6)
            parts = {t.left(2), t.mid(2, 2), t.mid(4, 2)};
        else
            return {};
    }
    if (parts.size() == 2)
        parts << QStringLiteral("00");
    if (parts.size() != 3)
        return {};
    QString out;
    for (const QString& p : parts) {
        bool ok = false;
        const int v = p.toInt(&ok);
        if (!ok || p.size() > 2 || v < 0 || v > 59)
            return {};
        out += QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
    }
    return out.left(2).toInt() > 23 ? QString() : out;
}

namespace {

// <name:length>value
void appendField(QByteArray& out, const char* name, QByteArrayView value)
{
    out += '<';
    out += name;
    out += ':';
    out += QByteArray::number(value.size());
    out += '>';
    out += value;
}

QByteArray buildAdif314(const std::vector<ContactRecord>& records, const AdifOptions& options,
                        const QString& programTitle, const QString& exportDate)
{
    const QString title = programTitle.left(50).trimmed();
    const QString programId = title.left(title.size() - 4).trimmed();
    const QString version = title.mid(programId.size()).trimmed();
    const QByteArray digitalMode = options.digitalMode.trimmed().toUpper().toLatin1();
    const SectionTable& sections = SectionTable::forEdition(options.rules);
    // Modes that ADIF 3.1.4 lists only as submodes go out under their mode.
    static const QHash<QByteArray, QByteArray> submodeOf{
        {"FT4", "MFSK"},   {"JS8", "MFSK"},   {"Q65", "MFSK"},    {"FST4", "MFSK"},   {"PSK31", "PSK"},
        {"PSK63", "PSK"},  {"PSK125", "PSK"}, {"QPSK31", "PSK"},  {"QPSK63", "PSK"},  {"PSK250", "PSK"},
    };
    const QByteArray digitalParent = submodeOf.value(digitalMode);
    const QByteArray power = options.power.toLatin1();
    const QByteArray comment = options.comment.toLatin1();
    QByteArray out;
    out.reserve(static_cast<qsizetype>(records.size()) * 300 + 400);
    // An empty value leaves its field out.
    auto tag = [&out](const char* name, QByteArrayView value) {
        if (value.isEmpty())
            return;
        appendField(out, name, value);
        out += ' ';
    };
    out += "ADIF export from " + title.toLatin1() + ", log exported on " + exportDate.toLatin1() + "\r\n";
    tag("ADIF_VER", "3.1.4");
    tag("PROGRAMID", programId.toLatin1());
    tag("PROGRAMVERSION", version.toLatin1());
    out += "\r\n<EOH>\r\n";
    for (const ContactRecord& r : records) {
        tag("CALL", r.call.toLatin1());
        const QDate d = parseLogDate(r.date);
        if (d.isValid())
            tag("QSO_DATE", compactDate(d, QChar()).toLatin1());
        tag("TIME_ON", adifTime(r.time).toLatin1());
        const bool satellite = r.band == QLatin1String("SAT");
        // A satellite contact's band is that of its recorded (uplink) frequency.
        tag("BAND", (satellite ? adifBandOfFrequency(r.freq) : adifBand(r.band)).toLatin1());
        const QByteArray mode = r.mode.toLatin1().toUpper();
        if (mode == "DIG") {
            tag("MODE", digitalParent.isEmpty() ? digitalMode : digitalParent);
            if (!digitalParent.isEmpty())
                tag("SUBMODE", digitalMode);
        } else {
            tag("MODE", mode == "PH" ? QByteArray("SSB") : mode);
        }
        tag("FREQ", r.freq.trimmed().toLatin1());
        if (satellite)
            tag("PROP_MODE", "SAT");
        out += "\r\n";
        tag("CONTEST_ID", "ARRL-FIELD-DAY");
        tag("CLASS", r.cls.toLatin1());
        tag("ARRL_SECT", r.section.toLatin1());
        const int dxcc = dxccEntity(r.section, r.call, sections);
        if (dxcc > 0)
            tag("DXCC", QByteArray::number(dxcc));
        if (dxcc == 1)
            tag("COUNTRY", "Canada");
        if (dxcc == 291 || dxcc == 110 || dxcc == 6)
            tag("STATE", sectionToState(r.section).toLatin1());
        if (r.section != QLatin1String("DX"))
            tag("CONT", "NA");
        tag("TX_PWR", power);
        tag("APP_FDLOG_INITIALS", r.op.toLatin1());
        tag("COMMENT", comment);
        out += "\r\n<EOR>\r\n";
    }
    return out;
}

} // namespace

QByteArray buildAdif(const std::vector<ContactRecord>& records, const AdifOptions& options, const QString& programTitle,
                     const QString& exportDate)
{
    if (!options.legacyWords)
        return buildAdif314(records, options, programTitle, exportDate);
    const QString title = programTitle.left(50).trimmed();
    const QString programId = title.left(title.size() - 4).trimmed();
    const QByteArray phoneMode = options.phoneMode.toUpper().toLatin1();
    const SectionTable& sections = SectionTable::forEdition(options.rules);
    const QByteArray power = options.power.toLatin1();
    const QByteArray comment = options.comment.toLatin1();
    QByteArray out;
    out.reserve(static_cast<qsizetype>(records.size()) * 260 + 400);
    out += "ADIF Export from " + title.toLatin1() + "\r\n";
    out += "Written by the Field Day Logger developers, free software for amateur radio.\r\n";
    out += "Questions and bug reports go to the project's issue tracker.\r\n";
    out += "<PROGRAMID:" + QByteArray::number(programId.size()) + '>' + programId.toLatin1() + "\r\n";
    out += "Log exported on: " + exportDate.toLatin1() + "\r\n";
    out += "\r\n<EOH>\r\n";

    // The caller adds the blank or line end that follows each field.
    auto tag = [&out](const char* name, QByteArrayView value) { appendField(out, name, value); };
    for (const ContactRecord& r : records) {
        if (!r.call.isEmpty()) {
            tag("Call", r.call.toLatin1());
            out += ' ';
        }
        const QDate d = parseLogDate(r.date);
        if (d.isValid()) {
            out += "<Qso_Date:8:d>";
            out += compactDate(d, QChar()).toLatin1();
            out += ' ';
        }
        if (!r.band.isEmpty()) {
            tag("Band", r.band.toLatin1() + 'M');
            out += ' ';
        }
        const QByteArray upperMode = r.mode.toLatin1().toUpper();
        const QByteArray& mode = upperMode == "PH" ? phoneMode : upperMode;
        if (!mode.isEmpty()) {
            tag("Mode", mode);
            out += "\r\n";
        }
        if (!power.isEmpty()) {
            tag("Tx_Pwr", power);
            out += ' ';
        }
        // hh:mm is hhmm00: the seconds go at the end, never the hours' place.
        const QByteArray time = r.time.isEmpty() ? QByteArray("000000") : adifTime(r.time).toLatin1();
        if (!time.isEmpty()) {
            tag("Time_On", time);
            out += ' ';
        }
        const int dxcc = dxccEntity(r.section, r.call, sections);
        if (dxcc > 0) {
            tag("DXCC", QByteArray::number(dxcc));
            out += ' ';
        }
        if (dxcc == 1)
            out += "<Country:6>Canada ";
        if (dxcc == 291 || dxcc == 110 || dxcc == 6) {
            const QString state = sectionToState(r.section);
            if (!state.isEmpty()) {
                tag("State", state.toLatin1());
                out += " \r\n";
            }
        }
        if (!r.section.isEmpty()) {
            tag("ARRL_SECT", r.section.toLatin1());
            out += ' ';
        }
        if (!r.cls.isEmpty()) {
            tag("CLASS", r.cls.toLatin1());
            out += " \r\n";
        }
        if (!r.freq.isEmpty()) {
            tag("Freq", r.freq.trimmed().toLatin1());
            out += ' ';
        }
        if (!r.op.isEmpty()) {
            tag("VESKA_FDInitials", r.op.toLatin1());
            out += ' ';
        }
        if (r.section != QLatin1String("DX"))
            out += "<Cont:2>NA ";
        if (!comment.isEmpty()) {
            tag("Comment", comment);
            out += "\r\n";
        }
        out += "<eor>\r\n\r\n";
    }
    return out;
}

bool exportAdif(const std::vector<ContactRecord>& records, const QString& dataDir, const QString& exportDate,
                Dialogs& dialogs, RulesEdition rules)
{
    AdifOptions o;
    o.rules = rules;
    // A cancelled input box answers empty, as an empty answer does.
    o.power = dialogs
                  .inputText(QStringLiteral("Please enter the power value that you would like to record.  This is "
                                            "an optional value that will be included in each QSO record and "
                                            "displayed in Ledra's power output column."),
                             QStringLiteral("Please enter your transmitter output power."), QStringLiteral("100"))
                  .value_or(QString());
    o.comment = dialogs
                    .inputText(QStringLiteral("Please enter a comment that you would like to appear on each QSO "
                                              "record.  This is an optional description that will be displayed in "
                                              "Ledra's Comments column."),
                               QStringLiteral("Please enter a comment."), QStringLiteral("ARRL Field Day Contest"))
                    .value_or(QString());
    o.legacyWords = dialogs.askYesNo(
        QStringLiteral("Write the older words (PH, DIG, 70M, SATM) that some contest programs expect?  Answer No "
                       "for ADIF 3.1.4 (SSB, 70cm, PROP_MODE SAT) that other logging programs accept."),
        QStringLiteral("ADIF Words"));
    if (o.legacyWords) {
        o.phoneMode = dialogs
                          .inputText(QStringLiteral("Please enter the mode designation that you would like to use for "
                                                    "phone contacts.  Be sure to designate PH if you are transferring "
                                                    "to another contest program!"),
                                     QStringLiteral("Mode?"), QStringLiteral("PH"))
                          .value_or(QString())
                          .toUpper();
    } else {
        o.digitalMode =
            dialogs
                .inputText(QStringLiteral("Please enter the ADIF mode for digital contacts (RTTY, FT8, FT4, "
                                          "PSK31...)."),
                           QStringLiteral("Digital Mode?"), QStringLiteral("RTTY"))
                .value_or(QString())
                .trimmed()
                .toUpper();
        if (o.digitalMode.isEmpty())
            o.digitalMode = QStringLiteral("RTTY");
    }
    return writeAdifExport(records, o, dataDir, exportDate, dialogs);
}

namespace {
const char* const kModernWords = "ADIF 3.1.4 (SSB, 70cm, PROP_MODE SAT)";
const char* const kLegacyWords = "Older words (PH, DIG, 70M, SATM)";
} // namespace

std::optional<AdifOptions> askAdifOptions(Dialogs& dialogs, RulesEdition rules)
{
    AdifOptions o;
    o.rules = rules;
    const QStringList words{QString::fromLatin1(kModernWords), QString::fromLatin1(kLegacyWords)};
    const auto answers = dialogs.askForm(
        QStringLiteral("ADIF Export"),
        QStringLiteral("Power and comment are optional: they go into every QSO record (Ledra's power and Comments "
                       "columns).  Choose the older words for contest programs that expect them."),
        {{QStringLiteral("Transmitter output power"), o.power},
         {QStringLiteral("Comment"), o.comment},
         {QStringLiteral("Mode and band words"), words[0], words},
         {QStringLiteral("Phone mode (older words)"), o.phoneMode},
         {QStringLiteral("Digital mode (ADIF 3.1.4)"), o.digitalMode}});
    if (!answers || answers->size() < 5)
        return std::nullopt;
    o.power = (*answers)[0];
    o.comment = (*answers)[1];
    o.legacyWords = (*answers)[2] == words[1];
    o.phoneMode = (*answers)[3].trimmed().toUpper();
    o.digitalMode = (*answers)[4].trimmed().toUpper();
    if (o.digitalMode.isEmpty())
        o.digitalMode = QStringLiteral("RTTY");
    return o;
}

bool writeAdifExport(const std::vector<ContactRecord>& records, const AdifOptions& o, const QString& dataDir,
                     const QString& exportDate, Dialogs& dialogs)
{
    const QString path = dialogs.saveFileName(QStringLiteral("ADIF Export"), dataDir + QStringLiteral("/Field Day.adi"),
                                              QStringLiteral("*.adi"));
    if (path.isEmpty() || refuseLiveLogTarget(dataDir, path, dialogs))
        return false;
    if (!writeReportFile(path, buildAdif(records, o, QString::fromLatin1(ProgramTitle), exportDate), dialogs))
        return false;
    dialogs.message(QStringLiteral("The file was successfully written to the directory:\n\n") + path + QLatin1Char('.'),
                    QStringLiteral("File Written Successfully."), Dialogs::Icon::Information);
    return true;
}
