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
            writeBytes(VoicePrompter::promptPath(dir.path(), name), "RIFF");
    }
    QString opened() const { return player.calls.filter("open").join('|'); }

    TempDataDir dir;
    FakeWavePlayer player;
    VoicePrompter prompter{dir.path(), player};
};

TEST_F(Prompts, ADupeIsHeardOutAtLevelsOneAndTwoAndCutAtZero)
{
    for (int level : {0, 1, 2}) {
        SCOPED_TRACE(level);
        player.calls.clear();
        prompter.entryPrompt("Dupe", level);
        prompter.entryPrompt("Call", level); // focus back in the call field
        EXPECT_EQ(opened(), level ? "open Dupe.wav" : "open Dupe.wav|open Call.wav");
        EXPECT_TRUE(player.playing());
        player.end(true);
        EXPECT_EQ(opened(), "open Dupe.wav|open Call.wav");
        EXPECT_FALSE(prompter.holding());
    }
    prompter.BlindKeyPhone("Section"); // no such file: nothing plays
    EXPECT_EQ(opened(), "open Dupe.wav|open Call.wav");
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
        WAIT_EQ(opened(), expected, 1000);
    }
}

} // namespace
