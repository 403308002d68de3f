#include "WsjtxDatagram.h"

#include "entry/EntryFixture.h"
#include "support/WaitFor.h"
#include "util/WsjtxListener.h"

#include <QSignalSpy>
#include <QUdpSocket>

namespace {

DigitalContact contact(const WsjtxDatagram::Qso& q)
{
    const auto d = Wsjtx::decode(WsjtxDatagram::qsoLogged(q));
    EXPECT_EQ(d.kind, Wsjtx::Decoded::Kind::QsoLogged) << d.error.toStdString();
    return digitalContactFromWsjtx(*d.qso);
}

} // namespace

using WsjtxLogging = EntryFixture;

TEST_F(WsjtxLogging, ContactIsStampedFromTheMessageNotFromTheStation)
{
    // The station sits on 20 m CW at 18:00; the contact was made on 80 m at 18:04:15 UTC.
    WsjtxDatagram::Qso q;
    q.call = "k1abc";
    q.txHz = 3'573'000;
    q.exchangeReceived = " 2a   ema ";
    wf.typeText("W9X");
    ASSERT_TRUE(wf.logDigitalContact(contact(q)));
    EXPECT_EQ(fileText(), line(R"("K1ABC","2A","EMA","2026/06/27","18:04:15","80","DIG","JS","3.573","")"));
    EXPECT_EQ(v().lblDialog, (LabelView{"WSJT-X contact logged: K1ABC 2A EMA on 80 DIG", DisplayColours::Panel}));
    EXPECT_EQ(QStringList({v().txtCall, state.band(), state.mode()}), QStringList({"W9X", "20", "CW"}));
    EXPECT_EQ(wf.list().rows().back(), 1);
}

TEST_F(WsjtxLogging, ExchangeComesFromTheCommentsWhenTheExchangeFieldIsEmpty)
{
    struct Row {
        QByteArray exchange, comments;
        const char* cls;
        const char* section;
    };
    const std::vector<Row> rows{
        {"3F CT", "1A VT", "3F", "CT"},
        {"", "1a vt", "1A", "VT"},
        {"  ", "12E NNY tnx", "12E", "NNY"},
        {"", "", "", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.comments.constData());
        WsjtxDatagram::Qso q;
        q.exchangeReceived = r.exchange;
        q.comments = r.comments;
        const DigitalContact c = contact(q);
        EXPECT_EQ(QStringList({c.cls, c.section}), QStringList({r.cls, r.section}));
    }
}

TEST_F(WsjtxLogging, RefusalsSayWhyAndLeaveTheLogAlone)
{
    seed({rec("W1XYZ", "20", "DIG")});
    struct Row {
        QByteArray call, exchange;
        quint64 hz;
        const char* message;
    };
    const std::vector<Row> rows{
        {"K2A", "2A XX", 14'074'000, "WSJT-X contact K2A 2A XX not logged: XX is not a valid section"},
        {"K2B", "A2 CT", 14'074'000, "WSJT-X contact K2B A2 CT not logged: Invalid Designator! A2"},
        {"K2D", "2A", 14'074'000, "WSJT-X contact K2D 2A not logged: no class and section in the exchange"},
        {"", "2A CT", 14'074'000, "WSJT-X contact 2A CT not logged: no call"},
        {"K2E", "2A CT", 5'357'000, "WSJT-X contact K2E 2A CT not logged: 5.357 MHz is on no Field Day band"},
        {"W1XYZ", "1B ME", 14'074'000, "Dupe: W1XYZ 2A CT 2026/06/27 18:05:31 ON 20 DIG  Rec# 1"},
    };
    const QByteArray before = fileText();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.message);
        WsjtxDatagram::Qso q;
        q.call = r.call;
        q.exchangeReceived = r.exchange;
        q.txHz = r.hz;
        const int beeps = dialogs.beeps;
        EXPECT_FALSE(wf.logDigitalContact(contact(q)));
        EXPECT_EQ(v().lblDialog, (LabelView{r.message, DisplayColours::DupeRed}));
        EXPECT_EQ(dialogs.beeps, beeps + 1);
    }
    EXPECT_EQ(fileText(), before);
    EXPECT_EQ(log.size(), 1);
    // The same call on another band is no dupe.
    WsjtxDatagram::Qso q;
    q.call = "W1XYZ";
    q.txHz = 7'074'000;
    EXPECT_TRUE(wf.logDigitalContact(contact(q)));
    EXPECT_EQ(log.size(), 2);
}

// A real WSJT-X-shaped sender on loopback: QSO Logged, then its Logged ADIF twin, then noise.
TEST_F(WsjtxLogging, ListenerLogsEachQsoLoggedOnceFromRealDatagrams)
{
    WsjtxListener listener;
    WsjtxListener::Settings settings;
    settings.port = 0;
    ASSERT_TRUE(listener.apply(settings));
    ASSERT_TRUE(listener.listening());
    QObject::connect(&listener, &WsjtxListener::qsoLogged, &wf,
                     [this](const Wsjtx::QsoLogged& q) { wf.logDigitalContact(digitalContactFromWsjtx(q)); });
    QSignalSpy malformed(&listener, &WsjtxListener::malformed);

    QUdpSocket peer;
    const QHostAddress to(QHostAddress::LocalHost);
    const quint16 port = listener.boundPort();
    WsjtxDatagram::Qso q;
    peer.writeDatagram(WsjtxDatagram().header(0).u32(3).utf8("2.7.0").utf8("").bytes, to, port);
    peer.writeDatagram(WsjtxDatagram::qsoLogged(q), to, port);
    peer.writeDatagram(WsjtxDatagram().header(12).utf8("<call:5>K1ABC<band:3>20m<mode:3>FT8<EOR>").bytes, to, port);
    peer.writeDatagram(QByteArray("not wsjt-x"), to, port);
    q.call = "N0XYZ";
    q.exchangeReceived = "1D MN";
    peer.writeDatagram(WsjtxDatagram::qsoLogged(q), to, port);

    WAIT_EQ(log.size(), 2, 5000);
    WAIT_EQ(malformed.size(), 1, 5000);
    EXPECT_EQ(fileText(), line(R"("K1ABC","2A","EMA","2026/06/27","18:04:15","20","DIG","JS","14.074","")") +
                              line(R"("N0XYZ","1D","MN","2026/06/27","18:04:15","20","DIG","JS","14.074","")"));
    EXPECT_EQ(malformed.first().first().toString(), "not a WSJT-X message (magic 6e6f7420)");
}

TEST(WsjtxListenerSettings, BadAddressesAreReported)
{
    WsjtxListener listener;
    QSignalSpy failed(&listener, &WsjtxListener::failed);
    WsjtxListener::Settings s;
    s.port = 0;
    s.address = "localhost-ish";
    EXPECT_FALSE(listener.apply(s));
    s.address = "127.0.0.1";
    s.multicastGroup = "10.0.0.1";
    EXPECT_FALSE(listener.apply(s));
    ASSERT_EQ(failed.size(), 2);
    EXPECT_EQ(failed[0][0].toString(), "WSJT-X listener on port 0 not started: localhost-ish is not an IP address.");
    EXPECT_EQ(failed[1][0].toString(), "WSJT-X listener on port 0 not started: 10.0.0.1 is not a multicast group.");
    EXPECT_FALSE(listener.listening());
}
