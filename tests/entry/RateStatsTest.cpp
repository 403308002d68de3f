#include "EntryFixture.h"

#include "entry/ClockDisplay.h"
#include "log/RateStats.h"
#include "log/UtcOffsetCheck.h"

#include <QSignalSpy>

TEST_F(EntryFixture, RatesCountTheLastHourAndTwentyMinutes)
{
    std::vector<ContactRecord> recs;
    recs.push_back(rec("OLD1", "20", "CW", "17:59:00")); // out of order: behind the stop, not counted
    recs.push_back(rec("OLD2", "20", "CW", "17:00:00")); // exactly an hour: the walk stops here
    for (int i = 0; i < 8; ++i)
        recs.push_back(
            rec(QStringLiteral("H%1").arg(i), "20", "CW", QStringLiteral("17:%1:00").arg(1 + i, 2, 10, QChar('0'))));
    recs.push_back(rec("EDGE", "20", "CW", "17:40:00")); // exactly 20 minutes: hour only
    recs.push_back(rec("BAD", "20", "CW", "JUNK"));
    for (int i = 0; i < 7; ++i)
        recs.push_back(rec(QStringLiteral("T%1").arg(i), "20", "CW", QStringLiteral("17:%1:30").arg(45 + i)));
    seed(recs);
    const QDateTime now = shiftedUtc(clock.localNow(), prefs.utcOffset);
    EXPECT_EQ(TimeStats(log, now), (RateFigures{16, 21}));
    clock.advanceMs(20 * 60 * 1000);
    EXPECT_EQ(TimeStats(log, clock, prefs.utcOffset), (RateFigures{8, 0})); // T0..T6 and EDGE
    seed({});
    EXPECT_EQ(TimeStats(log, now), (RateFigures{0, 0}));
}

TEST(ClockDisplay, UtcAndTwelveHourTexts)
{
    const QDateTime evening(QDate(2026, 6, 27), QTime(21, 30, 0));
    EXPECT_EQ(ClockDisplay::utcTime(evening, 5.0f), "02:30:00");
    EXPECT_EQ(ClockDisplay::utcTime(evening, -3.5f), "18:00:00");
    for (auto [time, shown] : {std::pair{QTime(21, 30, 0), "9:30:00 PM"},
                               {QTime(0, 15, 7), "12:15:07 AM"},
                               {QTime(12, 0, 9), "12:00:09 PM"}}) {
        const QDateTime at(QDate(2026, 6, 27), time);
        EXPECT_EQ(ClockDisplay::localTime(at) + " " + ClockDisplay::amPm(at), shown);
    }
}

TEST_F(EntryFixture, UtcOffsetCheckOffersTheClockDifference)
{
    QSignalSpy saves(&state, &OperatingState::preferencesChanged);
    EXPECT_FALSE(CheckUtcOffset(clock, state, dialogs)); // 14:00 local, 18:00 UTC, offset 4
    EXPECT_TRUE(dialogs.calls.empty());

    state.setUtcOffset(0.0f);
    saves.clear();
    dialogs.inputAnswers = {std::nullopt, QString("abc"), QString(" 4 ")};
    const QString prompt = "Would you like to adjust the UTC offset in this program for your local time setting?\n\n"
                           "Current System Time: 18:00\nCurrent Local Time: 14:00\n\n"
                           "Recommended Offset Setting: 4\nCurrent Offset Setting: 0\n\n"
                           "Please click OK to accept the recommended change or Cancel to keep the current setting.";
    EXPECT_FALSE(CheckUtcOffset(clock, state, dialogs));
    EXPECT_EQ(told(), QStringList({prompt, "Update the Local Time / UTC Offset?"}));
    EXPECT_EQ(dialogs.last().extra, "4");
    EXPECT_FALSE(CheckUtcOffset(clock, state, dialogs));
    EXPECT_EQ(state.utcOffset(), 0.0f);
    EXPECT_EQ(saves.count(), 0);
    EXPECT_TRUE(CheckUtcOffset(clock, state, dialogs));
    EXPECT_EQ(state.utcOffset(), 4.0f);
    EXPECT_EQ(saves.count(), 1);

    clock.setLocal(QDateTime(QDate(2026, 6, 27), QTime(22, 0)));
    clock.setUtc(QDateTime(QDate(2026, 6, 28), QTime(3, 30), Qt::UTC));
    EXPECT_DOUBLE_EQ(recommendedUtcOffset(clock), 5.5);
    clock.setUtc(QDateTime(QDate(2026, 6, 27), QTime(12, 40), Qt::UTC));
    EXPECT_DOUBLE_EQ(recommendedUtcOffset(clock), -9.33);
}
