// The log sharing window offscreen, on the program's service and a real broker.
#include "ui/StationSyncWindow.h"
#include "SyncStation.h"
#include "settings/UserSettingsStore.h"
#include "sync/SiteClock.h"
#include "sync/StationSync.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

TEST_F(SyncBrokerFixture, WindowConnectsKeepsItsSettingsPerUserAndWarnsOfASharedBandAndMode)
{
    SiteClock ahead(systemClock()); // the master's computer runs 3.7 s ahead of ours
    ahead.setOffsetMs(3700);
    TestStation master("MASTER", broker, {rec("K1M", 1)}, {.master = true, .clock = &ahead});
    StationLog here;
    SiteClock site(systemClock());
    StationSync sync(here.book, here.dir.path(), systemClock(), site);
    UserSettingsStore store(here.dir.file("user.ini"));
    StationSyncWindow w(sync, store, 2026);
    sync.setBandMode("20", "CW");
    QString warning;
    QObject::connect(&sync, &StationSync::warningChanged, [&](const QString& t) { warning = t; });

    w.findChild<QLineEdit*>("txtBroker")->setText(broker.address());
    w.findChild<QLineEdit*>("txtStation")->setText("b2");
    w.findChild<QLineEdit*>("txtUser")->setText(MosquittoBroker::User);
    w.findChild<QLineEdit*>("txtPassword")->setText(MosquittoBroker::Password);
    EXPECT_EQ(w.findChild<QLineEdit*>("txtEvent")->text(), "fd2026");
    w.findChild<QLineEdit*>("txtEvent")->setText("test");
    w.findChild<QPushButton*>("cmdConnect")->click();
    const QLabel* state = w.findChild<QLabel*>("lblState");
    WAIT_EQ(state->text(), QString("Connected; the log is up to date."), kWaitMs);
    WAIT_EQ(here.log.size(), 1, kWaitMs);
    WAIT_TRUE(w.findChild<QLabel*>("lblClockOffset")->text().contains("the time master's"), kWaitMs);
    EXPECT_NEAR(site.offsetMs(), 3700, 50);
    EXPECT_EQ(store.value("SyncPassword"), MosquittoBroker::Password);
    EXPECT_FALSE(QFile::exists(here.dir.file("fdpref.dat")));

    // The master moves onto this station's band and mode: the warning line names it.
    master.session->setOwnStatus("20", "CW");
    WAIT_EQ(warning, QString("MASTER also on 20 CW: two stations on one band and mode."), kWaitMs);
    const QTableWidget* peers = w.findChild<QTableWidget*>("lstStations");
    EXPECT_EQ(peers->item(0, 0)->text(), "MASTER");
    EXPECT_EQ(peers->item(0, 4)->text(), "K1M");
    sync.setBandMode("40", "CW");
    EXPECT_EQ(warning, "");

    // Reopened, the window shows what was entered; a wrong password is refused in the window.
    StationSyncWindow again(sync, store, 2026);
    EXPECT_EQ(again.findChild<QLineEdit*>("txtStation")->text(), "B2");
    again.findChild<QLineEdit*>("txtPassword")->setText("wrong");
    again.findChild<QPushButton*>("cmdConnect")->click();
    WAIT_TRUE(again.findChild<QLabel*>("lblState")->text().contains("check the user name and the password"), kWaitMs);
}
