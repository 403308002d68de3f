#include "log/Frequency.h"
#include "support/QtPrinters.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(Frequency, TextAndSinglesRoundTripToWholeHertz)
{
    struct Row {
        const char* typed;
        qint64 hz;
        const char* logText;
        const char* readout;
        const char* shortText;
    };
    const Row rows[] = {
        {"14.025", 14025000, "14.025", "14.02500", "14.025"},
        {" 7.04 ", 7040000, "7.040", "7.04000", "7.04"},
        {"28.", 28000000, "28.000", "28.00000", "28"},
        {"14.0255", 14025500, "14.026", "14.02550", "14.0255"}, // the log rounds half up to the kHz
        {"1296.1", 1296100000, "1296.100", "1296.10000", "1296.1"},
        {"10368.000001", 10368000001, "10368.000", "10368.00000", "10368.000001"},
        {"0.5", 500000, "0.500", ".50000", "0.5"},
    };
    for (const Row& row : rows) {
        const auto f = Frequency::fromMHzText(QString::fromLatin1(row.typed));
        ASSERT_TRUE(f) << row.typed;
        EXPECT_EQ(f->hz, row.hz) << row.typed;
        EXPECT_EQ(f->toMHzText(), row.logText) << row.typed;
        EXPECT_EQ(f->toReadout(), row.readout) << row.typed;
        EXPECT_EQ(f->toShortMHzText(), row.shortText) << row.typed;
        // A single holds seven digits: exact below 100 MHz at 10 Hz.
        if (row.hz < 100000000) {
            EXPECT_EQ(Frequency::fromSingleMHz(f->toSingleMHz()), *f) << row.typed;
        }
    }
    // The single's own noise does not reach the hertz.
    EXPECT_EQ(Frequency::fromSingleMHz(1296.1f).hz, 1296100000);
    for (double nonsense : {std::nan(""), 1e30, -1e30})
        EXPECT_FALSE(Frequency::fromMHz(nonsense).isValid()) << nonsense;
    for (const char* bad : {"", "abc", "-7.04", "0", "inf", "nan", "1e9"})
        EXPECT_FALSE(Frequency::fromMHzText(QString::fromLatin1(bad))) << bad;
    EXPECT_LT(Frequency::fromHz(7040000), Frequency::fromMHz(7.04001));
    EXPECT_FALSE(Frequency{}.isValid());
}
