#include "WsjtxDatagram.h"

#include "support/QtPrinters.h"
#include "util/WsjtxMessage.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using Kind = Wsjtx::Decoded::Kind;

TEST(WsjtxMessage, QsoLoggedGivesEveryField)
{
    WsjtxDatagram::Qso q;
    q.comments = "nice sig";
    const auto d = Wsjtx::decode(WsjtxDatagram::qsoLogged(q));
    ASSERT_EQ(d.kind, Kind::QsoLogged) << d.error.toStdString();
    ASSERT_TRUE(d.qso);
    const Wsjtx::QsoLogged& s = *d.qso;
    EXPECT_EQ(d.type, 5u);
    EXPECT_EQ(s.timeOff, QDateTime(QDate(2026, 6, 27), QTime(18, 5, 0), QTimeZone::utc()));
    EXPECT_EQ(s.timeOn, QDateTime(QDate(2026, 6, 27), QTime(18, 4, 15), QTimeZone::utc()));
    EXPECT_EQ(s.txFrequencyHz, 14'074'000u);
    EXPECT_TRUE(s.name.isNull());
    EXPECT_EQ(QStringList({s.id, s.dxCall, s.dxGrid, s.mode, s.reportSent, s.reportReceived, s.txPower, s.comments,
                           s.operatorCall, s.myCall, s.myGrid, s.exchangeSent, s.exchangeReceived}),
              QStringList({"WSJT-X", "K1ABC", "FN42", "FT8", "-10", "-12", "100", "nice sig", "W1AW", "W1AW", "FN31",
                           "3A CT", "2A EMA"}));
}

TEST(WsjtxMessage, OlderAndNewerSendersAreRead)
{
    WsjtxDatagram::Qso q;
    q.propagationMode = false;
    EXPECT_EQ(Wsjtx::decode(WsjtxDatagram::qsoLogged(q)).kind, Kind::QsoLogged);
    q.propagationMode = true;
    const QByteArray longer = WsjtxDatagram::qsoLogged(q) + WsjtxDatagram().utf8("a field from the future").bytes;
    EXPECT_EQ(Wsjtx::decode(longer).kind, Kind::QsoLogged);
}

TEST(WsjtxMessage, TimeWithAnOffsetFromUtcIsTurnedToUtc)
{
    WsjtxDatagram m;
    m.header(5).dateTime({2026, 6, 27}, {14, 0}, 2).u32(static_cast<quint32>(-4 * 3600));
    const QByteArray rest = WsjtxDatagram::qsoLogged({}).mid(m.bytes.size() - 4);
    const auto d = Wsjtx::decode(m.bytes + rest);
    ASSERT_EQ(d.kind, Kind::QsoLogged) << d.error.toStdString();
    EXPECT_EQ(d.qso->timeOff, QDateTime(QDate(2026, 6, 27), QTime(18, 0), QTimeZone::utc()));
}

TEST(WsjtxMessage, OtherTypesAreRecognisedAndLeftAlone)
{
    for (quint32 type : {0u, 1u, 2u, 6u, 12u, 99u}) {
        SCOPED_TRACE(type);
        WsjtxDatagram m;
        m.header(type);
        if (type == 12)
            m.utf8("<adif_ver:5>3.1.0<EOH><call:5>K1ABC<band:3>20m<mode:3>FT8<EOR>");
        const auto d = Wsjtx::decode(m.bytes);
        EXPECT_EQ(d.kind, Kind::Other);
        EXPECT_EQ(d.type, type);
        EXPECT_FALSE(d.qso);
    }
}

TEST(WsjtxMessage, MalformedDatagramsSayWhy)
{
    struct Row {
        const char* name;
        QByteArray bytes;
        const char* error;
    };
    const std::vector<Row> rows{
        {"short magic", QByteArray::fromHex("adbccb"), "truncated in magic"},
        {"wrong magic", WsjtxDatagram().header(5, 3, 0xADBCCBDB).bytes, "not a WSJT-X message (magic adbccbdb)"},
        {"schema 1", WsjtxDatagram().header(5, 1).bytes, "unsupported schema 1"},
        {"schema 4", WsjtxDatagram().header(5, 4).bytes, "unsupported schema 4"},
        {"no type", WsjtxDatagram().u32(0xADBCCBDA).u32(3).bytes, "truncated in message type"},
        {"id longer than the datagram", WsjtxDatagram().u32(0xADBCCBDA).u32(3).u32(5).u32(7).bytes + "WSJT",
         "truncated in id"},
        {"timespec 3", WsjtxDatagram().header(5).dateTime({2026, 6, 27}, {18, 0}, 3).bytes,
         "time off has an unsupported timespec 3"},
        {"ms past midnight", WsjtxDatagram().header(5).u64(2461219).u32(86'400'000).u8(1).bytes,
         "time off is not a valid date and time"},
        {"call length huge", WsjtxDatagram().header(5).dateTime({2026, 6, 27}, {18, 0}).u32(0x7FFFFFFF).bytes,
         "truncated in DX call"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const auto d = Wsjtx::decode(r.bytes);
        EXPECT_EQ(d.kind, Kind::Malformed);
        EXPECT_EQ(d.error, QString::fromLatin1(r.error));
        EXPECT_FALSE(d.qso);
    }
}

TEST(WsjtxMessage, EveryCutBeforeTheExchangeEndIsMalformed)
{
    WsjtxDatagram::Qso q;
    q.propagationMode = false;
    const QByteArray whole = WsjtxDatagram::qsoLogged(q);
    for (qsizetype n = 0; n < whole.size(); ++n) {
        SCOPED_TRACE(n);
        const auto d = Wsjtx::decode(whole.left(n));
        EXPECT_EQ(d.kind, Kind::Malformed);
        EXPECT_TRUE(d.error.startsWith("truncated in ")) << d.error.toStdString();
    }
    // A propagation mode cut in the middle is a damaged datagram too.
    q.propagationMode = true;
    EXPECT_EQ(Wsjtx::decode(WsjtxDatagram::qsoLogged(q).chopped(2)).kind, Kind::Malformed);
}
