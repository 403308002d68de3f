#include "reports/AdifExport.h"

#include "log/LiveLogFiles.h"
#include "reports/ReportFile.h"
#include "util/Dialogs.h"
#include "util/ProgramInfo.h"

#include <QDate>
#include <QHash>
#include <QSet>


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

int dxccEntity(const QString& section, const QString& call)
{
    static const QSet<QString> canada{"MAR", "NL", "QC", "ON", "MB", "SK", "AB", "BC", "NWT"};
    if (section == QLatin1String("PR"))
        return 202;
    if (section == QLatin1String("VI"))
        return 285;
    if (canada.contains(section))
        return 1;
    if (section == QLatin1String("PAC"))
        return 110;
    if (section == QLatin1String("AK"))
        return 6;
    const QChar first = call.isEmpty() ? QChar() : call[0];
    if (first == QLatin1Char('A') || first == QLatin1Char('K') || first == QLatin1Char('N') || first == QLatin1Char('W'))
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
        } else if ((c == QLatin1Char('/') || c == QLatin1Char('-')) && n < 2 && digits[n] > 0
                   && (sep.isNull() || sep == c)) {
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

QByteArray buildAdif(const std::vector<ContactRecord>& records, const AdifOptions& options,
                     const QString& programTitle, const QString& exportDate)
{
    const QString title = programTitle.left(50).trimmed();
    const QString programId = title.left(title.size() - 4).trimmed();
    const QByteArray phoneMode = options.phoneMode.toUpper().toLatin1();
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

    // Appends <name:length>value; the caller adds the blank or line end that follows.
    auto tag = [&out](const char* name, QByteArrayView value) {
        out += '<';
        out += name;
        out += ':';
        out += QByteArray::number(value.size());
        out += '>';
        out += value;
    };
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
        QByteArray time = r.time.toLatin1();
        time.replace(":", "");
        if (time.size() < 6)
            time = QByteArray(6 - time.size(), '0').append(time);
        if (time >= "0000") {
            tag("Time_On", time);
            out += ' ';
        }
        const int dxcc = dxccEntity(r.section, r.call);
        if (dxcc > 0) {
            tag("DXCC", QByteArray::number(dxcc));
            out += ' ';
        }
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
                Dialogs& dialogs)
{
    AdifOptions o;
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
    o.phoneMode = dialogs
                      .inputText(QStringLiteral("Please enter the mode designation that you would like to use for "
                                                "phone contacts.  Be sure to designate PH if you are transferring to "
                                                "another contest program!"),
                                 QStringLiteral("Mode?"), QStringLiteral("PH"))
                      .value_or(QString())
                      .toUpper();
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
