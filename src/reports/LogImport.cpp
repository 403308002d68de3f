#include "reports/LogImport.h"

#include "log/ContactLog.h"
#include "log/LogField.h"
#include "log/LogFile.h"
#include "log/Logbook.h"
#include "reports/LogMerger.h"
#include "util/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

void replaceLog(ContactLog& log, const std::vector<ContactRecord>& records)
{
    log.clear();
    for (const ContactRecord& r : records)
        log.add(r);
}

}  // namespace

ImportReport appendLogFile(const QString& path, Logbook& logbook, const QString& dataDir, const ImportOptions& options,
                           Dialogs& dialogs, const ImportProgress& progress)
{
    ImportReport report;
    ContactLog& log = logbook.log();
    const QString trimmed = path.trimmed();
    const bool adif = path.size() > 4 && path.right(4).compare(QLatin1String(".adi"), Qt::CaseInsensitive) == 0;

    if (!adif) {
        const QString primary = QDir::cleanPath(dataDir + QStringLiteral("/fdlog.dat"));
        const QFileInfo in(trimmed), own(primary);
        const bool same = QDir::cleanPath(trimmed).compare(primary, Qt::CaseInsensitive) == 0
            || (in.exists() && own.exists() && in.canonicalFilePath() == own.canonicalFilePath());
        if (same) {
            dialogs.beep();
            dialogs.message(QStringLiteral("You can not append the same file onto itself."),
                            QStringLiteral("Invalid Request!"), Dialogs::Icon::Warning);
            report.outcome = ImportReport::Outcome::Refused;
            return report;
        }
    }

    QFile f(adif ? path : trimmed);
    if (!f.open(QIODevice::ReadOnly)) {
        if (adif) {
            dialogs.message(QStringLiteral("There was an error reading the ADIF file format."),
                            QStringLiteral("Invalid ADIF File Format."), Dialogs::Icon::Critical);
            report.outcome = ImportReport::Outcome::AdifOpenError;
        } else {
            dialogs.message(QStringLiteral("Unable to read file."), QStringLiteral("Append Error"),
                            Dialogs::Icon::Critical);
            report.outcome = ImportReport::Outcome::ReadError;
        }
        return report;
    }
    const QByteArray data = f.readAll();
    f.close();

    // The merged log replaces fdlog.dat: while lines of it were left unread, that would lose them.
    if (logbook.refuseRewrite()) {
        report.outcome = ImportReport::Outcome::Refused;
        return report;
    }

    LogMerger merger(log.records(), options.eliminateDuplicates);
    bool failed = false;
    if (adif) {
        int recordNo = 0;
        int firstRefused = 0;
        int refusedField = -1;
        for (ContactRecord& r : readAdif(data, options.digitalAsDig, progress)) {
            ++recordNo;
            // Stored the way the entry fields would have stored it; what the log cannot hold
            // is left out and reported, never written.
            LogField::toStoredCase(r);
            const int invalid = LogField::firstInvalidField(r);
            if (invalid >= 0) {
                if (report.refused++ == 0) {
                    firstRefused = recordNo;
                    refusedField = invalid;
                }
                continue;
            }
            if (merger.add(std::move(r)) == LogMerger::Result::Full)
                break;
        }
        if (report.refused > 0)
            dialogs.message(QStringLiteral("%1 record(s) of %2 were not added: a field holds a control character or a "
                                           "double quote, or is longer than %3 characters (the first is record %4, "
                                           "its %5 field).")
                                .arg(report.refused)
                                .arg(path)
                                .arg(LogField::MaxLength)
                                .arg(firstRefused)
                                .arg(LogField::fieldName(refusedField)),
                            QStringLiteral("Append Error"), Dialogs::Icon::Warning);
    } else {
        qsizetype pos = 0;
        qsizetype lastReport = 0;
        while (pos < data.size()) {
            qsizetype nl = data.indexOf('\n', pos);
            if (nl < 0)
                nl = data.size();
            QByteArrayView line = QByteArrayView(data).sliced(pos, nl - pos);
            pos = nl + 1;
            if (line.endsWith('\r'))
                line.chop(1);
            if (line.trimmed().isEmpty())
                continue;
            ContactRecord r;
            if (!parseLogLine(line, r) || merger.add(std::move(r)) == LogMerger::Result::Full) {
                failed = true;
                break;
            }
            if (progress && pos - lastReport >= ImportProgressStep) {
                lastReport = pos;
                progress(pos, data.size());
            }
        }
        if (progress && !failed)
            progress(data.size(), data.size());
    }
    report.added = merger.added();
    report.duplicates = merger.duplicates();
    if (report.added > 0)
        replaceLog(log, merger.takeMerged());
    if (failed) {
        dialogs.message(QStringLiteral("Unable to read file."), QStringLiteral("Append Error"), Dialogs::Icon::Critical);
        report.outcome = ImportReport::Outcome::ReadError;
        return report;
    }
    if (!logbook.rewriteAndReload())
        report.outcome = ImportReport::Outcome::WriteFailed;
    return report;
}
