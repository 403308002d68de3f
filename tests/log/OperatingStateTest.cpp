#include "log/Bands.h"
#include "log/OperatingState.h"
#include "settings/Preferences.h"

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
    s.selectBand("17");  // not a Field Day band
    EXPECT_EQ(s.band(), "SAT");
    EXPECT_EQ(saves.count(), 5);
}

TEST(OperatingState, FrequencySelectsBandAndIsKeptAsText)
{
    Preferences prefs;
    OperatingState s(prefs);
    QSignalSpy bands(&s, &OperatingState::bandChanged);
    s.BandFreqConversion(14.025f);
    EXPECT_EQ(s.band(), "20");
    EXPECT_EQ(s.frequency(), "14.025");
    s.BandFreqConversion(14.3501f);  // just outside: band unchanged, frequency kept
    EXPECT_EQ(s.band(), "20");
    EXPECT_EQ(s.frequency(), "14.350");
    s.BandFreqConversion(2.0001f);
    EXPECT_EQ(s.band(), "20");
    s.BandFreqConversion(435.0f);
    EXPECT_EQ(s.band(), "70");
    s.BandFreqConversion(435.0f);
    EXPECT_EQ(bands.count(), 2);
    s.BandFreqConversion(7.0f);
    EXPECT_EQ(s.band(), "40");
    EXPECT_EQ(s.frequency(), "7.000");
    s.clearFrequency();
    EXPECT_TRUE(s.frequency().isEmpty());
}

TEST(OperatingState, RigModeOnlySelectsPhoneOrCw)
{
    Preferences prefs;
    OperatingState s(prefs);
    s.ModeSelection("CW");
    EXPECT_EQ(s.mode(), "CW");
    s.ModeSelection("DIG");
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
