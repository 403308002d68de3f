#include "reports/SummaryFile.h"

#include "log/Bands.h"
#include "reports/ReportText.h"

#include <QDate>
#include <QStringList>

namespace {

QString mark(bool on)
{
    return on ? QStringLiteral("X") : QStringLiteral(" ");
}

// The written sheet's three power steps, its score without bonus and its twelve bonus checks.
void writtenRulesLines(QStringList& l, const SummaryValues& v, const Score& s, const GotaCounts& g)
{
    auto num = &ReportLine::basicNumber;
    l << QStringLiteral("12. Power Multiplier (select only one)") << QString();
    l << mark(v.power == PowerClass::Qrp5) + QStringLiteral(" 5 Watts or less and Battery powered = 5");
    l << mark(v.power == PowerClass::Low150) + QStringLiteral(" 150 Watts or less = 2");
    l << mark(v.power == PowerClass::High) + QStringLiteral(" Over 150 Watts = 1") << QString();
    l << QStringLiteral("13. Power Multiplier: ") +
             (v.power == PowerClass::None ? QString() : num(powerMultiplier(v.power)))
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
    l << mark(v.bonusMessagesRelayed) + QStringLiteral(" Formal NTS messages handled (# ") + v.messagesRelayed +
             QLatin1Char(')');
    l << mark(v.bonusSatellite) + QStringLiteral(" Satellite QSO completed");
    l << mark(v.bonusNaturalPower) + QStringLiteral(" Natural Power QSO's Completed");
    l << mark(v.bonusSiteVisited) + QStringLiteral(" Site Visited by invited officials");
    l << mark(g.cw + g.dig + g.ph >= 400) + QStringLiteral(" GOTA maximum QSO's achieved");
    l << mark(v.bonusNonTraditional) + QStringLiteral(" Non-Traditional mode: ") + v.nonTraditionalModes;
    l << mark(v.bonusYouth) + QStringLiteral(" Youth Participation (# ") + v.youthCount + QLatin1Char(')') << QString();
    l << QStringLiteral("Total Bonus Points Claimed: ") + v.totalBonus << QString();
}

// The current rules' power steps, the claimed score with its bonus and one line per bonus with
// its points, in place of the written sheet's three steps and twelve unscored checks.
void currentRulesLines(QStringList& l, const SummaryValues& v, const BandModeCounts& counts, const Score& s)
{
    auto num = &ReportLine::basicNumber;
    const ClaimedScore c = currentRulesScore(counts, v);
    const PowerLevel p = v.claims.level;
    l << QStringLiteral("12. Power Multiplier (select only one)") << QString();
    l << mark(p == PowerLevel::Up5) + QStringLiteral(" 5 Watts or less, no commercial mains or generator = 5");
    l << mark(p == PowerLevel::Up100) + QStringLiteral(" 100 Watts or less = 2");
    l << mark(p == PowerLevel::Over100) + QStringLiteral(" Over 100 Watts = 1");
    if (!c.x5Refusal.isEmpty())
        l << c.x5Refusal;
    l << QString();
    l << QStringLiteral("13. Power Multiplier: ") + (p == PowerLevel::None ? QString() : num(c.multiplier))
      << QString();
    l << QStringLiteral("14. Claimed Score: ") + num(s.claimed) << QString();
    l << QStringLiteral("15. Bonus points claimed (included in the claimed score):  include the required")
      << QStringLiteral("proof of points with your submission.  All bonus points will be verified at ARRL HQ.")
      << QString();
    const BonusResult bonus = computeBonus(v.claims.bonus, entryClassLetter(v.ownClass));
    for (const BonusLine& b : bonus.lines) {
        QString label =
            QLatin1Char(' ') + QLatin1String(b.rule->rule) + QLatin1Char(' ') + QLatin1String(b.rule->label);
        if (b.rule->counted)
            label += QStringLiteral(" (# %1)").arg(b.claimed);
        if (b.claimed > 0 && !b.refusal.isEmpty())
            label += QStringLiteral(" - ") + b.refusal;
        l << ReportLine().text(mark(b.points > 0) + label).numberEndingAt(b.points, 80).str();
    }
    l << QString() << QStringLiteral("Total Bonus Points Claimed: ") + num(bonus.total) << QString();
}

} // namespace

QByteArray buildSummaryFile(const SummaryValues& v, const BandModeCounts& counts, const QDate& today)
{
    const bool current = v.rules == RulesEdition::FieldDay2025;
    const Score s = summaryScore(counts, v);
    const GotaCounts g = gotaCounts(v);
    const QString letter = classLetter(v.ownClass);
    const QString power = current ? powerLevelText(v.claims.level) : powerText(v.power);
    // The GOTA station runs 100 W at most, whatever the entry's own step.
    const QString gotaPower = !current && v.power == PowerClass::High            ? QStringLiteral("150")
                              : current && v.claims.level == PowerLevel::Over100 ? QStringLiteral("100")
                                                                                 : power;
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
    if (current) {
        l << mark(v.claims.sources.solar) + QStringLiteral(" Solar");
        l << mark(v.claims.sources.wind) + QStringLiteral(" Wind");
    }
    l << mark(v.otherPower) + QStringLiteral(" Other (list) ") + v.otherPowerList << QString();
    l << QStringLiteral("7. ARRL / RAC Section: ") + v.ownSection << QString();
    l << QStringLiteral("8. Total CW QSO's: ") + num(s.cwTotal) + QStringLiteral(" X 2 =  Total CW QSO points: ") +
             num(2 * s.cwTotal);
    l << QStringLiteral("9. Total Digital QSO's: ") + num(s.digitalTotal) +
             QStringLiteral(" X 2 =  Total Digital QSO points: ") + num(2 * s.digitalTotal);
    l << QStringLiteral("10. Total Phone QSO's: ") + num(s.phoneTotal) +
             QStringLiteral(" X 1 =  Total Phone QSO points: ") + num(s.phoneTotal)
      << QString();
    l << QStringLiteral("11. Total QSO points: ") + num(s.qsoPoints) << QString();
    if (current)
        currentRulesLines(l, v, counts, s);
    else
        writtenRulesLines(l, v, s, g);
    l << QStringLiteral("16. I/We have observed all competition rules as well as all regulations")
      << QStringLiteral("for amateur radio in my/our country.  My/our report is correct and true")
      << QStringLiteral("to the best of my/our knowledge.  I/We agree to be bound by the")
      << QStringLiteral("decisions of the ARRL Awards Committee.") << QString();
    l << QStringLiteral("Date: ") + today.toString(QStringLiteral("MM/dd/yyyy")) << QString();
    l << QStringLiteral("Call: ") + v.callUsed << QString();
    l << QStringLiteral("Signature: ") + v.yourName << QStringLiteral("Address: ") + v.address1
      << QStringLiteral("Address: ") + v.address2 << QString();
    l << QStringLiteral("E-Mail Address: ") + v.email << QString();
    l << modeColumns(QStringLiteral("CW"), QStringLiteral("Digital"), QStringLiteral("Phone"));
    const QString qsoPower = QStringLiteral("QSO   Power");
    l << modeColumns(qsoPower, qsoPower, qsoPower);
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
