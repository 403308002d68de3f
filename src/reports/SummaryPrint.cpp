#include "reports/SummaryPrint.h"

#include "log/Bands.h"
#include "reports/BonusCalculator.h"
#include "reports/ReportText.h"

#include <QStringList>

namespace {

QString printMark(bool on)
{
    return on ? QStringLiteral("X") : QString();
}

// The old sheet's bonus checks, which the current rules replaced by scored bonuses.
void writtenBonusLines(QStringList& l, const SummaryValues& v)
{
    l << QStringLiteral("100% Emergency Power ") + printMark(v.bonusEmergencyPower);
    l << QStringLiteral("W1AW Field Day Message ") + printMark(v.bonusW1awMessage);
    l << QStringLiteral("Media Publicity ") + printMark(v.bonusMedia);
    l << QStringLiteral("Messages Relayed ") + printMark(v.bonusMessagesRelayed) + QStringLiteral(" No. ") +
             v.messagesRelayed;
    l << QStringLiteral("Location in a public place ") + printMark(v.bonusPublicPlace);
    l << QStringLiteral("Satellite ") + printMark(v.bonusSatellite);
    l << QStringLiteral("Information Booth ") + printMark(v.bonusInfoBooth);
    l << QStringLiteral("Natural Power ") + printMark(v.bonusNaturalPower);
    l << QStringLiteral("Message to SM ") + printMark(v.bonusMessageToSm);
    l << QStringLiteral("Non-traditional Mode ") + printMark(v.bonusNonTraditional);
    l << QStringLiteral("Other ") + QStringLiteral(" ") + v.nonTraditionalModes;
}

// Every bonus of the current rules with its count and points, then the total and the claimed score.
void currentBonusLines(QStringList& l, const SummaryValues& v, const BandModeCounts& counts)
{
    const BonusResult bonus = computeBonus(v.claims.bonus, entryClassLetter(v.ownClass));
    for (const BonusLine& b : bonus.lines) {
        QString label = printMark(b.points > 0).leftJustified(3) + QLatin1String(b.rule->rule) + QLatin1Char(' ') +
                        QLatin1String(b.rule->label);
        if (b.rule->counted)
            label += QStringLiteral(" (# %1)").arg(b.claimed);
        if (b.claimed > 0 && !b.refusal.isEmpty())
            label += QStringLiteral(" - ") + b.refusal;
        // The points right-aligned at column 76; a longer line runs on rather than breaking.
        l << label.leftJustified(70) + QString::number(b.points).rightJustified(6);
    }
    l << QStringLiteral("Total Bonus Points: ") + ReportLine::basicNumber(bonus.total);
    l << QStringLiteral("Claimed Score: ") + ReportLine::basicNumber(currentRulesScore(counts, v).claimed);
}

} // namespace

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
      << QStringLiteral("   Other ") + printMark(v.otherPower);
    if (v.rules == RulesEdition::FieldDay2025) {
        l << QStringLiteral("   Solar ") + printMark(v.claims.sources.solar)
          << QStringLiteral("   Wind ") + printMark(v.claims.sources.wind);
    }
    l << QString();
    l << QStringLiteral("10. Callsign of Novice/Tech Station: ") + v.gotaCall << QString();
    l << QStringLiteral("11. ");
    l << modeColumns(QStringLiteral("CW"), QStringLiteral("Digital"), QStringLiteral("PH"));
    auto row = [](const QString& label, qint64 a, qint64 b, qint64 c) {
        return ReportLine().text(label).tab(20).number(a).tab(35).number(b).tab(50).number(c).str();
    };
    const QStringList& bands = Bands::labels();
    for (int b = 0; b < bands.size(); ++b)
        l << row(bands[b], counts.at(b, 0), counts.at(b, 1), counts.at(b, 2));
    l << row(QStringLiteral("Subtotals"), counts.modeTotal(0), counts.modeTotal(1), counts.modeTotal(2));
    l << row(QStringLiteral("Novice Totals"), g.cw, g.dig, g.ph);
    l << row(QStringLiteral("Totals"), s.cwTotal, s.digitalTotal, s.phoneTotal);
    // The current rules' step and multiplier; the line below stays the score without bonus.
    const bool current = v.rules == RulesEdition::FieldDay2025;
    const bool chosen = current ? v.claims.level != PowerLevel::None : v.power != PowerClass::None;
    const int multiplier = current ? currentRulesScore(counts, v).multiplier : powerMultiplier(v.power);
    l << QStringLiteral("Maximum power used: ") + (current ? powerLevelText(v.claims.level) : powerText(v.power)) +
             QStringLiteral(" Watts");
    l << QStringLiteral("12. Total");
    l << QStringLiteral("   CW QSO's ") + num(s.cwTotal) + QStringLiteral(" X 2 = ") + num(2 * s.cwTotal);
    l << QStringLiteral("   Digital QSO's ") + num(s.digitalTotal) + QStringLiteral(" X 2 = ") +
             num(2 * s.digitalTotal);
    l << QStringLiteral("   Phone QSO's ") + num(s.phoneTotal) + QStringLiteral(" X 1 = ") + num(s.phoneTotal);
    // The old print zones were 14 characters wide: the value goes to the next zone.
    const QString pointsLabel = QStringLiteral("   Total QSO Points: ");
    const int zone = static_cast<int>((pointsLabel.size() / 14 + 1) * 14 + 1);
    l << ReportLine().text(pointsLabel).tab(zone).number(s.qsoPoints).str();
    l << QStringLiteral("13. Total QSO points ") + num(s.qsoPoints) + QStringLiteral(" X power multiplier ") +
             (chosen ? num(multiplier) : QString());
    l << QStringLiteral("    equals claimed score less bonus points: ") + num(s.qsoPoints * multiplier);
    l << QStringLiteral("14. Bonus Points:");
    if (current)
        currentBonusLines(l, v, counts);
    else
        writtenBonusLines(l, v);
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
