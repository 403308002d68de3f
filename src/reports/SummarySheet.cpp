#include "reports/SummarySheet.h"

#include "log/Bands.h"
#include "log/LiveLogFiles.h"
#include "log/Logbook.h"
#include "reports/ReportFile.h"
#include "reports/ReportText.h"
#include "reports/SummaryFile.h"
#include "reports/SummaryKeptValues.h"
#include "settings/SharedPreferences.h"
#include "settings/UserSettingsStore.h"
#include "util/Dialogs.h"

namespace {

qint64 toNumber(const QString& text)
{
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    return ok ? n : 0;
}

}  // namespace

QString numericOrZero(const QString& text)
{
    bool ok = false;
    text.trimmed().toLongLong(&ok);
    return ok ? text : QStringLiteral("0");
}

GotaCounts gotaCounts(const SummaryValues& v) { return {toNumber(v.gotaCw), toNumber(v.gotaDig), toNumber(v.gotaPh)}; }

Score summaryScore(const BandModeCounts& counts, const SummaryValues& v)
{
    if (v.rules == RulesEdition::AsWritten)
        return computeScore(counts, gotaCounts(v), v.power);
    Score s = computeScore(counts, gotaCounts(v), PowerClass::None);
    s.claimed = currentRulesScore(counts, v).claimed;
    return s;
}

PowerSources sheetPowerSources(const SummaryValues& v)
{
    PowerSources s = v.claims.sources;
    s.generator = v.generator;
    s.battery = v.battery;
    s.mains = v.commercialMains;
    s.other = v.otherPower;
    return s;
}

ClaimedScore currentRulesScore(const BandModeCounts& counts, const SummaryValues& v)
{
    EntryClaims c = v.claims;
    c.sources = sheetPowerSources(v);
    // The GOTA station's contacts are credited to the entry as the written sheet counts them;
    // its 5-point bonus per contact is a claim of its own.
    return scoreClaims(computeScore(counts, gotaCounts(v), PowerClass::None).qsoPoints, c,
                       entryClassLetter(v.ownClass));
}

QString proposedSummaryPath(const QString& dataDir, const QString& callUsed)
{
    return dataDir + QLatin1Char('/') + AlphanumericOnly(callUsed.trimmed()) + QStringLiteral(".sum");
}

bool WriteSummaryFile(SummaryValues& v, const BandModeCounts& counts, int logSize, const QString& dataDir,
                      const QDate& today, Dialogs& dialogs, UserSettingsStore& store, SharedPreferences& shared)
{
    v.totalBonus = numericOrZero(v.totalBonus);
    v.gotaCw = numericOrZero(v.gotaCw);
    v.gotaDig = numericOrZero(v.gotaDig);
    v.gotaPh = numericOrZero(v.gotaPh);
    v.callUsed = v.callUsed.trimmed();
    const QString path = dialogs.saveFileName(QStringLiteral("Write Summary File"),
                                              proposedSummaryPath(dataDir, v.callUsed), QStringLiteral("*.sum"));
    if (path.isEmpty() || refuseLiveLogTarget(dataDir, path, dialogs))
        return false;
    if (!writeReportFile(path, buildSummaryFile(v, counts, today), dialogs))
        return false;
    dialogs.message(QStringLiteral("The file was successfully written to the directory:\n\n") + path
                        + QStringLiteral(".\n\nAttach this file to an e-mail addressed for contest submission.  If "
                                         "you wish to print this file, you can open it with Notepad or Wordpad to "
                                         "print."),
                    QStringLiteral("File Written Successfully."), Dialogs::Icon::Information);
    if (logSize > 0) {
        dialogs.message(
            QStringLiteral("A group that submits its Field Day entry through the web form at "
                           "www.arrl.org/field-day may claim a 50 point bonus.  This bonus is open to every "
                           "class.\n\nUsing the web site is a very easy way to submit your Field Day entry!  Simply "
                           "open the summary file that you just created in Notepad or Wordpad.  You will see the "
                           "QSO totals by band to enter in the web form."),
            QStringLiteral("EARN 50 Extra Bonus Points!"), Dialogs::Icon::Information);
        dialogs.message(QStringLiteral("Thanks for using this program.  I hope that you enjoyed it!  If so, please "
                                       "tell a friend!\n\n73 and see you on the air next Field Day."),
                        QStringLiteral("  Thanks!"), Dialogs::Icon::Information);
    }
    storeKeptSummaryValues(store, shared, v);
    return true;
}

bool summaryIdentityComplete(const QString& call, const QString& cls, const QString& section)
{
    return call.size() >= 2 && cls.size() >= 2 && section.size() >= 2;
}

QString SummaryTexts::printedFormsMessage()
{
    return QStringLiteral("The ARRL no longer accepts printed summary sheets made by a computer.  Please send your "
                          "entry as the log and summary files attached to an e-mail addressed to "
                          "fieldday@arrl.org.\n\nSee help for more information.");
}

QString classLetter(const QString& cls)
{
    return cls.right(1);
}

QString transmitterCount(const QString& cls)
{
    return cls.left(cls.size() - 1);
}

QString modeColumns(const QString& cw, const QString& digital, const QString& phone)
{
    return ReportLine().tab(20).text(cw).tab(35).text(digital).tab(50).text(phone).str();
}
