#include "reports/AdifExport.h"

#include "reports/ReportFile.h"
#include "util/Dialogs.h"
#include "util/ProgramInfo.h"

#include <QDate>
#include <QHash>

namespace {

QString tag(const char* name, const QString& value)
{
    return QLatin1Char('<') + QLatin1String(name) + QLatin1Char(':') + QString::number(value.size())
        + QLatin1Char('>') + value;
}

}  // namespace

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
    static const QStringList canada{"MAR", "NL", "QC", "ON", "MB", "SK", "AB", "BC", "NWT"};
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
    const QString t = text.trimmed();
    for (const char* f : {"yyyy/M/d", "yyyy-M-d", "M/d/yyyy"}) {
        const QDate d = QDate::fromString(t, QLatin1String(f));
        if (d.isValid())
            return d;
    }
    return {};
}

QByteArray buildAdif(const std::vector<ContactRecord>& records, const AdifOptions& options,
                     const QString& programTitle, const QString& exportDate)
{
    const QString title = programTitle.left(50).trimmed();
    const QString programId = title.left(title.size() - 4).trimmed();
    const QString phoneMode = options.phoneMode.toUpper();
    QString out;
    out.reserve(static_cast<qsizetype>(records.size()) * 260 + 400);
    const QLatin1String crlf("\r\n");
    out += QStringLiteral("ADIF Export from ") + title + crlf;
    out += QStringLiteral("Written by the Field Day Logger developers, free software for amateur radio.") + crlf;
    out += QStringLiteral("Questions and bug reports go to the project's issue tracker.") + crlf;
    out += QStringLiteral("<PROGRAMID:") + QString::number(programId.size()) + QLatin1Char('>') + programId + crlf;
    out += QStringLiteral("Log exported on: ") + exportDate + crlf;
    out += crlf;
    out += QStringLiteral("<EOH>") + crlf;

    for (const ContactRecord& r : records) {
        if (!r.call.isEmpty())
            out += tag("Call", r.call) + QLatin1Char(' ');
        const QDate d = parseLogDate(r.date);
        if (d.isValid()) {
            const QString ds = d.toString(QStringLiteral("yyyyMMdd"));
            out += QStringLiteral("<Qso_Date:") + QString::number(ds.size()) + QStringLiteral(":d>") + ds
                + QLatin1Char(' ');
        }
        if (!r.band.isEmpty())
            out += tag("Band", r.band + QLatin1Char('M')) + QLatin1Char(' ');
        const QString mode = r.mode.toUpper() == QLatin1String("PH") ? phoneMode : r.mode.toUpper();
        if (!mode.isEmpty())
            out += tag("Mode", mode) + crlf;
        if (!options.power.isEmpty())
            out += tag("Tx_Pwr", options.power) + QLatin1Char(' ');
        QString time = r.time;
        time.remove(QLatin1Char(':'));
        time = time.rightJustified(6, QLatin1Char('0'));
        if (time >= QLatin1String("0000"))
            out += tag("Time_On", time) + QLatin1Char(' ');
        const int dxcc = dxccEntity(r.section, r.call);
        if (dxcc > 0)
            out += tag("DXCC", QString::number(dxcc)) + QLatin1Char(' ');
        if (dxcc == 291 || dxcc == 110 || dxcc == 6) {
            const QString state = sectionToState(r.section);
            if (!state.isEmpty())
                out += tag("State", state) + QLatin1Char(' ') + crlf;
        }
        if (!r.section.isEmpty())
            out += tag("ARRL_SECT", r.section) + QLatin1Char(' ');
        if (!r.cls.isEmpty())
            out += tag("CLASS", r.cls) + QLatin1Char(' ') + crlf;
        if (!r.freq.isEmpty())
            out += tag("Freq", r.freq.trimmed()) + QLatin1Char(' ');
        if (!r.op.isEmpty())
            out += tag("VESKA_FDInitials", r.op) + QLatin1Char(' ');
        if (r.section != QLatin1String("DX"))
            out += QStringLiteral("<Cont:2>NA ");
        if (!options.comment.isEmpty())
            out += tag("Comment", options.comment) + crlf;
        out += QStringLiteral("<eor>") + crlf + crlf;
    }
    return out.toLatin1();
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
    if (path.isEmpty())
        return false;
    if (!writeReportFile(path, buildAdif(records, o, QString::fromLatin1(ProgramTitle), exportDate), dialogs))
        return false;
    dialogs.message(QStringLiteral("The file was successfully written to the directory:\n\n") + path + QLatin1Char('.'),
                    QStringLiteral("File Written Successfully."), Dialogs::Icon::Information);
    return true;
}
