#include "log/OperatingState.h"
#include "log/Bands.h"
#include "log/Station.h"
#include "log/UtcOffsetCheck.h"
#include "settings/Preferences.h"
#include "support/ManualClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(OperatingState, BandAndModeCyclesWrapAndSignalASave)
{
    Preferences prefs;
    OperatingState s(prefs);
    QSignalSpy saves(&s, &OperatingState::preferencesChanged);
    EXPECT_EQ(s.band(), "40");
    EXPECT_EQ(s.mode(), "PH");
    s.selectBand("SAT");
    s.nextBand();
    EXPECT_EQ(prefs.band, "160");
    s.previousBand();
    EXPECT_EQ(s.band(), "SAT");
    s.nextMode();
    EXPECT_EQ(s.mode(), "CW");
    s.nextMode();
    EXPECT_EQ(s.mode(), "DIG");
    s.selectBand("17"); // not a Field Day band
    EXPECT_EQ(s.band(), "SAT");
    EXPECT_EQ(saves.count(), 5);
}

// The band comes from the frequency as a single, the text from its hertz.
TEST(OperatingState, FrequencySelectsBandAndIsKeptAsText)
{
    Preferences prefs;
    OperatingState s(prefs);
    QSignalSpy bands(&s, &OperatingState::bandChanged);
    const struct {
        qint64 hz;
        const char* band;
        const char* text;
    } rows[] = {
        {14025000, "20", "14.025"},   {14350100, "20", "14.350"},   // just above the band: band kept
        {2000100, "20", "2.000"},                                   // on no band
        {435000000, "70", "435.000"}, {435000000, "70", "435.000"}, // the same band again: no signal
        {7003500, "40", "7.004"},                                   // the single 7.0035f would print as 7.003
    };
    for (const auto& r : rows) {
        s.BandFreqConversion(Frequency::fromHz(r.hz));
        EXPECT_EQ(QStringList({s.band(), s.frequency()}), QStringList({r.band, r.text})) << r.hz;
    }
    EXPECT_EQ(bands.count(), 3);
    s.BandFreqConversion(14.025f); // as a rig reports it
    EXPECT_EQ(QStringList({s.band(), s.frequency()}), QStringList({"20", "14.025"}));
    s.clearFrequency();
    EXPECT_TRUE(s.frequency().isEmpty());
}

TEST(OperatingState, RigModeSelectsPhoneCwOrDigital)
{
    Preferences prefs;
    OperatingState s(prefs);
    s.ModeSelection("CW");
    EXPECT_EQ(s.mode(), "CW");
    s.ModeSelection("DIG");
    EXPECT_EQ(s.mode(), "DIG");
    s.ModeSelection("CW");
    s.ModeSelection("");
    s.ModeSelection("USB");
    EXPECT_EQ(s.mode(), "CW");
    s.ModeSelection("PH");
    EXPECT_EQ(s.mode(), "PH");
}

TEST(Bands, EveryRangeIsExclusiveAtBothEnds)
{
    for (const auto& r : Bands::loggingRanges()) {
        EXPECT_TRUE(Bands::bandForFrequency(r.lower).isEmpty()) << r.band;
        EXPECT_TRUE(Bands::bandForFrequency(r.upper).isEmpty()) << r.band;
        EXPECT_EQ(Bands::bandForFrequency(std::nextafter(r.lower, 1e9f)), r.band);
        EXPECT_EQ(Bands::bandForFrequency(std::nextafter(r.upper, 0.0f)), r.band);
    }
}

// Offsets a slip of the finger gives (44 for 4, a stray 0), against the ones in use on Earth.
TEST(OperatingState, UtcOffsetOutsideMinus12To14IsRefusedTypedAndReplacedRead)
{
    // 14:00 local, 18:00 UTC: the computer's own offset is 4.
    ManualClock clock;
    ScriptedDialogs dialogs;
    TempDataDir dir;
    Station station(DataPaths{dir.path(), dir.file("docs"), dir.file("shared")}, dialogs, clock);
    OperatingState& state = station.state();
    QSignalSpy saves(&state, &OperatingState::preferencesChanged);
    for (float bad : {44.0f, -12.5f, 14.25f, 100000.0f, -100000.0f}) {
        SCOPED_TRACE(bad);
        // Typed at the start-up question: refused with a word to the operator.
        ASSERT_TRUE(state.setUtcOffset(4.0f));
        saves.clear();
        dialogs.calls.clear();
        ASSERT_TRUE(state.setUtcOffset(0.0f));
        dialogs.inputAnswers = {QString::number(bad)};
        EXPECT_FALSE(CheckUtcOffset(clock, state, dialogs));
        EXPECT_EQ(state.utcOffset(), 0.0f);
        EXPECT_EQ(QStringList({dialogs.last().text, dialogs.last().title}),
                  QStringList({"The UTC offset must be between -12 and 14 hours. The current setting was kept.",
                               "UTC Offset"}));
        EXPECT_FALSE(state.setUtcOffset(bad));
        EXPECT_EQ(saves.count(), 1); // only the good one above

        // Read from a damaged file: the computed offset is used and no question asked.
        Preferences p;
        p.utcOffset = bad;
        ASSERT_TRUE(SavePref(dir.file("fdpref.dat"), p));
        ASSERT_TRUE(station.ReadPreferences());
        EXPECT_EQ(station.prefs().utcOffset, 4.0f);
        station.prefs().utcOffset = bad; // and if one slips into memory all the same
        EXPECT_EQ(state.utcOffset(), 4.0f);
        dialogs.calls.clear();
        EXPECT_FALSE(CheckUtcOffset(clock, state, dialogs));
        EXPECT_TRUE(dialogs.calls.empty());
    }
    for (float good : {-12.0f, 14.0f, 5.5f, -9.33f}) {
        EXPECT_TRUE(state.setUtcOffset(good));
        EXPECT_EQ(state.utcOffset(), good);
    }
}
