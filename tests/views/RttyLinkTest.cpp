#include "util/RttyLink.h"
#include "support/AppFixture.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QUuid>

TEST(RttyLinkCodec, ValuesSurviveTheLineFormat)
{
    for (const QString& v : {QString(), QString("K1ABC"), QString("CQ FD\nDE W1AW\r\\k"), QString("=x=")}) {
        SCOPED_TRACE(v.toStdString());
        const QByteArray line = RttyLink::encodeItem("txtBField3", v);
        EXPECT_EQ(line.count('\n'), 1);
        QString item, value;
        ASSERT_TRUE(RttyLink::decodeLine(line.chopped(1), item, value));
        EXPECT_EQ(QStringList({item, value}), QStringList({"txtBField3", v}));
    }
    QString item, value;
    EXPECT_FALSE(RttyLink::decodeLine("no equals sign", item, value));
    EXPECT_FALSE(RttyLink::decodeLine("=value", item, value));
}

// A test terminal on the other end of the socket.
struct RttyLinkFixture : AppFixture {
    QLocalServer terminal;
    QLocalSocket* peer = nullptr;
    QStringList heard;

    // Starts in the given mode and connects, with or without a terminal listening (which hears the
    // own station first).
    void connectIn(const char* mode, bool listening = true)
    {
        prepare({}, [mode](Preferences& p) { p.mode = mode; });
        ASSERT_TRUE(start());
        dialogs.clear();
        const QString name = "fdlog-test-" + QUuid::createUuid().toString(QUuid::Id128);
        app->rttyLink().setServerName(name);
        if (listening) {
            ASSERT_TRUE(terminal.listen(name));
            QObject::connect(&terminal, &QLocalServer::newConnection, [this] {
                peer = terminal.nextPendingConnection();
                QObject::connect(peer, &QLocalSocket::readyRead, [this] {
                    while (peer->canReadLine())
                        heard << QString::fromUtf8(peer->readLine().chopped(1));
                });
            });
        }
        trigger("mnuTOLV");
        if (listening)
            expectHeard({"txtBMyCall=K1ABC", "txtBField1=2A", "txtBField2=CT"});
    }
    // Waits for the lines the terminal should hear next, and forgets them.
    void expectHeard(const QStringList& lines)
    {
        WAIT_EQ(heard.size(), lines.size(), 5000);
        EXPECT_EQ(heard, lines);
        heard.clear();
    }
};

TEST_F(RttyLinkFixture, ConnectingSaysSoAndSendsTheOwnStation)
{
    connectIn("DIG");
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.last().title, "Connected with TOLV!");
    EXPECT_EQ(dialogs.last().text, "Connected with TOLV!\n\nFor best display of both programs on your screen, click "
                                   "Options > Appearance > Form Size and enter 85 from this program's menu options.");
    EXPECT_EQ(app->rttyLink().linkFlag(), 1);

    // Each value of the call field as it is typed, in mode DIG.
    win().entry().typeText("K1A");
    expectHeard({"txtBUrCall=K", "txtBUrCall=K1", "txtBUrCall=K1A"});

    // The terminal's call, class and section land in the entry fields in capitals.
    peer->write("txtSUrCall=n0xyz\ntxtSField1=2a\ntxtSField2=ema\ntxtSField5=ignored\n");
    WAIT_EQ(win().entry().view().txtSec, QString("EMA"), 5000);
    EXPECT_EQ(QStringList({win().entry().view().txtCall, win().entry().view().txtCK, field("txtCall")}),
              QStringList({"N0XYZ", "2A", "N0XYZ"}));
    // The call field changed, so the terminal hears it back, as from any change of the field.
    expectHeard({"txtBUrCall=N0XYZ"});
}

TEST_F(RttyLinkFixture, NothingIsSentOutsideDigitalMode)
{
    connectIn("CW");
    win().entry().typeText("K1A");
    app->rttyLink().sendKeyCode(112); // a marker that the socket still carries
    expectHeard({"txtBField8=", "txtBField8=112"});
}

TEST_F(RttyLinkFixture, NoTerminalGivesTheCriticalMessage)
{
    connectIn("DIG", false);
    WAIT_EQ(dialogs.calls.size(), 1u, 5000);
    EXPECT_EQ(dialogs.last().title, "Unable to find TOLV RTTY.");
    EXPECT_EQ(dialogs.last().text,
              "Please start TOLV RTTY and click Options > Transmit > Connect to TOLV RTTY to try again.");
    EXPECT_EQ(app->rttyLink().linkFlag(), 0);
}

TEST_F(RttyLinkFixture, KeysGoToTheTerminalAndF12SwitchesKeyboardRtty)
{
    connectIn("DIG");
    auto* call = child<QLineEdit>("txtCall");
    auto* status = child<QLabel>("lblDialog");
    for (Qt::Key key : {Qt::Key_F1, Qt::Key_F10, Qt::Key_F12})
        QTest::keyClick(call, key);
    EXPECT_EQ(status->text(), "Keyboard RTTY mode.  Press F12 to exit keyboard RTTY.");
    EXPECT_EQ(status->palette().color(QPalette::Window), QColor(255, 255, 192));
    QTest::keyClick(call, Qt::Key_Q);
    EXPECT_TRUE(call->text().isEmpty()); // swallowed: it went to the terminal only
    QTest::keyClick(call, Qt::Key_F12);
    EXPECT_TRUE(status->text().isEmpty());
    expectHeard({"txtBField8=", "txtBField8=112", "txtBField8=", "txtBField8=124", "txtBField8=", "txtBField8=123",
                 "txtBField8=", "txtBField8=81", "txtBField8=", "txtBField8=123"});
}
