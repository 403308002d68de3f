#include "keying/VoicePrompter.h"
#include "FakeWavePlayer.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"

#include <gtest/gtest.h>

namespace {

class Prompts : public ::testing::Test {
protected:
    Prompts()
    {
        for (const char* name : {"Call", "Class", "Dupe", "NavEn", "NavDis"}) // no Section
            writeBytes(VoicePrompter::promptPath(dir.path(), QString::fromLatin1(name)), "RIFF");
    }
    QString opened() const { return player.calls.filter(QStringLiteral("open")).join(QLatin1Char('|')); }

    TempDataDir dir;
    FakeWavePlayer player;
    VoicePrompter prompter{dir.path(), player};
};

TEST_F(Prompts, ADupeIsHeardOutAtLevelsOneAndTwo)
{
    for (int level : {1, 2}) {
        SCOPED_TRACE(level);
        player.calls.clear();
        prompter.entryPrompt(QStringLiteral("Dupe"), level);
        prompter.entryPrompt(QStringLiteral("Call"), level); // focus back in the call field
        EXPECT_EQ(opened(), QStringLiteral("open Dupe.wav"));
        EXPECT_TRUE(player.playing());
        player.end(true);
        EXPECT_EQ(opened(), QStringLiteral("open Dupe.wav|open Call.wav"));
        EXPECT_FALSE(prompter.holding());
    }
}

TEST_F(Prompts, OffLevelDupeAndPlainPromptsCutEachOther)
{
    prompter.entryPrompt(QStringLiteral("Dupe"), 0);
    prompter.entryPrompt(QStringLiteral("Call"), 0);
    prompter.BlindKeyPhone(QStringLiteral("Section")); // no such file: nothing plays
    EXPECT_EQ(opened(), QStringLiteral("open Dupe.wav|open Call.wav"));
    EXPECT_FALSE(player.playing());
}

TEST_F(Prompts, NavigationLevelsSayTheirPrompts)
{
    const std::vector<std::pair<int, const char*>> rows{
        {0, "open NavDis.wav"}, {2, "open NavEn.wav"}, {1, "open NavEn.wav|open Call.wav"}};
    for (const auto& [level, expected] : rows) {
        SCOPED_TRACE(level);
        player.calls.clear();
        prompter.levelChosen(level);
        player.end(false); // seen by the poll alone
        WAIT_EQ(opened(), QString::fromLatin1(expected), 1000);
    }
}

} // namespace
