#include "util/RttyLink.h"
#include "app/AppContext.h"
#include "log/Station.h"
#include "settings/Preferences.h"
#include "support/ManualClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TestAppOptions.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"
#include "ui/MainWindow.h"
#include "ui/StationIdDialog.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTest>
#include <QUuid>
#include <gtest/gtest.h>

TEST(RttyLinkCodec, ValuesSurviveTheLineFormat)
{
    for (const QString& v : {QString(), QString("K1ABC"), QString("CQ FD\nDE W1AW\r\\k"), QString("=x=")}) {
        SCOPED_TRACE(v.toStdString());
        const QByteArray line = RttyLink::encodeItem("txtBField3", v);
        ASSERT_TRUE(line.endsWith('\n'));
        EXPECT_EQ(line.count('\n'), 1);
        QString item, value;
        ASSERT_TRUE(RttyLink::decodeLine(line.chopped(1), item, value));
        EXPECT_EQ(item, "txtBField3");
        EXPECT_EQ(value, v);
    }
    EXPECT_EQ(RttyLink::encodeItem("txtBMyCall", "W1AW"), "txtBMyCall=W1AW\n");
    QString item, value;
    EXPECT_FALSE(RttyLink::decodeLine("no equals sign", item, value));
    EXPECT_FALSE(RttyLink::decodeLine("=value", item, value));
}

// A test terminal on the other end of the socket.
struct RttyLinkFixture : ::testing::Test {
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock;
    std::unique_ptr<AppContext> app;
    QLocalServer terminal;
    QLocalSocket* peer = nullptr;
    QStringList heard;
    QString name = "fdlog-test-" + QUuid::createUuid().toString(QUuid::Id128);

    void start(const char* mode)
    {
        Preferences p;
        p.ownCall = "W1AW";
        p.ownClass = "3A";
        p.ownSection = "CT";
        p.mode = mode;
        p.utcOffset = 4;
        ASSERT_TRUE(SavePref(dir.file("fdpref.dat"), p));
        app = std::make_unique<AppContext>(testAppOptions(dir), dialogs, clock);
        ASSERT_TRUE(app->start());
        dialogs.clear();
        app->rttyLink().setServerName(name);
    }
    void listen()
    {
        ASSERT_TRUE(terminal.listen(name));
        QObject::connect(&terminal, &QLocalServer::newConnection, [this] {
            peer = terminal.nextPendingConnection();
            QObject::connect(peer, &QLocalSocket::readyRead, [this] {
                while (peer->canReadLine())
                    heard << QString::fromUtf8(peer->readLine().chopped(1));
            });
        });
    }
    void connectLink() { app->window().findChild<QAction*>("mnuTOLV")->trigger(); }
};

TEST_F(RttyLinkFixture, ConnectingSaysSoAndSendsTheOwnStation)
{
    start("DIG");
    listen();
    connectLink();
    WAIT_EQ(heard.size(), 3, 5000);
    EXPECT_EQ(heard, (QStringList{"txtBMyCall=W1AW", "txtBField1=3A", "txtBField2=CT"}));
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.last().title, "Connected with TOLV!");
    EXPECT_EQ(dialogs.last().text, "Connected with TOLV!\n\nFor best display of both programs on your screen, click "
                                   "Options > Appearance > Form Size and enter 85 from this program's menu options.");
    EXPECT_EQ(app->rttyLink().linkFlag(), 1);

    // Each value of the call field as it is typed, in mode DIG.
    heard.clear();
    app->window().entry().typeText("K1A");
    WAIT_EQ(heard.size(), 3, 5000);
    EXPECT_EQ(heard, (QStringList{"txtBUrCall=K", "txtBUrCall=K1", "txtBUrCall=K1A"}));

    heard.clear();
    // The terminal's call, class and section land in the entry fields in capitals.
    peer->write("txtSUrCall=n0xyz\ntxtSField1=2a\ntxtSField2=ema\ntxtSField5=ignored\n");
    auto* call = app->window().findChild<QLineEdit*>("txtCall");
    ASSERT_NE(call, nullptr);
    WAIT_EQ(app->window().entry().view().txtSec, QString("EMA"), 5000);
    EXPECT_EQ(app->window().entry().view().txtCall, "N0XYZ");
    EXPECT_EQ(app->window().entry().view().txtCK, "2A");
    EXPECT_EQ(call->text(), "N0XYZ");
    // The call field changed, so the terminal hears it back, as from any change of the field.
    WAIT_EQ(heard, QStringList{"txtBUrCall=N0XYZ"}, 5000);

    heard.clear();
    app->rttyLink().sendKeyCode(124);
    WAIT_EQ(heard.size(), 2, 5000);
    EXPECT_EQ(heard, (QStringList{"txtBField8=", "txtBField8=124"}));
}

TEST_F(RttyLinkFixture, NothingIsSentOutsideDigitalMode)
{
    start("CW");
    listen();
    connectLink();
    WAIT_EQ(heard.size(), 3, 5000);
    heard.clear();
    app->window().entry().typeText("K1A");
    app->rttyLink().sendKeyCode(112); // a marker that the socket still carries
    WAIT_EQ(heard.size(), 2, 5000);
    EXPECT_EQ(heard, (QStringList{"txtBField8=", "txtBField8=112"}));
}

TEST_F(RttyLinkFixture, NoTerminalGivesTheCriticalMessage)
{
    start("DIG");
    connectLink();
    WAIT_EQ(dialogs.calls.size(), 1u, 5000);
    EXPECT_EQ(dialogs.last().title, "Unable to find TOLV RTTY.");
    EXPECT_EQ(dialogs.last().text,
              "Please start TOLV RTTY and click Options > Transmit > Connect to TOLV RTTY to try again.");
    EXPECT_EQ(app->rttyLink().linkFlag(), 0);
}

TEST_F(RttyLinkFixture, KeysGoToTheTerminalAndF12SwitchesKeyboardRtty)
{
    start("DIG");
    listen();
    connectLink();
    WAIT_EQ(heard.size(), 3, 5000);
    heard.clear();
    auto* call = app->window().findChild<QLineEdit*>("txtCall");
    auto* status = app->window().findChild<QLabel*>("lblDialog");
    QTest::keyClick(call, Qt::Key_F1);
    QTest::keyClick(call, Qt::Key_F10);
    QTest::keyClick(call, Qt::Key_F12);
    EXPECT_EQ(status->text(), "Keyboard RTTY mode.  Press F12 to exit keyboard RTTY.");
    EXPECT_EQ(status->palette().color(QPalette::Window), QColor(255, 255, 192));
    QTest::keyClick(call, Qt::Key_Q);
    EXPECT_TRUE(call->text().isEmpty()); // swallowed: it went to the terminal only
    QTest::keyClick(call, Qt::Key_F12);
    EXPECT_TRUE(status->text().isEmpty());
    WAIT_EQ(heard.size(), 10, 5000);
    EXPECT_EQ(heard, (QStringList{"txtBField8=", "txtBField8=112", "txtBField8=", "txtBField8=124", "txtBField8=",
                                  "txtBField8=123", "txtBField8=", "txtBField8=81", "txtBField8=", "txtBField8=123"}));
}
