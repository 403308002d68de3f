#include "settings/RulesSetting.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

TEST(RulesSetting, DefaultsToTheCurrentRulesAndKeepsTheChoice)
{
    TempDataDir dir;
    EXPECT_EQ(RulesSetting::read(dir.path()), RulesEdition::FieldDay2025);
    ASSERT_TRUE(RulesSetting::write(dir.path(), RulesEdition::AsWritten));
    EXPECT_EQ(readBytes(dir.file("fdrules.dat")), QByteArray("\"written\"\r\n"));
    EXPECT_EQ(RulesSetting::read(dir.path()), RulesEdition::AsWritten);
    writeBytes(dir.file("fdrules.dat"), "\"2025\"\r\n");
    EXPECT_EQ(RulesSetting::read(dir.path()), RulesEdition::FieldDay2025);
    writeBytes(dir.file("fdrules.dat"), "\"rubbish\"\r\n");
    EXPECT_EQ(RulesSetting::read(dir.path()), RulesEdition::FieldDay2025);
}
