#include "reports/SummarySheet.h"

#include "log/Bands.h"
#include "log/LiveLogFiles.h"
#include "log/Logbook.h"
#include "reports/ReportFile.h"
#include "reports/ReportText.h"
#include "settings/SharedPreferences.h"
#include "settings/UserSettingsStore.h"
#include "util/Dialogs.h"

namespace {

QString mark(bool on) { return on ? QStringLiteral("X") : QStringLiteral(" "); }
QString printMark(bool on) { return on ? QStringLiteral("X") : QString(); }

QString classLetter(const QString& cls) { return cls.right(1); }
QString transmitterCount(const QString& cls) { return cls.left(cls.size() - 1); }

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
    return computeScore(counts, gotaCounts(v), v.power);
}

QByteArray buildSummaryFile(const SummaryValues& v, const BandModeCounts& counts, const QDate& today)
{
    const Score s = summaryScore(counts, v);
    const GotaCounts g = gotaCounts(v);
    const QString letter = classLetter(v.ownClass);
    const QString power = powerText(v.power);
    const QString gotaPower = v.power == PowerClass::High ? QStringLiteral("150") : power;
    auto num = &ReportLine::basicNumber;

    QStringList l;
    l << QStringLiteral("ARRL Field Day") << QString();
    l << ReportLine()
             .text(QStringLiteral("1. Field Day Call Used: ") + v.callUsed)
             .tab(45)
             .text(QStringLiteral("GOTA Station Call: ") + v.gotaCall)
             .str()
      << QString();
    l << QStringLiteral("2. Club or Group Name: ") + v.clubName << QString();
    l << QStringLiteral("3. Number of Participants: ") + v.participants << QString();
    l << QStringLiteral("4. Number of transmitters in simultaneous operation: ") + transmitterCount(v.ownClass)
      << QString();
    l << QStringLiteral("5. Entry Class: Check only one.") << QString();
    l << mark(letter == QLatin1String("A")) + QStringLiteral(" A. Club or non-club portable");
    l << mark(letter == QLatin1String("B")) + QStringLiteral(" B. 1 or 2 person non-club group portable");
    l << QStringLiteral("  List calls of operators: ") + v.classBCalls;
    l << mark(letter == QLatin1String("C")) + QStringLiteral(" C. Mobile");
    l << mark(letter == QLatin1String("D")) + QStringLiteral(" D. Home station commercial power");
    l << mark(letter == QLatin1String("E")) + QStringLiteral(" E. Home station emergency power");
    l << mark(letter == QLatin1String("F")) + QStringLiteral(" F. Emergency Operations Center") << QString();
    l << QStringLiteral("6. Check All power sources used.") << QString();
    l << mark(v.generator) + QStringLiteral(" Generator");
    l << mark(v.commercialMains) + QStringLiteral(" Commercial mains");
    l << mark(v.battery) + QStringLiteral(" Battery");
    l << mark(v.otherPower) + QStringLiteral(" Other (list) ") + v.otherPowerList << QString();
    l << QStringLiteral("7. ARRL / RAC Section: ") + v.ownSection << QString();
    l << QStringLiteral("8. Total CW QSO's: ") + num(s.cwTotal) + QStringLiteral(" X 2 =  Total CW QSO points: ")
            + num(2 * s.cwTotal);
    l << QStringLiteral("9. Total Digital QSO's: ") + num(s.digitalTotal)
            + QStringLiteral(" X 2 =  Total Digital QSO points: ") + num(2 * s.digitalTotal);
    l << QStringLiteral("10. Total Phone QSO's: ") + num(s.phoneTotal)
            + QStringLiteral(" X 1 =  Total Phone QSO points: ") + num(s.phoneTotal)
      << QString();
    l << QStringLiteral("11. Total QSO points: ") + num(s.qsoPoints) << QString();
    l << QStringLiteral("12. Power Multiplier (select only one)") << QString();
    l << mark(v.power == PowerClass::Qrp5) + QStringLiteral(" 5 Watts or less and Battery powered = 5");
    l << mark(v.power == PowerClass::Low150) + QStringLiteral(" 150 Watts or less = 2");
    l << mark(v.power == PowerClass::High) + QStringLiteral(" Over 150 Watts = 1") << QString();
    l << QStringLiteral("13. Power Multiplier: ")
            + (v.power == PowerClass::None ? QString() : num(powerMultiplier(v.power)))
      << QString();
    l << QStringLiteral("14. Claimed Score: ") + num(s.claimed) << QString();
    l << QStringLiteral("15. Bonus points claimed:  Please check each block as appropriate and")
      << QStringLiteral("include required proof of points with your submission.  All bonus points")
      << QStringLiteral("will be verified at ARRL HQ and added to your score.") << QString();
    l << mark(v.bonusEmergencyPower) + QStringLiteral(" 100% Emergency power");
    l << mark(v.bonusMedia) + QStringLiteral(" Media Publicity");
    l << mark(v.bonusPublicPlace) + QStringLiteral(" Set-up in Public Place");
    l << mark(v.bonusInfoBooth) + QStringLiteral(" Information Booth");
    l << mark(v.bonusMessageToSm) + QStringLiteral(" NTS message to ARRL SM/SEC");
    l << mark(v.bonusW1awMessage) + QStringLiteral(" W1AW Field Day Message");
    l << mark(v.bonusMessagesRelayed) + QStringLiteral(" Formal NTS messages handled (# ") + v.messagesRelayed
            + QLatin1Char(')');
    l << mark(v.bonusSatellite) + QStringLiteral(" Satellite QSO completed");
    l << mark(v.bonusNaturalPower) + QStringLiteral(" Natural Power QSO's Completed");
    l << mark(v.bonusSiteVisited) + QStringLiteral(" Site Visited by invited officials");
    l << mark(g.cw + g.dig + g.ph >= 400) + QStringLiteral(" GOTA maximum QSO's achieved");
    l << mark(v.bonusNonTraditional) + QStringLiteral(" Non-Traditional mode: ") + v.nonTraditionalModes;
    l << mark(v.bonusYouth) + QStringLiteral(" Youth Participation (# ") + v.youthCount + QLatin1Char(')')
      << QString();
    l << QStringLiteral("Total Bonus Points Claimed: ") + v.totalBonus << QString();
    l << QStringLiteral("16. I/We have observed all competition rules as well as all regulations")
      << QStringLiteral("for amateur radio in my/our country.  My/our report is correct and true")
      << QStringLiteral("to the best of my/our knowledge.  I/We agree to be bound by the")
      << QStringLiteral("decisions of the ARRL Awards Committee.") << QString();
    l << QStringLiteral("Date: ") + today.toString(QStringLiteral("MM/dd/yyyy")) << QString();
    l << QStringLiteral("Call: ") + v.callUsed << QString();
    l << QStringLiteral("Signature: ") + v.yourName << QStringLiteral("Address: ") + v.address1
      << QStringLiteral("Address: ") + v.address2 << QString();
    l << QStringLiteral("E-Mail Address: ") + v.email << QString();
    l << ReportLine()
             .tab(20)
             .text(QStringLiteral("CW"))
             .tab(35)
             .text(QStringLiteral("Digital"))
             .tab(50)
             .text(QStringLiteral("Phone"))
             .str();
    const QString qsoPower = QStringLiteral("QSO   Power");
    l << ReportLine().tab(20).text(qsoPower).tab(35).text(qsoPower).tab(50).text(qsoPower).str();
    const QStringList& bands = Bands::labels();
    for (int b = 0; b < bands.size(); ++b) {
        l << ReportLine()
                 .text(bands[b])
                 .numberEndingAt(counts.at(b, 0), 22)
                 .tab(27)
                 .text(power)
                 .numberEndingAt(counts.at(b, 1), 37)
                 .tab(42)
                 .text(power)
                 .numberEndingAt(counts.at(b, 2), 52)
                 .tab(57)
                 .text(power)
                 .str();
    }
    l << ReportLine()
             .text(QStringLiteral("GOTA"))
             .textEndingAt(v.gotaCw, 22)
             .tab(27)
             .text(gotaPower)
             .textEndingAt(v.gotaDig, 37)
             .tab(42)
             .text(gotaPower)
             .textEndingAt(v.gotaPh, 52)
             .tab(57)
             .text(gotaPower)
             .str();
    l << ReportLine()
             .text(QStringLiteral("Totals"))
             .numberEndingAt(s.cwTotal, 22)
             .tab(27)
             .text(QStringLiteral("CW"))
             .numberEndingAt(s.digitalTotal, 37)
             .tab(42)
             .text(QStringLiteral("Dig"))
             .numberEndingAt(s.phoneTotal, 52)
             .tab(57)
             .text(QStringLiteral("Phone"))
             .str()
      << QString();
    l << QStringLiteral("18. List all callsigns of all operators and number of QSO's completed")
      << QStringLiteral("of the GOTA Station:") << QString();
    QString ops = v.gotaOperators;
    ops.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    l << ops;
    return toFileText(l);
}

QStringList printedSummaryLines(const SummaryValues& v, const BandModeCounts& counts)
{
    const Score s = summaryScore(counts, v);
    const GotaCounts g = gotaCounts(v);
    auto num = &ReportLine::basicNumber;
    const QString letter = classLetter(v.ownClass);

    QStringList l;
    l << QString() << QString() << QString() << QStringLiteral("ARRL Field Day") << QString();
    l << QStringLiteral("1. Field Day Call Used: ") + v.callUsed << QString();
    l << QStringLiteral("2. Club or Group Name: ") + v.clubName << QString();
    l << QStringLiteral("3. Field Day Location: ") + v.location << QString();
    l << QStringLiteral("4. Check if you began setup prior to 1800 UTC Saturday: ") + printMark(v.setupEarly)
      << QString();
    l << QStringLiteral("5. Number of people participating in this operation: ") + v.participants << QString();
    l << QStringLiteral("6. Number of transmitters in simultaneous operation: ") + transmitterCount(v.ownClass)
      << QString();
    l << QStringLiteral("7. ARRL/ Canadian Section: ") + v.ownSection << QString();
    l << QStringLiteral("8. Entry Class: ") + letter;
    if (letter == QLatin1String("B")) {
        l << (v.classBOneOp ? QStringLiteral(" 1 op X") : QStringLiteral(" 1 op"))
          << (v.classBOneOp ? QStringLiteral(" 2 op") : QStringLiteral(" 2 op X")) << QString()
          << QStringLiteral("List Operators: ") + v.classBCalls;
    }
    l << QString();
    l << QStringLiteral("9. Power Source: ") << QStringLiteral("   Generator ") + printMark(v.generator)
      << QStringLiteral("   Battery ") + printMark(v.battery)
      << QStringLiteral("   Commercial Mains ") + printMark(v.commercialMains)
      << QStringLiteral("   Other ") + printMark(v.otherPower) << QString();
    l << QStringLiteral("10. Callsign of Novice/Tech Station: ") + v.gotaCall << QString();
    l << QStringLiteral("11. ");
    l << ReportLine()
             .tab(20)
             .text(QStringLiteral("CW"))
             .tab(35)
             .text(QStringLiteral("Digital"))
             .tab(50)
             .text(QStringLiteral("PH"))
             .str();
    auto row = [](const QString& label, qint64 a, qint64 b, qint64 c) {
        return ReportLine().text(label).tab(20).number(a).tab(35).number(b).tab(50).number(c).str();
    };
    const QStringList& bands = Bands::labels();
    for (int b = 0; b < bands.size(); ++b)
        l << row(bands[b], counts.at(b, 0), counts.at(b, 1), counts.at(b, 2));
    l << row(QStringLiteral("Subtotals"), counts.modeTotal(0), counts.modeTotal(1), counts.modeTotal(2));
    l << row(QStringLiteral("Novice Totals"), g.cw, g.dig, g.ph);
    l << row(QStringLiteral("Totals"), s.cwTotal, s.digitalTotal, s.phoneTotal);
    l << QStringLiteral("Maximum power used: ") + powerText(v.power) + QStringLiteral(" Watts");
    l << QStringLiteral("12. Total");
    l << QStringLiteral("   CW QSO's ") + num(s.cwTotal) + QStringLiteral(" X 2 = ") + num(2 * s.cwTotal);
    l << QStringLiteral("   Digital QSO's ") + num(s.digitalTotal) + QStringLiteral(" X 2 = ")
            + num(2 * s.digitalTotal);
    l << QStringLiteral("   Phone QSO's ") + num(s.phoneTotal) + QStringLiteral(" X 1 = ") + num(s.phoneTotal);
    // The old print zones were 14 characters wide: the value goes to the next zone.
    const QString pointsLabel = QStringLiteral("   Total QSO Points: ");
    const int zone = static_cast<int>((pointsLabel.size() / 14 + 1) * 14 + 1);
    l << ReportLine().text(pointsLabel).tab(zone).number(s.qsoPoints).str();
    l << QStringLiteral("13. Total QSO points ") + num(s.qsoPoints) + QStringLiteral(" X power multiplier ")
            + (v.power == PowerClass::None ? QString() : num(powerMultiplier(v.power)));
    l << QStringLiteral("    equals claimed score less bonus points: ") + num(s.claimed);
    l << QStringLiteral("14. Bonus Points:");
    l << QStringLiteral("100% Emergency Power ") + printMark(v.bonusEmergencyPower);
    l << QStringLiteral("W1AW Field Day Message ") + printMark(v.bonusW1awMessage);
    l << QStringLiteral("Media Publicity ") + printMark(v.bonusMedia);
    l << QStringLiteral("Messages Relayed ") + printMark(v.bonusMessagesRelayed) + QStringLiteral(" No. ")
            + v.messagesRelayed;
    l << QStringLiteral("Location in a public place ") + printMark(v.bonusPublicPlace);
    l << QStringLiteral("Satellite ") + printMark(v.bonusSatellite);
    l << QStringLiteral("Information Booth ") + printMark(v.bonusInfoBooth);
    l << QStringLiteral("Natural Power ") + printMark(v.bonusNaturalPower);
    l << QStringLiteral("Message to SM ") + printMark(v.bonusMessageToSm);
    l << QStringLiteral("Non-traditional Mode ") + printMark(v.bonusNonTraditional);
    l << QStringLiteral("Other ") + QStringLiteral(" ") + v.nonTraditionalModes;
    l << QStringLiteral("Please enclose log, photos, comments, ideas, etc. with your entry and");
    l << QStringLiteral("mail it to: ARRL Field Day, 225 Main Street, Newington, CT 06111 USA") << QString();
    l << QStringLiteral("Contest questions by e-mail: contests@arrl.org");
    l << QStringLiteral("Entries by e-mail: fieldday@arrl.org");
    l << QStringLiteral("Rules and results: www.arrl.org/field-day");
    l << QStringLiteral("I have observed all competition rules as well as all regulations for")
      << QStringLiteral("Amateur Radio in my country.  My report is correct and true to the best")
      << QStringLiteral("of my knowledge.  I agree to be bound by the decisions of the")
      << QStringLiteral("ARRL Awards Committee.");
    l << QStringLiteral("Date __________  Signature ___________________  Call ______________");
    l << QStringLiteral("16. Full Mailing Address");
    l << QStringLiteral("Name: ") + v.yourName + QStringLiteral("     Call:") + v.callUsed;
    l << QStringLiteral("Address: ") + v.address1 << v.address2;
    l << QStringLiteral("Email Address: ") + v.email;
    return l;
}

void loadKeptSummaryValues(const UserSettingsStore& store, SummaryValues& v)
{
    v.yourName = store.value(QStringLiteral("UserAddressName"));
    v.address1 = store.value(QStringLiteral("UserAddressLine1"));
    v.address2 = store.value(QStringLiteral("UserAddressLine2"));
    v.email = store.value(QStringLiteral("UserEMail"));
    v.clubName = store.value(QStringLiteral("UserClubName"));
}

void storeKeptSummaryValues(UserSettingsStore& store, SharedPreferences& shared, const SummaryValues& v)
{
    const QString name = v.yourName.trimmed(), a1 = v.address1.trimmed(), a2 = v.address2.trimmed(),
                  mail = v.email.trimmed(), club = v.clubName.trimmed();
    store.setValue(QStringLiteral("UserAddressName"), name);
    store.setValue(QStringLiteral("UserAddressLine1"), a1);
    store.setValue(QStringLiteral("UserAddressLine2"), a2);
    store.setValue(QStringLiteral("UserEMail"), mail);
    store.setValue(QStringLiteral("UserClubName"), club);
    shared.SetSharedPreference(QStringLiteral("OWN_ADDRESS_NAME"), name, false);
    shared.SetSharedPreference(QStringLiteral("OWN_ADDRESS_Line1"), a1, false);
    shared.SetSharedPreference(QStringLiteral("OWN_ADDRESS_Line2"), a2, false);
    shared.SetSharedPreference(QStringLiteral("OWN_EMAIL"), mail, false);
    shared.SetSharedPreference(QStringLiteral("OWN_CLUB_NAME"), club, true);
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
