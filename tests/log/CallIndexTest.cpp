#include "log/CallIndex.h"
#include "log/ContactLog.h"
#include "log/SectionTable.h"

#include <gtest/gtest.h>

namespace {

// The rule written out plainly: every record on the band and mode whose call's first
// len(typed) characters occur in typed, in record order, until the text passes the limit.
QString reference(const ContactLog& log, const QString& typed, const QString& band, const QString& mode,
                  qsizetype limit)
{
    QString list;
    for (const auto& r : log.records()) {
        if (r.band == band && r.mode == mode && typed.contains(r.call.left(typed.size()))) {
            list += "  " + r.call;
            if (list.size() > limit)
                break;
        }
    }
    return list;
}

ContactRecord rec(const QString& call, const QString& band, const QString& mode)
{
    return {call, "2A", "CT", "2026/06/27", "18:00:00", band, mode, "", ""};
}

}  // namespace

TEST(CallIndex, MatchesThePlainWalkThroughAppendsAndRemovals)
{
    ContactLog log(SectionTable::standard());
    CallIndex index(log);
    quint32 seed = 7;
    auto next = [&seed](int n) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 16) % static_cast<quint32>(n));
    };
    auto randomCall = [&] {
        QString c;
        const int n = 1 + next(24);  // some longer than the packed width
        for (int i = 0; i < n; ++i)
            c += QChar("K1AB/2"[next(6)]);
        if (next(50) == 0)
            c += QChar(0x0141);  // a character outside 8 bits
        return c;
    };
    const QStringList bands{"20", "40"};
    const QStringList modes{"CW", "PH"};
    auto check = [&] {
        for (int i = 0; i < 400; ++i) {
            // Half of the probes start from a logged call on its own band and mode, so near misses
            // (a prefix of it, or a prefix with a letter it does not have) are tried too.
            QString typed = randomCall().left(1 + next(26));
            QString band = bands[next(2)];
            QString mode = modes[next(2)];
            if (!log.isEmpty() && next(2)) {
                const ContactRecord& r = log.record(1 + next(log.size()));
                typed = r.call.left(1 + next(r.call.size())) + (next(2) ? QString("X") : QString());
                band = r.band;
                mode = r.mode;
            }
            const qsizetype limit = next(2) ? 120 : 1000000;
            ASSERT_EQ(index.partialMatches(typed, band, mode, limit).toStdString(),
                      reference(log, typed, band, mode, limit).toStdString())
                << typed.toStdString();
        }
        for (const auto& r : log.records()) {
            const auto& nums = index.recordsWithCall(r.call);
            ASSERT_FALSE(nums.empty());
            for (int n : nums)
                ASSERT_EQ(log.record(n).call, r.call);
        }
    };
    for (int i = 0; i < 300; ++i)
        log.add(rec(randomCall(), bands[next(2)], modes[next(2)]));
    check();
    for (int i = 0; i < 50; ++i)
        log.add(rec(randomCall(), bands[next(2)], modes[next(2)]));  // taken in as a tail
    check();
    log.remove(10);
    log.replace(3, rec("K1AB", "20", "CW"));
    log.insert(1, rec("K1ABB", "20", "CW"));
    check();
    EXPECT_EQ(index.recordsWithCall("K1ABB").front(), 1);
    log.clear();
    EXPECT_TRUE(index.recordsWithCall("K1AB").empty());
    EXPECT_TRUE(index.partialMatches("K", "20", "CW", 120).isEmpty());
}
