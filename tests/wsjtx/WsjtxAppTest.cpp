#include "WsjtxDatagram.h"

#include "settings/UserSettingsStore.h"
#include "settings/WsjtxSettings.h"
#include "support/AppFixture.h"
#include "ui/WsjtxOptionsWindow.h"
#include "util/WsjtxListener.h"

#include <QCheckBox>
#include <QUdpSocket>

using WsjtxApp = AppFixture;

// The program as started: the listener reads its port from the user's settings and what it
// hears lands in the log and the message line.
TEST_F(WsjtxApp, StartedProgramLogsWhatWsjtxSends)
{
    prepare({}, [](Preferences& p) {
        p.band = "40";
        p.operatorInitials = "KB";
    });
    quint16 port = 0;
    {
        QUdpSocket probe;
        ASSERT_TRUE(probe.bind(QHostAddress::LocalHost, 0));
        port = probe.localPort();
    }
    ASSERT_TRUE(start([port](AppContext::Options& o) {
        o.userStore.setValue("WsjtxListen", "1");
        o.userStore.setValue("WsjtxPort", QString::number(port));
    }));
    ASSERT_TRUE(app->wsjtx().listening());

    QUdpSocket peer;
    WsjtxDatagram::Qso q;
    q.exchangeReceived = "";
    q.comments = "1e wma";
    peer.writeDatagram(WsjtxDatagram::qsoLogged(q), QHostAddress::LocalHost, port);
    WAIT_EQ(app->station().log().size(), 1, 5000);
    EXPECT_EQ(app->station().log().record(1),
              (ContactRecord{"K1ABC", "1E", "WMA", "2026/06/27", "18:04:15", "20", "DIG", "KB", "14.074"}));
    WAIT_EQ(text("lblDialog"), QString("WSJT-X contact logged: K1ABC 1E WMA on 20 DIG"), 5000);
}

TEST(WsjtxSettings, DefaultsUntilStoredAndBadValuesKeepTheirDefaults)
{
    TempDataDir dir;
    UserSettingsStore store(dir.file("user.ini"));
    EXPECT_EQ(WsjtxSettings::load(store), WsjtxListener::Settings{});

    const WsjtxListener::Settings mine{false, "192.168.1.20", 2238, "239.255.0.1"};
    WsjtxSettings::save(store, mine);
    EXPECT_EQ(WsjtxSettings::load(store), mine);

    struct Row {
        const char* key;
        const char* value;
    };
    for (const Row& r : {Row{"WsjtxListen", "yes"}, Row{"WsjtxPort", "70000"}, Row{"WsjtxPort", "x"},
                         Row{"WsjtxAddress", "  "}, Row{"WsjtxPort", "0"}}) {
        SCOPED_TRACE(std::string(r.key) + "=" + r.value);
        UserSettingsStore fresh(dir.file(QStringLiteral("%1%2.ini").arg(r.key, r.value)));
        fresh.setValue(r.key, r.value);
        EXPECT_EQ(WsjtxSettings::load(fresh), WsjtxListener::Settings{});
    }
}

TEST(WsjtxOptionsWindow, DoneStoresAndRestartsTheListener)
{
    TempDataDir dir;
    UserSettingsStore store(dir.file("user.ini"));
    ScriptedDialogs dialogs;
    WsjtxListener listener;
    WsjtxOptionsWindow w(listener, store, dialogs);
    auto* port = w.findChild<QLineEdit*>("txtPort");
    ASSERT_TRUE(port);
    EXPECT_EQ(QStringList({port->text(), w.findChild<QLineEdit*>("txtAddress")->text()}),
              QStringList({"2237", "127.0.0.1"}));

    for (const char* bad : {"", "0", "65536", "22x"}) {
        SCOPED_TRACE(bad);
        port->setText(bad);
        EXPECT_FALSE(w.applyEntered());
        EXPECT_EQ(dialogs.last().text, "The port must be a number from 1 to 65535.");
    }
    EXPECT_FALSE(listener.listening());
    EXPECT_EQ(WsjtxSettings::load(store), WsjtxListener::Settings{});

    // Bound by someone else first: the window says why and stores nothing.
    WsjtxListener other;
    ASSERT_TRUE(other.apply({true, "127.0.0.1", 0, {}}));
    port->setText(QString::number(other.boundPort()));
    EXPECT_FALSE(w.applyEntered());
    EXPECT_TRUE(dialogs.last().text.startsWith("WSJT-X listener on port ")) << dialogs.last().text.toStdString();
    EXPECT_EQ(WsjtxSettings::load(store), WsjtxListener::Settings{});

    other.stop();
    EXPECT_TRUE(w.applyEntered());
    EXPECT_TRUE(listener.listening());
    EXPECT_EQ(listener.boundPort(), port->text().toUInt());
    EXPECT_EQ(WsjtxSettings::load(store).port, port->text().toUInt());

    w.findChild<QCheckBox*>("chkListen")->setChecked(false);
    EXPECT_TRUE(w.applyEntered());
    EXPECT_FALSE(listener.listening());
    EXPECT_FALSE(WsjtxSettings::load(store).enabled);
}
