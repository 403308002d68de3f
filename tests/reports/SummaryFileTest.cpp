#include "reports/SummaryFile.h"
#include "ReportGolden.h"
#include "log/Logbook.h"
#include "reports/SummaryKeptValues.h"
#include "reports/SummaryPrint.h"
#include "reports/SummarySheet.h"
#include "settings/SharedPreferences.h"
#include "settings/UserSettingsStore.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

QString sp(int n)
{
    return QString(n, QLatin1Char(' '));
}

ContactRecord qso(const char* call, const char* band, const char* mode)
{
    return {call, "", "", "2026/06/27", "18:00:00", band, mode, "", ""};
}

std::vector<ContactRecord> smallLog()
{
    // Two CW on 20, one phone on 40, one digital via satellite; a contact on 30 m and one
    // with an imported mode text count nowhere.
    return {qso("W1AW", "20", "CW"),    qso("K2XX", "20", "CW"), qso("N3YY", "40", "PH"),
            qso("VE3ZZ", "SAT", "DIG"), qso("W4AA", "30", "CW"), qso("W5BB", "20", "SSB")};
}

SummaryValues classBValues()
{
    SummaryValues v;
    v.callUsed = QStringLiteral("K1ABC");
    v.ownClass = QStringLiteral("1B");
    v.ownSection = QStringLiteral("ENY");
    v.gotaCall = QStringLiteral("W1GOT");
    v.clubName = QStringLiteral("Test Club");
    v.participants = QStringLiteral("3");
    v.classBCalls = QStringLiteral("K1ABC N1XYZ");
    v.power = PowerClass::High;
    v.generator = true;
    v.battery = true;
    v.otherPower = true;
    v.otherPowerList = QStringLiteral("Solar");
    v.gotaCw = QStringLiteral("200");
    v.gotaDig = QStringLiteral("150");
    v.gotaPh = QStringLiteral("50");
    v.gotaOperators = QStringLiteral("W1AAA 200\nW1BBB 200");
    v.bonusMedia = true;
    v.bonusMessagesRelayed = true;
    v.messagesRelayed = QStringLiteral("5");
    v.youthCount = QStringLiteral("2");
    v.totalBonus = QStringLiteral("250");
    v.yourName = QStringLiteral("Pat Smith");
    v.address1 = QStringLiteral("1 Main St");
    v.address2 = QStringLiteral("Town, NY");
    v.email = QStringLiteral("pat@example.org");
    return v;
}

// The summary file as lines, written on 2026-06-28.
QStringList fileLines(const SummaryValues& v, const BandModeCounts& counts = {})
{
    return QString::fromLatin1(buildSummaryFile(v, counts, QDate(2026, 6, 28))).split(QStringLiteral("\r\n"));
}

// A data folder, the dialogs and the two stores the summary keeps its values in.
struct SummaryWrite : ::testing::Test {
    TempDataDir dir;
    ScriptedDialogs dialogs;
    UserSettingsStore store{dir.file("user.ini")};
    SharedPreferences shared;
    SummaryValues v = classBValues();

    bool write(int contacts, const QString& answer)
    {
        dialogs.fileAnswers.push_back(answer);
        return WriteSummaryFile(v, {}, contacts, dir.path(), QDate(2026, 6, 28), dialogs, store, shared);
    }
};

} // namespace

// Every band row is written, counted or not: 20 m CW 2, 40 m PH 1, SAT DIG 1.
TEST(SummaryFile, ClassBHighPowerWithGotaMaximumWholeFile)
{
    const QByteArray got = buildSummaryFile(classBValues(), CountContactsByBandAndMode(smallLog()), QDate(2026, 6, 28));
    EXPECT_EQ(got.toStdString(), golden("summary-class-b.sum").toStdString());
}

TEST(SummaryFile, EmptyLogNoPowerAndGotaJustBelowMaximum)
{
    SummaryValues v = classBValues();
    v.ownClass = QStringLiteral("12A");
    v.power = PowerClass::None;
    v.gotaCw = QStringLiteral("399");
    v.gotaDig = QStringLiteral("0");
    v.gotaPh = QStringLiteral("0");
    const QStringList lines = fileLines(v);
    EXPECT_TRUE(lines.contains(QStringLiteral("4. Number of transmitters in simultaneous operation: 12")));
    EXPECT_TRUE(lines.contains(QStringLiteral("X A. Club or non-club portable")));
    EXPECT_TRUE(lines.contains(QStringLiteral("  B. 1 or 2 person non-club group portable")));
    EXPECT_TRUE(lines.contains(QStringLiteral("  GOTA maximum QSO's achieved")));
    EXPECT_TRUE(lines.contains(QStringLiteral("13. Power Multiplier: ")));
    EXPECT_TRUE(lines.contains(QStringLiteral("14. Claimed Score:  0 ")));
    // Blank power columns still pad the row out to the last power column.
    EXPECT_TRUE(lines.contains(QStringLiteral("160") + sp(18) + "0" + sp(14) + "0" + sp(14) + "0" + sp(4)));
    EXPECT_TRUE(lines.contains(QStringLiteral("GOTA") + sp(15) + "399" + sp(14) + "0" + sp(14) + "0" + sp(4)));

    v.gotaDig = QStringLiteral("1");
    EXPECT_TRUE(fileLines(v).contains(QStringLiteral("X GOTA maximum QSO's achieved")));
}

TEST(SummaryFile, PowerClassesAndNumbersWiderThanOneDigit)
{
    std::vector<ContactRecord> log;
    for (int i = 0; i < 1234; ++i)
        log.push_back(qso("W1AW", "20", "CW"));
    SummaryValues v = classBValues();
    v.power = PowerClass::Low150;
    v.gotaCw = v.gotaDig = v.gotaPh = QStringLiteral("0");
    const QStringList lines = fileLines(v, CountContactsByBandAndMode(log));
    // 1234 ends in column 22: its leading blank stands in column 18.
    EXPECT_TRUE(lines.contains(QStringLiteral("20") + sp(15) + " 1234 " + sp(3) + "150" + sp(7) + "0" + sp(4) + "150" +
                               sp(7) + "0" + sp(4) + "150"));
    EXPECT_TRUE(lines.contains(QStringLiteral("X 150 Watts or less = 2")));
    EXPECT_TRUE(lines.contains(QStringLiteral("13. Power Multiplier:  2 ")));
    EXPECT_TRUE(lines.contains(QStringLiteral("14. Claimed Score:  4936 ")));

    v.power = PowerClass::Qrp5;
    const QStringList qrp = fileLines(v);
    EXPECT_TRUE(qrp.contains(QStringLiteral("X 5 Watts or less and Battery powered = 5")));
    EXPECT_TRUE(qrp.contains(QStringLiteral("13. Power Multiplier:  5 ")));
}

TEST_F(SummaryWrite, MessagesKeptValuesAndProposedName)
{
    shared.LoadSharedPreferences(dir.file("SharedUserPreferences.xml"));
    v.callUsed = QStringLiteral(" K1ABC/4 ");
    v.yourName = QStringLiteral("  Pat Smith ");
    v.gotaPh = QStringLiteral("lots");
    v.totalBonus = QString();
    const QString out = dir.file("entry.sum");
    ASSERT_TRUE(write(5, out));

    ASSERT_EQ(dialogs.calls.size(), 4u);
    EXPECT_EQ(dialogs.calls[0].title, dir.path() + "/K1ABC.sum");
    EXPECT_EQ(dialogs.calls[0].extra, QStringLiteral("*.sum"));
    EXPECT_EQ(dialogs.calls[1].title, QStringLiteral("File Written Successfully."));
    EXPECT_EQ(dialogs.calls[1].text,
              "The file was successfully written to the directory:\n\n" + out +
                  ".\n\nAttach this file to an e-mail addressed for contest submission.  If you wish to print this "
                  "file, you can open it with Notepad or Wordpad to print.");
    EXPECT_EQ(dialogs.calls[2].title, QStringLiteral("EARN 50 Extra Bonus Points!"));
    EXPECT_TRUE(dialogs.calls[2].text.endsWith(
        "\n\nUsing the web site is a very easy way to submit your Field Day entry!  Simply open the summary file that "
        "you just created in Notepad or Wordpad.  You will see the QSO totals by band to enter in the web form."));
    EXPECT_EQ(dialogs.calls[3].title, QStringLiteral("  Thanks!"));
    EXPECT_TRUE(dialogs.calls[3].text.startsWith(
        "Thanks for using this program.  I hope that you enjoyed it!  If so, please tell a friend!"));

    const QByteArray file = readBytes(out);
    EXPECT_TRUE(file.startsWith("ARRL Field Day\r\n\r\n1. Field Day Call Used: K1ABC/4"));
    EXPECT_TRUE(file.contains("\r\nTotal Bonus Points Claimed: 0\r\n"));
    EXPECT_EQ(v.gotaPh, QStringLiteral("0"));

    EXPECT_EQ(store.value("UserAddressName"), QStringLiteral("Pat Smith"));
    EXPECT_EQ(store.value("UserClubName"), QStringLiteral("Test Club"));
    const QByteArray xml = readBytes(dir.file("SharedUserPreferences.xml"));
    EXPECT_TRUE(xml.contains("<OWN_ADDRESS_NAME>Pat Smith</OWN_ADDRESS_NAME>"));
    EXPECT_TRUE(xml.contains("<OWN_CLUB_NAME>Test Club</OWN_CLUB_NAME>"));

    SummaryValues reopened;
    loadKeptSummaryValues(store, reopened);
    EXPECT_EQ(reopened.email, QStringLiteral("pat@example.org"));
    EXPECT_EQ(reopened.address2, QStringLiteral("Town, NY"));
}

TEST_F(SummaryWrite, EmptyLogShowsOnlyTheFirstMessageAndCancelWritesNothing)
{
    ASSERT_TRUE(write(0, dir.file("a.sum")));
    EXPECT_EQ(dialogs.messages().size(), 1);

    dialogs.clear();
    v.yourName = QStringLiteral("Somebody Else");
    EXPECT_FALSE(write(3, QString()));
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(store.value("UserAddressName"), QStringLiteral("Pat Smith"));

    dialogs.clear();
    EXPECT_FALSE(write(3, dir.file("missing-folder/b.sum")));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Unable to write file."));
    EXPECT_EQ(store.value("UserAddressName"), QStringLiteral("Pat Smith"));
}

TEST(SummaryPrint, ClassBLinesTableAndPrintZone)
{
    SummaryValues v = classBValues();
    v.classBOneOp = false;
    const QStringList l = printedSummaryLines(v, CountContactsByBandAndMode(smallLog()));
    EXPECT_EQ(l.mid(0, 4), QStringList({"", "", "", "ARRL Field Day"}));
    const auto at = l.indexOf(QStringLiteral("8. Entry Class: B"));
    ASSERT_GE(at, 0);
    EXPECT_EQ(l.mid(at + 1, 4), QStringList({" 1 op", " 2 op X", "", "List Operators: K1ABC N1XYZ"}));
    EXPECT_TRUE(l.contains("20" + sp(18) + "2" + sp(14) + "0" + sp(14) + "0 "));
    EXPECT_TRUE(l.contains("Novice Totals" + sp(7) + "200" + sp(12) + "150" + sp(12) + "50 "));
    EXPECT_TRUE(l.contains("Totals" + sp(14) + "202" + sp(12) + "151" + sp(12) + "51 "));
    EXPECT_TRUE(l.contains(QStringLiteral("Maximum power used: 150 + Watts")));
    // "   Total QSO Points: " is 21 long: the value goes to the zone starting at column 29.
    EXPECT_TRUE(l.contains("   Total QSO Points: " + sp(7) + " 757 "));
    EXPECT_TRUE(l.contains(QStringLiteral("Messages Relayed X No. 5")));
    EXPECT_TRUE(l.contains(QStringLiteral("   Generator X")));
    EXPECT_TRUE(l.contains(QStringLiteral("   Commercial Mains ")));
}

TEST(SummaryIdentity, NeedsTwoCharactersEachAndPortableCallProposal)
{
    EXPECT_TRUE(summaryIdentityComplete("K1ABC", "2A", "CT"));
    EXPECT_FALSE(summaryIdentityComplete("K1ABC", "A", "CT"));
    EXPECT_FALSE(summaryIdentityComplete("", "2A", "CT"));
    EXPECT_EQ(proposedSummaryPath("/d", "/P"), QStringLiteral("/d/YourCall.sum"));
}

// The current rules' sheet, worked out by hand. The small log's QSO points: CW 2 x 2 + DIG 1 x 2
// + PH 1 = 7. Bonus for 2A: media 100, 12 messages capped at 100, 3 youth 60 = 260.
TEST(SummaryFile, CurrentRulesPowerStepsAndBonusInTheClaimedScore)
{
    SummaryValues v = classBValues();
    v.rules = RulesEdition::FieldDay2025;
    v.ownClass = QStringLiteral("2A");
    v.gotaCw = v.gotaDig = v.gotaPh = QStringLiteral("0");
    v.generator = v.otherPower = false;
    v.claims.level = PowerLevel::Up5;
    v.claims.sources.solar = true;
    v.claims.bonus = {{"media", 1}, {"messages_handled", 12}, {"youth", 3}};
    const auto file = [&v] { return fileLines(v, CountContactsByBandAndMode(smallLog())); };
    QStringList l = file();
    const auto at = l.indexOf(QStringLiteral("6. Check All power sources used."));
    ASSERT_GE(at, 0);
    EXPECT_EQ(l.mid(at + 2, 6), QStringList({"  Generator", "  Commercial mains", "X Battery", "X Solar", "  Wind",
                                             "  Other (list) Solar"}));
    const auto m = l.indexOf(QStringLiteral("12. Power Multiplier (select only one)"));
    ASSERT_GE(m, 0);
    // clang-format off
    const QStringList expected{
        "12. Power Multiplier (select only one)", "",
        "X 5 Watts or less, no commercial mains or generator = 5", "  100 Watts or less = 2",
        "  Over 100 Watts = 1", "",
        "13. Power Multiplier:  5 ", "",
        "14. Claimed Score:  295 ", "",
        "15. Bonus points claimed (included in the claimed score):  include the required",
        "proof of points with your submission.  All bonus points will be verified at ARRL HQ.", "",
        "  7.3.1 100% emergency power (per transmitter, up to 20) (# 0)" + sp(17) + "0 ",
        "X 7.3.2 Media publicity" + sp(54) + "100 ",
    };
    // clang-format on
    EXPECT_EQ(l.mid(m, expected.size()), expected);
    EXPECT_TRUE(l.contains("X 7.3.6 Formal messages handled (10 each, up to 100) (# 12)" + sp(18) + "100 "));
    EXPECT_TRUE(l.contains("X 7.3.15 Youth participation (20 each, up to 100) (# 3)" + sp(23) + "60 "));
    EXPECT_TRUE(l.contains(QStringLiteral("Total Bonus Points Claimed:  260 ")));
    // The counts end in columns 22, 37 and 52; the power starts in columns 27, 42 and 57.
    EXPECT_TRUE(l.contains("20" + sp(19) + "2    5" + sp(9) + "0    5" + sp(9) + "0    5"));

    // Each power step, a source that rules x5 out, and a class B capped lower and refused a bonus.
    const struct {
        PowerLevel level;
        bool generator;
        const char* cls;
        const char* multiplier;
        const char* claimed;
        const char* gotaPower;
    } rows[] = {
        {PowerLevel::Up5, true, "2A", "2", "274", "5"},        {PowerLevel::Up100, false, "2A", "2", "274", "100"},
        {PowerLevel::Over100, false, "2A", "1", "267", "100"}, {PowerLevel::None, false, "2A", "", "260", ""},
        {PowerLevel::Over100, false, "1B", "1", "147", "100"}, // 7 + 100 + 40 youth; no safety officer
    };
    v.claims.bonus.insert(QStringLiteral("safety_officer"), 1);
    v.claims.bonus.remove(QStringLiteral("media"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.claimed);
        v.claims.level = row.level;
        v.generator = row.generator;
        v.ownClass = QString::fromLatin1(row.cls);
        l = file();
        const QString multiplier = *row.multiplier ? QStringLiteral(" %1 ").arg(row.multiplier) : QString();
        EXPECT_TRUE(l.contains(QStringLiteral("13. Power Multiplier: ") + multiplier));
        EXPECT_EQ(l.contains(X5RefusedText), row.generator);
        EXPECT_TRUE(l.contains(QStringLiteral("14. Claimed Score:  %1 ").arg(row.claimed)));
        const auto gota = std::find_if(l.begin(), l.end(), [](const QString& s) { return s.startsWith("GOTA "); });
        ASSERT_NE(gota, l.end());
        EXPECT_TRUE(gota->endsWith(sp(4) + row.gotaPower)) << gota->toStdString();
    }
    EXPECT_TRUE(l.contains("  7.3.17 Safety Officer - Only class A may claim this bonus" + sp(20) + "0 "));
}
