#include "reports/BonusCalculator.h"
#include "reports/PowerRules.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

TEST(PowerRules, MultiplierForEachPowerAndSource)
{
    struct Row {
        PowerLevel level;
        const char* sources;
        int multiplier;
        bool x5Refused;
    };
    const Row rows[] = {
        {PowerLevel::Up5, "battery", 5, false},  {PowerLevel::Up5, "solar,wind,other", 5, false},
        {PowerLevel::Up5, "", 5, false},         {PowerLevel::Up5, "battery,generator", 2, true},
        {PowerLevel::Up5, "mains", 2, true},     {PowerLevel::Up100, "battery", 2, false},
        {PowerLevel::Up100, "mains", 2, false},  {PowerLevel::Over100, "generator", 1, false},
        {PowerLevel::None, "battery", 0, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.sources) + " " + powerLevelText(r.level).toStdString());
        PowerSources s;
        ASSERT_TRUE(parsePowerSources(r.sources, s));
        EXPECT_EQ(powerMultiplier2025(r.level, s), r.multiplier);
        EXPECT_EQ(x5Refusal(r.level, s),
                  r.x5Refused ? QString("x5 needs 5 W or less and no mains or generator") : QString());
    }
    PowerLevel p = PowerLevel::None;
    EXPECT_TRUE(parsePowerLevel("100 +", p));
    EXPECT_EQ(p, PowerLevel::Over100);
}

// Points worked from the 2025 rules 7.3: one claim at a time, for a class letter.
TEST(BonusCalculator, PointsCapsAndClasses)
{
    struct Row {
        const char* key;
        qint64 claim;
        char cls;
        qint64 points;
        bool refused;
    };
    // clang-format off
    const Row rows[] = {
        {"emergency_power_transmitters", 3, 'A', 300, false}, {"emergency_power_transmitters", 20, 'A', 2000, false},
        {"emergency_power_transmitters", 22, 'A', 2000, false}, {"emergency_power_transmitters", 2, 'D', 0, true},
        {"messages_handled", 7, 'D', 70, false}, {"messages_handled", 10, 'C', 100, false},
        {"messages_handled", 15, 'C', 100, false}, {"youth", 5, 'A', 100, false}, {"youth", 6, 'A', 100, false},
        {"youth", 2, 'B', 40, false}, {"youth", 3, 'B', 40, false}, {"gota_qsos", 250, 'A', 1250, false},
        {"gota_qsos", 250, 'B', 0, true}, {"gota_coach", 1, 'F', 100, false}, {"media", 3, 'D', 100, false},
        {"public_location", 1, 'C', 0, true}, {"satellite", 1, 'E', 0, true}, {"alternate_power", 1, 'E', 100, false},
        {"educational", 1, 'B', 0, true}, {"web_submission", 1, 'C', 50, false}, {"safety_officer", 1, 'A', 100, false},
        {"safety_officer", 1, 'F', 0, true}, {"site_responsibilities", 1, 'A', 0, true},
        {"site_responsibilities", 1, 'D', 50, false},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.key) + " " + r.cls);
        const BonusResult res = computeBonus({{r.key, r.claim}}, QChar(r.cls));
        EXPECT_EQ(res.total, r.points);
        const BonusRule* rule = findBonusRule(r.key);
        ASSERT_NE(rule, nullptr);
        EXPECT_EQ(bonusRefusal(*rule, QChar(r.cls)).isEmpty(), !r.refused);
    }
}

// A 3A entry on battery: the bonus of every line it claims, added by hand from 7.3.
TEST(BonusCalculator, PreparedEntryFromItsFile)
{
    TempDataDir dir;
    writeBytes(dir.file("bonus.txt"), "# 3A in the park\n"
                                      "emergency_power_transmitters = 3\n" // 300
                                      "media = 1\n"                        // 100
                                      "public_location = 1\n"              // 100
                                      "messages_handled = 12\n"            // 100 (capped)
                                      "gota_qsos = 41\n"                   // 205
                                      "youth = 2\n"                        // 40
                                      "site_responsibilities = 1\n");      // 0: not for A
    QHash<QString, qint64> claims;
    QString error;
    ASSERT_TRUE(readBonusFile(dir.file("bonus.txt"), claims, error)) << error.toStdString();
    EXPECT_EQ(computeBonus(claims, 'A').total, 845);

    writeBytes(dir.file("bad.txt"), "media = 1\nmedia_coverage = 1\n");
    EXPECT_FALSE(readBonusFile(dir.file("bad.txt"), claims, error));
    EXPECT_TRUE(error.contains("line 2")) << error.toStdString();
    writeBytes(dir.file("neg.txt"), "youth = -2\n");
    EXPECT_FALSE(readBonusFile(dir.file("neg.txt"), claims, error));
}
