// The spot rules without a connection: line cutting, spot line fields, prefixes, the store,
// the list, the received-text box and the dupe marks.
#include "log/CallIndex.h"
#include "log/ContactLog.h"
#include "log/SectionTable.h"
#include "spots/LineSplitter.h"
#include "spots/ReceivedText.h"
#include "spots/SocketErrorText.h"
#include "spots/SpotBoard.h"
#include "spots/SpotDupeCheck.h"
#include "spots/SpotLine.h"
#include "spots/SpotSettings.h"
#include "support/ManualClock.h"
#include "support/QtPrinters.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
const QString kSpider =
    QStringLiteral("DX de K1TTT:     14025.0  W1AW         CW 599 strong signal           1307Z FN32");
}

TEST(LineSplitter, CutsAtCrOrLfWhateverTheReads)
{
    struct Row {
        const char* name;
        std::vector<QByteArray> reads;
        QStringList lines;
        QString pending;
    };
    const Row rows[] = {
        {"crlf in one read", {"one\r\ntwo\r\n"}, {"one", "two"}, ""},
        {"bare lf and cr", {"one\ntwo\rthree"}, {"one", "two"}, "three"},
        {"line split over reads", {"DX de K1", "TTT: 14025", ".0\r", "\n"}, {"DX de K1TTT: 14025.0"}, ""},
        {"cr and lf in separate reads", {"a\r", "\nb\n"}, {"a", "b"}, ""},
        {"prompt without line end", {"Welcome\r\nlogin: "}, {"Welcome"}, "login: "},
        {"binary garbage", {QByteArray("\x00\xff\x01\n", 4)}, {QString::fromLatin1("\x00\xff\x01", 3)}, ""},
        // A peer that never ends its line cannot grow the buffer, and the rest of that line is dropped.
        {"overlong line held back", {QByteArray(5000, 'x')}, {}, ""},
        {"overlong line dropped whole", {QByteArray(5000, 'x'), "tail\r\nDX de A1A\r\n"}, {"DX de A1A"}, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        LineSplitter s;
        QStringList got;
        for (const QByteArray& b : r.reads)
            got += s.feed(b);
        EXPECT_EQ(got, r.lines);
        EXPECT_EQ(s.pending(), r.pending);
    }
}

TEST(SpotLine, FixedColumnsOfEachClusterForm)
{
    struct Row {
        QString line;
        bool spot;
        QString call, freq;
    };
    const Row rows[] = {
        {kSpider, true, "W1AW", "14025.0"},
        // AR-Cluster writes the same columns.
        {"DX de W3LPL:      7003.5  K2LE/4       cq cq                          1812Z", true, "K2LE/4", "7003.5"},
        {"DX de PJ2A-#:    14025.4  IP0TRC  CW 16 dB 31 WPM CQ  1307Z", true, "IP0TRC", "14025.4"},
        {"dx de k1ttt:     21025.0  ve3abc       cw", true, "ve3abc", "21025.0"},
        // A long spotter pushes the frequency out of its columns: what is there is taken (and later
        // found not numeric).
        {"DX de VE3XYZ-12-#: 14025.0  W1AW  CW", true, "W1AW", "-#: 14025"},
        {"To ALL de W1AW: QST", false, "", ""},
        {"D", false, "", ""},
        {"DX", true, "", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.line.toStdString());
        const auto s = SpotLine::parse(r.line);
        ASSERT_EQ(s.has_value(), r.spot);
        if (!s)
            continue;
        EXPECT_EQ(s->call, r.call);
        EXPECT_EQ(s->frequencyKHz, r.freq);
        EXPECT_EQ(s->record, r.line.mid(3).trimmed());
    }
    EXPECT_EQ(SpotLine::parse("DX de A: x\rsecond")->record, "de A: x");
}

TEST(SpotLine, CallPrefixesAndLoginPrompts)
{
    // call=prefix
    const QString rows = "W1= K1ABC=K1 W1AW=W1 VE3XYZ=VE3 WP4ABC=WP4 ABC=ABC W1AW/4=W1AW K1ABC/P=K1ABC KH6/K1ABC=K1 "
                         "W/5=W5 VP2/AB=AB 3D2AG=3D2 DL/K1ABC/P=DL/K1ABC";
    for (const QString& row : rows.split(' '))
        EXPECT_EQ(CallPrefix(row.section('=', 0, 0)), row.section('=', 1)) << row.toStdString();
    const std::pair<const char*, bool> prompts[] = {
        {"login: ", true}, {"Please enter your call:", true}, {"LOGIN:", true}, {"Your CALL:  ", true},
        {"login", false},  {"Welcome to the cluster", false}, {"", false}};
    for (const auto& [text, prompt] : prompts)
        EXPECT_EQ(isLoginPrompt(text), prompt) << text;
}

TEST(SpotBoard, OwnCallWarnsEvenWithoutANumericFrequency)
{
    ManualClock clock;
    SpotBoard board(clock);
    board.setOwnCall("W1AW");
    QSignalSpy warned(&board, &SpotBoard::ownCallSpotted);
    EXPECT_FALSE(board.BandMapSpots("W1AW", "abc", "de K1TTT: abc W1AW"));
    EXPECT_TRUE(board.BandMapSpots("W1AW", "14025.0", "rec"));
    EXPECT_TRUE(board.BandMapSpots("K1ABC", "7030", "rec"));
    EXPECT_EQ(warned.size(), 2) << "both own-call spots, not the other";
}

TEST(SpotBoard, RowColumnsAndTheTwoHundredRowCap)
{
    ManualClock clock;
    SpotBoard board(clock);
    const QString record = kSpider.mid(3).trimmed() + QStringLiteral("\rjunk");
    ASSERT_TRUE(board.BandMapSpots("W1AW", "14025.0", record));
    const SpotRow& row = board.rows().front();
    EXPECT_EQ(row.call, "W1AW");
    EXPECT_EQ(row.columns,
              (QStringList{"14.02500", "", "", "de K1TTT:  CW 599 strong signal", "1307Z FN32", "1307", "FN32"}));
    EXPECT_EQ(board.store().slot(49).received, clock.localNow());

    for (int i = 0; i < 200; ++i)
        board.BandMapSpots(QStringLiteral("N%1AA").arg(i), "3500", "r");
    EXPECT_EQ(board.rows().size(), 200u);
    EXPECT_EQ(board.rows().front().call, "N199AA");
    EXPECT_EQ(board.rows().back().call, "N0AA");
}

TEST(SpotBoard, DupesMarkedAgainstTheLogOnCurrentBandAndMode)
{
    ContactLog log(SectionTable::standard());
    log.add({"W1AW", "2A", "CT", "2026/06/27", "18:00:00", "20", "CW", "", "14.025"});
    CallIndex index(log);
    SpotDupeCheck dupes(log, index);
    QString band = "20", mode = "CW";
    ManualClock clock;
    SpotBoard board(clock);
    board.setWorkedCheck([&](const QString& call) { return dupes.worked(call, band, mode); });
    board.BandMapSpots("w1aw", "14025", "r");
    board.BandMapSpots("N1XYZ", "14031", "r");
    EXPECT_TRUE(board.rows()[1].dupe) << "marked as it comes";
    EXPECT_FALSE(board.rows()[0].dupe);
    for (const auto& [b, m] : {std::pair("20", "PH"), std::pair("40", "CW")}) {
        band = b, mode = m;
        board.refreshDupes();
        EXPECT_FALSE(board.rows()[1].dupe) << b << m;
    }
}

TEST(ReceivedText, CapRepeatsAndListDxOnly)
{
    ReceivedText box;
    box.append(QString(10001, 'a'));
    EXPECT_EQ(box.text().size(), 9000);
    box.clear();

    EXPECT_TRUE(box.takeLine(kSpider, false).has_value());
    EXPECT_FALSE(box.takeLine(kSpider, false).has_value()) << "a repeat is passed on once";
    EXPECT_EQ(box.text(), kSpider + "\r\n");
    EXPECT_FALSE(box.takeLine("To ALL de W1AW: QST", true).has_value());
    EXPECT_EQ(box.text(), kSpider + "\r\n");
    box.takeLine("To ALL de W1AW: QST", false);
    EXPECT_TRUE(box.text().endsWith("QST\r\n"));
    // Past 800 characters the same line is shown again.
    box.append(QString(800, '-'));
    EXPECT_TRUE(box.takeLine(kSpider, true).has_value());
}

TEST(SocketErrorText, QtErrorsAndNumbers)
{
    using E = QAbstractSocket::SocketError;
    const std::pair<E, const char*> rows[] = {
        {E::HostNotFoundError, "ERROR: Authoritative answer: Host not found."},
        {E::RemoteHostClosedError, "ERROR: The connection is reset by remote side.!"},
        {E::SocketTimeoutError, "ERROR: Connection is aborted due to timeout or other failure."},
        {E::NetworkError, "ERROR: Network subsystem failed."},
        {E::AddressInUseError, "ERROR: Address in use."},
        {E::TemporaryError, "ERROR: Socket is non-blocking and the specified operation will block."},
        {E::SocketAccessError, "ERROR: The requested address is a broadcast address, but flag is not set."},
    };
    for (const auto& [error, text] : rows)
        EXPECT_EQ(socketErrorText(error), text) << error;
    EXPECT_EQ(socketErrorText(10057), "ERROR: Socket is not connected.");
    EXPECT_EQ(socketErrorText(4711), "Error number 4711");
}

TEST(SpotSettings, RoundTripAndPartialReads)
{
    SpotSettings s;
    s.source = "Telnet";
    s.telnetHost = "dxc.example.org";
    s.telnetPort = "7300";
    s.mainFormList = true;
    s.handshaking = 3;
    EXPECT_EQ(s.format(), "\"9600\",\"N\",\"8\",\"1\",1,\"N\",\"Telnet\",0,3,0,#TRUE#,\"03\",\"7300\","
                          "\"dxc.example.org\"\r\n");
    SpotSettings back;
    EXPECT_TRUE(back.parse(s.format()));
    EXPECT_EQ(back, s);

    struct Row {
        const char* name;
        QByteArray text;
        bool complete;
        QString source, host;
    };
    const Row rows[] = {
        {"line breaks between fields",
         "\"4800\"\r\n\"E\"\r\n\"7\"\r\n\"2\"\r\n3\r\n\"R\"\r\n\"TNC\"\r\n1\r\n2\r\n1\r\n"
         "#FALSE#\r\n\"1B\"\r\n\"23\"\r\n\"h\"\r\n",
         true, "TNC", "h"},
        {"stops at a bad number", "\"4800\",\"E\",\"7\",\"2\",x,\"R\",\"TNC\"", false, "None", ""},
        {"short file keeps the rest", "\"4800\",\"E\",\"7\",\"2\",3,\"R\",\"AGW Packet Engine\"", false,
         "AGW Packet Engine", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        SpotSettings p;
        EXPECT_EQ(p.parse(r.text), r.complete);
        EXPECT_EQ(p.baud, "4800");
        EXPECT_EQ(p.source, r.source);
        EXPECT_EQ(p.telnetHost, r.host);
    }
}
