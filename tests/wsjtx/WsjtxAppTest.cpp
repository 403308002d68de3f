#include "WsjtxDatagram.h"

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
#include "util/WsjtxListener.h"

#include <QAction>
#include <QLabel>
#include <QUdpSocket>
#include <gtest/gtest.h>

// The program as started: the listener reads its port from the user's settings and what it
// hears lands in the log and the message line.
TEST(WsjtxApp, StartedProgramLogsWhatWsjtxSends)
{
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock;
    Preferences p;
    p.ownCall = "W1AW";
    p.ownClass = "3A";
    p.ownSection = "CT";
    p.band = "40";
    p.mode = "CW";
    p.operatorInitials = "KB";
    p.utcOffset = 4;
    ASSERT_TRUE(SavePref(dir.file("fdpref.dat"), p));

    quint16 port = 0;
    {
        QUdpSocket probe;
        ASSERT_TRUE(probe.bind(QHostAddress::LocalHost, 0));
        port = probe.localPort();
    }
    AppContext::Options o = testAppOptions(dir);
    o.userStore.setValue("WsjtxListen", "1");
    o.userStore.setValue("WsjtxPort", QString::number(port));
    AppContext app(std::move(o), dialogs, clock);
    ASSERT_TRUE(app.start());
    ASSERT_TRUE(app.wsjtx().listening());
    EXPECT_EQ(app.wsjtx().boundPort(), port);
    EXPECT_NE(app.window().findChild<QAction*>("mnuWsjtx"), nullptr);

    QUdpSocket peer;
    WsjtxDatagram::Qso q;
    q.exchangeReceived = "";
    q.comments = "1e wma";
    peer.writeDatagram(WsjtxDatagram::qsoLogged(q), QHostAddress::LocalHost, port);
    WAIT_EQ(app.station().log().size(), 1, 5000);
    EXPECT_EQ(app.station().log().record(1),
              (ContactRecord{"K1ABC", "1E", "WMA", "2026/06/27", "18:04:15", "20", "DIG", "KB", "14.074"}));
    WAIT_EQ(app.window().findChild<QLabel*>("lblDialog")->text(),
            QString("WSJT-X contact logged: K1ABC 1E WMA on 20 DIG"), 5000);

    // The same contact again, as a second QSO Logged would bring it: refused as a dupe.
    peer.writeDatagram(WsjtxDatagram::qsoLogged(q), QHostAddress::LocalHost, port);
    WAIT_EQ(app.window().findChild<QLabel*>("lblDialog")->text(),
            QString("Dupe: K1ABC 1E WMA 2026/06/27 18:04:15 ON 20 DIG  Rec# 1"), 5000);
    EXPECT_EQ(app.station().log().size(), 1);
}
