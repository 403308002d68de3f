#include "reports/TextReports.h"

#include "log/Bands.h"
#include "log/LiveLogFiles.h"
#include "log/Logbook.h"
#include "log/SectionTable.h"
#include "reports/AdifExport.h"
#include "reports/ReportFile.h"
#include "reports/ReportText.h"
#include "util/Dialogs.h"

#include <QAbstractItemModel>
#include <algorithm>

namespace {

constexpr int LogLinesPerPage = 53;

QString logLine(const ContactRecord& r, const int (&cols)[7])
{
    ReportLine l;
    const QString* fields[] = {&r.band, &r.mode, &r.date, &r.time, &r.call, &r.cls, &r.section};
    for (int i = 0; i < 7; ++i)
        l.tab(cols[i]).text(*fields[i]);
    return l.str();
}

QStringList dupeGroupLines(const QString& band, const QString& mode, const QStringList& calls)
{
    QStringList l;
    l << band + QStringLiteral("  ") + mode;
    l << calls;
    l << QString();
    l << band + QStringLiteral("  ") + mode + QStringLiteral(" Total Contacts ") + ReportLine::basicNumber(calls.size());
    l << QString() << QString();
    return l;
}

void reportWritten(const QString& path, Dialogs& dialogs)
{
    dialogs.beep();
    dialogs.message(QStringLiteral("The file has been successfully written to:\n\n") + path,
                    QStringLiteral("File Successfully written."), Dialogs::Icon::Information);
}

}  // namespace

QString reportHeadingLine(const StationIdentity& id)
{
    return ReportLine()
        .text(QStringLiteral("     Call Used: ") + id.call + QStringLiteral("  Class: ") + id.cls)
        .tab(52)
        .text(QStringLiteral("ARRL Section: ") + id.section)
        .str();
}

QByteArray buildAsciiLog(const std::vector<ContactRecord>& records, const StationIdentity& id)
{
    static const int cols[7] = {1, 6, 12, 24, 34, 45, 52};
    QStringList l;
    l << reportHeadingLine(id) << QString();
    for (const ContactRecord& r : records)
        l << logLine(r, cols);
    return toFileText(l);
}

QStringList dupeSheetCalls(const std::vector<ContactRecord>& records, const QString& band, const QString& mode)
{
    QStringList keys;
    for (const ContactRecord& r : records) {
        if (r.band != band || r.mode != mode)
            continue;
        QChar digit = QLatin1Char(' ');
        for (QChar c : r.call) {
            if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
                digit = c;
                break;
            }
        }
        keys << digit + r.call;
    }
    std::stable_sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseSensitive) < 0;
    });
    for (QString& k : keys)
        k.remove(0, 1);
    return keys;
}

QByteArray buildDupeSheet(const std::vector<ContactRecord>& records, const StationIdentity& id)
{
    QStringList l;
    l << reportHeadingLine(id) << QString();
    for (const QString& band : Bands::labels()) {
        for (const QString& mode : Bands::modes()) {
            const QStringList calls = dupeSheetCalls(records, band, mode);
            if (!calls.isEmpty())
                l << dupeGroupLines(band, mode, calls);
        }
    }
    return toFileText(l);
}

PrintPages printedLogPages(const std::vector<ContactRecord>& records, const StationIdentity& id)
{
    static const int cols[7] = {5, 11, 18, 30, 41, 56, 63};
    QStringList heading;
    heading << QString() << QString(35, QLatin1Char(' ')) + QStringLiteral("ARRL Field Day") << QString();
    heading << ReportLine()
                   .text(QStringLiteral("    Call Used: ") + id.call)
                   .tab(30)
                   .text(QStringLiteral("Class: ") + id.cls)
                   .tab(54)
                   .text(QStringLiteral("ARRL Section: ") + id.section)
                   .str();
    heading << QString() << QString();
    ReportLine colHead;
    const char* names[7] = {"Bnd", "Mode", "Date", "Time", "Call", "Class", "Section"};
    for (int i = 0; i < 7; ++i)
        colHead.tab(cols[i]).text(QLatin1String(names[i]));
    heading << colHead.str() << QString();

    PrintPages pages;
    pages.push_back(heading);
    int onPage = 0;
    for (const ContactRecord& r : records) {
        if (onPage == LogLinesPerPage) {
            pages.push_back(heading);
            onPage = 0;
        }
        pages.back() << logLine(r, cols);
        ++onPage;
    }
    return pages;
}

PrintPages printedDupePages(const std::vector<ContactRecord>& records, const StationIdentity& id)
{
    QStringList heading;
    heading << QString() << QString() << QString(27, QLatin1Char(' ')) + QStringLiteral("ARRL Field Day Dupe Sheet")
            << QString() << reportHeadingLine(id) << QString() << QString();
    PrintPages pages;
    pages.push_back(heading);
    int counter = 7;
    const QStringList& bands = Bands::labels();
    for (int b = 0; b < 12; ++b) {
        for (const QString& mode : Bands::modes()) {
            const QStringList calls = dupeSheetCalls(records, bands[b], mode);
            if (calls.isEmpty())
                continue;
            pages.back() << bands[b] + QStringLiteral("  ") + mode;
            for (const QString& c : calls) {
                if (++counter > 54) {
                    pages.push_back(heading);
                    counter = 7;
                }
                pages.back() << c;
            }
            pages.back() << QString()
                         << bands[b] + QStringLiteral("  ") + mode + QStringLiteral(" Total Contacts ")
                    + ReportLine::basicNumber(calls.size())
                         << QString() << QString();
            counter += 4;
        }
    }
    return pages;
}

QByteArray buildLedraExport(const std::vector<ContactRecord>& records, RulesEdition rules)
{
    QByteArray out;
    out.reserve(static_cast<qsizetype>(records.size()) * 110);
    auto q = [&out](const QString& s) {
        if (s.isEmpty())
            return;
        out += '"';
        out += s.toLatin1();
        out += '"';
    };
    const QString comment = QStringLiteral("ARRL Field Day Contest - Section - ");
    const SectionTable& sections = SectionTable::forEdition(rules);
    for (const ContactRecord& r : records) {
        const bool canada = dxccEntity(r.section, r.call, sections) == 1 || r.call.startsWith(QLatin1Char('V'));
        q(r.call);
        out += ',';
        q(r.date);
        out += ',';
        q(r.band);
        out += ',';
        q(r.mode);
        out += ",,";
        q(r.time);
        out += ",,,,";
        out += canada ? "\"Canada\"," : "\"USA\",";
        if (!canada)
            q(sectionToState(r.section));
        out += ",,,,,";
        q(comment + r.section);
        out += "\r\n";
    }
    return out;
}

QString buildClipboardText(const QAbstractItemModel& model)
{
    QString out;
    const int cols = model.columnCount();
    for (int c = 0; c < cols; ++c) {
        if (c > 0)
            out += QLatin1Char('\t');
        out += model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    out += QStringLiteral("\r\n");
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < cols; ++c) {
            if (c > 0)
                out += QLatin1Char('\t');
            out += model.data(model.index(r, c), Qt::DisplayRole).toString();
        }
        out += QStringLiteral("\r\n");
    }
    return out;
}

bool writeAsciiLog(const std::vector<ContactRecord>& records, StationIdentity& id, const QString& dataDir,
                   Dialogs& dialogs)
{
    id.call = id.call.trimmed();
    const QString path =
        dialogs.saveFileName(QStringLiteral("ASCII Log"),
                             dataDir + QLatin1Char('/') + AlphanumericOnly(id.call) + QStringLiteral("-ASCIILog.txt"),
                             QStringLiteral("*.txt"));
    if (path.isEmpty() || refuseLiveLogTarget(dataDir, path, dialogs) ||
        !writeReportFile(path, buildAsciiLog(records, id), dialogs))
        return false;
    reportWritten(path, dialogs);
    return true;
}

bool writeDupeSheet(const std::vector<ContactRecord>& records, StationIdentity& id, const QString& dataDir,
                    Dialogs& dialogs)
{
    id.call = id.call.trimmed();
    const QString path =
        dialogs.saveFileName(QStringLiteral("ASCII Dupe Sheet"),
                             dataDir + QLatin1Char('/') + AlphanumericOnly(id.call) + QStringLiteral("-ASCIIDup.txt"),
                             QStringLiteral("*.txt"));
    if (path.isEmpty() || refuseLiveLogTarget(dataDir, path, dialogs) ||
        !writeReportFile(path, buildDupeSheet(records, id), dialogs))
        return false;
    reportWritten(path, dialogs);
    return true;
}

bool writeLedraExport(const std::vector<ContactRecord>& records, const QString& dataDir, Dialogs& dialogs,
                      RulesEdition rules)
{
    const QString path = dataDir + QStringLiteral("/LogExp.txt");
    if (!writeReportFile(path, buildLedraExport(records, rules), dialogs))
        return false;
    dialogs.beep();
    dialogs.message(QStringLiteral("The file LogExp.txt was written to the program's working directory:\n\n") + dataDir
                        + QStringLiteral("\n\nTo bring it into Ledra, choose File, then Import, and pick LogExp.txt "
                                         "from this directory."),
                    QStringLiteral("Export Successful!"), Dialogs::Icon::Information);
    return true;
}
