// The rig windows offscreen, driven through their controls, with a simulated rig on a pty.
#include "ui/RigWindows.h"
#include "log/Station.h"
#include "rig/RigPoller.h"
#include "rig/RigTune.h"
#include "sim/SimulatedRig.h"
#include "support/ManualClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"
#include "ui/FrequencyTestWindow.h"
#include "ui/RigSetupWindow.h"
#include "ui/RigTuneWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct RigWindowsTest : ::testing::Test {
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock;
    Station station{DataPaths{dir.path(), dir.file("docs"), dir.file("shared")}, dialogs, clock};
    RigPoller poller{station.state(), dir.path()};
    QWidget main;
    RigWindows windows{station, poller, dialogs, &main};

    template <class T> T* child(QWidget& w, const char* name)
    {
        T* c = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    // Through the list alone, as arrow keys or a click move its row.
    void chooseRig(const char* name, RigSetupWindow* f = nullptr)
    {
        auto* list = child<QListWidget>(f ? *f : windows.rigControl(), "List1");
        list->setCurrentRow(static_cast<int>(RigCatalog::names().indexOf(QString::fromLatin1(name))));
    }
    // Points port 1 at the simulated rig through the port table editor.
    void usePort(const SimulatedRig& rig)
    {
        RigSetupWindow& f = windows.rigControl();
        child<QTableWidget>(f, "tblPorts")->item(0, 0)->setText(rig.device());
        child<QRadioButton>(f, "optPort0")->setChecked(true);
        child<QRadioButton>(f, "optRate0")->setChecked(true);
    }
};

} // namespace

TEST_F(RigWindowsTest, ChoosingARigAppliesItsPresets)
{
    RigSetupWindow& f = windows.rigControl();
    EXPECT_EQ(f.windowTitle(), "Rig Interface Setup");
    // Frequency and mode commands, hex ticked and fixed, the hex note shown; the
    // port settings stay at 1200 baud, one stop bit.
    const auto shown = [&] {
        auto* hex = child<QCheckBox>(f, "chkConvToHex");
        return QStringList{child<QLineEdit>(f, "txtFreq")->text(),
                           child<QLineEdit>(f, "txtMode")->text(),
                           QString::number(hex->isChecked()),
                           QString::number(hex->isEnabled()),
                           QString::number(!child<QLabel>(f, "Label10")->isHidden()),
                           QString::number(child<QRadioButton>(f, "optBaud0")->isChecked() &&
                                           child<QRadioButton>(f, "optStop0")->isChecked())};
    };
    chooseRig("Icom");
    EXPECT_EQ(shown(), QStringList({"FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", "1", "0", "1", "1"}));
    EXPECT_EQ(station.prefs().rigType, "Icom");
    chooseRig("Other");
    EXPECT_EQ(shown(), QStringList({"", "", "0", "1", "0", "1"}));
}

TEST_F(RigWindowsTest, TestPollsAndTheMainStateFollowsThenEndTest)
{
    SimulatedRig rig(SimulatedRig::Kind::Kenwood);
    rig.hz = 21025000;
    chooseRig("Kenwood");
    usePort(rig);
    RigSetupWindow& f = windows.rigControl();
    child<QPushButton>(f, "Command1")->click();
    EXPECT_FALSE(child<QLabel>(f, "lblPolling")->isHidden());
    EXPECT_TRUE(child<QPushButton>(f, "Command2")->isEnabled());
    WAIT_EQ(child<QLabel>(f, "lblFreq")->text(), QString("21.02500"), 3000);
    WAIT_EQ(child<QLabel>(f, "lblMode")->text(), QString("CW"), 3000);
    EXPECT_EQ(station.state().band(), "15");
    EXPECT_TRUE(child<QLineEdit>(f, "txtUnprocessed")->text().contains("FA00021025000;"));
    child<QPushButton>(f, "Command2")->click();
    EXPECT_TRUE(child<QLabel>(f, "lblPolling")->isHidden());
    EXPECT_TRUE(child<QLabel>(f, "lblFreq")->text().isEmpty());
    EXPECT_FALSE(windows.poller().polling());
}

TEST_F(RigWindowsTest, ChangeFrequencyButtonNeedsPollingThenOpensTheTestWindow)
{
    RigSetupWindow& f = windows.rigControl();
    child<QPushButton>(f, "cmdChangeFrequency")->click();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.last().text, "You must be polling your rig to test this function.  Please select your rig type "
                                   "and click the Test command button.");

    SimulatedRig rig(SimulatedRig::Kind::Icom);
    chooseRig("Icom");
    usePort(rig);
    f.test();
    ASSERT_TRUE(windows.poller().polling());
    child<QPushButton>(f, "cmdChangeFrequency")->click();
    auto* test = f.findChild<FrequencyTestWindow*>("frmFrequencyTest");
    ASSERT_NE(test, nullptr);
    EXPECT_EQ(test->windowTitle(), "Test Change Frequency Function");
    for (const char* field : {"Text1", "Text2"}) { // each field has its label
        const auto labels = test->findChildren<QLabel*>();
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&](QLabel* l) {
            return l->buddy() && l->buddy()->objectName() == field;
        })) << field;
    }
    child<QLineEdit>(*test, "Text1")->setText(" FE FE 5E E0 03 FD ");
    child<QCheckBox>(*test, "Check1")->setChecked(true);
    rig.received.clear();
    test->sendRawCommand();
    WAIT_TRUE(rig.received.contains(QByteArray::fromHex("FEFE5EE003FD")), 3000);

    child<QLineEdit>(*test, "Text2")->setText("7.04");
    test->sendFrequency();
    WAIT_TRUE(rig.received.contains(QByteArray::fromHex("FEFE64E0050000040700FD")), 5000);
    WAIT_EQ(station.state().band(), QString("40"), 3000);
    EXPECT_EQ(dialogs.calls.size(), 1u);
}

TEST_F(RigWindowsTest, SettingsSurviveARestart)
{
    const char* const kChoices[] = {"optPort3", "optRate3", "optPower2", "OptFreq"};
    {
        RigPoller firstPoller{station.state(), dir.path()};
        RigWindows first{station, firstPoller, dialogs, &main};
        RigSetupWindow& f = first.rigControl();
        chooseRig("Kenwood 2", &f);
        for (const char* choice : kChoices)
            child<QRadioButton>(f, choice)->setChecked(true);
        child<QCheckBox>(f, "chkFrequency")->setChecked(false);
        child<QCheckBox>(f, "ChkConvHex")->setChecked(true);
        child<QLineEdit>(f, "txtFreq")->setText("IF;");
        child<QLineEdit>(f, "txtRigctldPort")->setText("4600");
        child<QTableWidget>(f, "tblPorts")->item(1, 0)->setText("/dev/ttyRIG");
        f.close();
    }
    RigPoller secondPoller{station.state(), dir.path()};
    RigWindows second{station, secondPoller, dialogs, &main};
    RigSetupWindow& g = second.rigControl();
    EXPECT_EQ(child<QListWidget>(g, "List1")->currentItem()->text(), "Kenwood 2");
    for (const char* choice : kChoices)
        EXPECT_TRUE(child<QRadioButton>(g, choice)->isChecked()) << choice;
    EXPECT_TRUE(!child<QCheckBox>(g, "chkFrequency")->isChecked() && child<QCheckBox>(g, "ChkConvHex")->isChecked());
    EXPECT_EQ(QStringList({child<QLineEdit>(g, "txtRigctldPort")->text(),
                           child<QTableWidget>(g, "tblPorts")->item(1, 0)->text()}),
              QStringList({"4600", "/dev/ttyRIG"}));
    EXPECT_EQ(g.poller().settings().pollRate, QLatin1Char('R'));
    // fdpref.dat carries the rig name.
    Preferences reread;
    ASSERT_TRUE(ReadPreferences(station.paths().preferencesFile(), reread));
    EXPECT_EQ(reread.rigType, "Kenwood 2");
}

TEST_F(RigWindowsTest, StartupOpensTheRigNamedInThePreferences)
{
    windows.openAtStartup(); // "None": nothing loads
    EXPECT_EQ(main.findChild<RigSetupWindow*>(), nullptr);

    SimulatedRig rig(SimulatedRig::Kind::Kenwood);
    rig.hz = 28400000;
    RigSettings s;
    s.selectRig("Kenwood");
    s.ports = SerialPortTable({rig.device()});
    s.pollRate = QLatin1Char('F');
    ASSERT_TRUE(s.save(RigSettings::iniPath(dir.path())));
    station.prefs().rigType = "Kenwood";
    windows.openAtStartup();
    EXPECT_TRUE(windows.poller().polling());
    EXPECT_FALSE(windows.rigControl().isVisible());
    WAIT_EQ(station.state().band(), QString("10"), 3000);
}

TEST_F(RigWindowsTest, ShortcutsOpenTheWindowsCentredOverTheMainWindowAndGoNeedsARig)
{
    windows.installShortcuts(&main);
    main.setGeometry(150, 100, 500, 400); // centred on the 800x600 offscreen screen
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    const auto nearMain = [&](QWidget* w) {
        const QPoint d = w->frameGeometry().center() - main.frameGeometry().center();
        return d.manhattanLength() < 40;
    };
    QTest::keyClick(&main, Qt::Key_R, Qt::ControlModifier);
    auto* rc = main.findChild<RigSetupWindow*>();
    ASSERT_TRUE(rc && rc->isVisible());
    EXPECT_TRUE(nearMain(rc)) << rc->x() << "," << rc->y();
    child<QPushButton>(*rc, "cmdClose")->click();
    EXPECT_FALSE(rc->isVisible());

    QTest::keyClick(&main, Qt::Key_G, Qt::ControlModifier);
    auto* tune = main.findChild<RigTuneWindow*>();
    ASSERT_TRUE(tune && tune->isVisible());
    EXPECT_TRUE(nearMain(tune)) << tune->x() << "," << tune->y() << " " << tune->width();
    EXPECT_EQ(tune->windowTitle(), "Change Frequency and Mode (Ctrl G (Go))");
    // Steps left to right from the smallest, up above down; no 60/30/17/12 m under the 2025 rules.
    int x = -1;
    for (const char* b : {"cmdTune_0", "cmdTune_8", "cmdTune_6", "cmdTune_4", "cmdTune_2"}) {
        EXPECT_GT(child<QPushButton>(*tune, b)->x(), x) << b;
        x = child<QPushButton>(*tune, b)->x();
    }
    EXPECT_LT(child<QPushButton>(*tune, "cmdTune_6")->y(), child<QPushButton>(*tune, "cmdTune_7")->y());
    EXPECT_EQ(child<QPushButton>(*tune, "cmdTune_6")->text(), "+1 kHz");
    QStringList bands;
    for (int i = 0; i < RigTune::kBands; ++i) {
        if (auto* b = child<QPushButton>(*tune, qPrintable(QString("cmdBand_%1").arg(i))); b->isVisibleTo(tune))
            bands << b->text();
    }
    EXPECT_EQ(bands, QStringList({"160", "80", "40", "20", "15", "10", "6", "2", "1.25", "70", "33", "23"}));
    // Go without a rig does nothing and says nothing.
    child<QLineEdit>(*tune, "txtFreq")->setText("14.025");
    tune->go();
    EXPECT_FALSE(windows.poller().changing());
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(RigWindowsTest, RigWindowFitsTheScreenAndShowsOnlyTheChosenRigsFields)
{
    RigSetupWindow& f = windows.rigControl();
    struct Row {
        const char* rig;
        bool serial, rigctld, pegasus;
    };
    const Row rows[] = {{"None", false, false, false},          {"Kenwood", true, false, false},
                        {"Icom", true, false, false},           {"Other", true, false, false},
                        {"Hamlib rigctld", false, true, false}, {"Ten Tec Pegasus", false, false, true}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.rig);
        chooseRig(r.rig);
        EXPECT_EQ(child<QWidget>(f, "serialSettings")->isVisibleTo(&f), r.serial);
        EXPECT_EQ(child<QLineEdit>(f, "txtFreq")->isVisibleTo(&f), r.serial);
        EXPECT_EQ(child<QWidget>(f, "rigctldSettings")->isVisibleTo(&f), r.rigctld);
        EXPECT_EQ(child<QLineEdit>(f, "txtPegasusFolder")->isVisibleTo(&f), r.pegasus);
    }
    for (const QString& rig : RigCatalog::names()) {
        SCOPED_TRACE(rig.toStdString());
        chooseRig(qPrintable(rig));
        EXPECT_LT(f.sizeHint().height(), 700);
        EXPECT_LE(f.sizeHint().width(), 1024);
    }
}

TEST_F(RigWindowsTest, TuneWindowStepsBandsModesAndScansWhileShown)
{
    SimulatedRig rig(SimulatedRig::Kind::Kenwood);
    chooseRig("Kenwood");
    usePort(rig);
    windows.rigControl().test();
    ASSERT_TRUE(windows.poller().polling());
    windows.showRigTune();
    auto* tune = main.findChild<RigTuneWindow*>();
    auto* freq = child<QLineEdit>(*tune, "txtFreq");

    EXPECT_FALSE(child<QPushButton>(*tune, "cmdTune_6")->isEnabled());
    freq->setText("14.0255");
    EXPECT_TRUE(child<QPushButton>(*tune, "cmdTune_6")->isEnabled());
    // +1 kHz, the 40 m preset (7.15, lower sideband), AM; 5.368 MHz on 60 m is upper sideband.
    const std::tuple<const char*, const char*, QByteArray> clicks[] = {
        {"cmdTune_6", "14.0265", "FA00014026500;"},
        {"cmdBand_3", "7.15", "MD1;FA00007150000;"},
        {"cmdAM", "7.15", "MD5;"},
        {"cmdBand_2", "5.368", "MD2;FA00005368000;"},
    };
    for (const auto& [button, text, sent] : clicks) {
        rig.received.clear();
        child<QPushButton>(*tune, button)->click();
        EXPECT_EQ(freq->text(), text) << button;
        WAIT_TRUE(rig.received.contains(sent), 5000);
        WAIT_TRUE(!windows.poller().changing(), 5000);
    }

    // Scan 14.000 to 14.001 in 500 Hz steps, ticked by hand (without giving the
    // window's own 299 ms timer a chance in between).
    rig.received.clear();
    freq->setText("14");
    child<QLineEdit>(*tune, "txtFrom")->setText("14.000");
    child<QLineEdit>(*tune, "txtTo")->setText("14.001");
    child<QCheckBox>(*tune, "chkScan")->setChecked(true);
    QStringList seen;
    for (int i = 0; i < 3; ++i) {
        tune->scanTick();
        seen << freq->text();
    }
    EXPECT_EQ(seen, (QStringList{"14.0005", "14.001", "14."}));
    // A key in the window stops the scan; letters never reach the frequency box.
    QTest::keyClick(freq, Qt::Key_A);
    EXPECT_FALSE(child<QCheckBox>(*tune, "chkScan")->isChecked());
    EXPECT_EQ(freq->text(), "14.");
    // The first step went out; the newest one follows once it is done.
    WAIT_TRUE(!windows.poller().changing(), 5000);
    EXPECT_TRUE(rig.received.contains("FA00014000500;")) << rig.received.toStdString();
    EXPECT_TRUE(rig.received.endsWith("FA00014000000;")) << rig.received.toStdString();

    // The window's own timer scans only while the window is shown with Scan ticked.
    auto* scan = child<QCheckBox>(*tune, "chkScan");
    EXPECT_FALSE(tune->scanning());

    freq->setText("14");
    child<QLineEdit>(*tune, "txtFrom")->setText("14.000");
    child<QLineEdit>(*tune, "txtTo")->setText("14.010");
    scan->click();
    EXPECT_TRUE(tune->scanning());
    WAIT_TRUE(freq->text() != "14", 3000); // the window's own timer steps it

    // Done hides the window: the scan stops with it, and a tick already due does nothing.
    child<QPushButton>(*tune, "cmdDone")->click();
    EXPECT_FALSE(tune->isVisible());
    EXPECT_FALSE(tune->scanning());
    const QString stopped = freq->text();
    tune->scanTick();
    EXPECT_EQ(freq->text(), stopped);

    // Shown again with Scan still ticked, it scans on; unticked, it stays still.
    windows.showRigTune();
    EXPECT_TRUE(tune->scanning());
    scan->click();
    EXPECT_FALSE(tune->scanning());
    tune->close();
    windows.showRigTune();
    EXPECT_FALSE(tune->scanning());
    WAIT_TRUE(!windows.poller().changing(), 5000);
}

TEST_F(RigWindowsTest, PollerFailuresReachTheOperatorOnlyAfterThePollerReturns)
{
    // A box opened from inside the poller's timer slot would poll on in a nested event loop.
    emit poller.failed("The rig port went away", "Rig Interface", Dialogs::Icon::Warning);
    EXPECT_TRUE(dialogs.calls.empty());
    WAIT_EQ(dialogs.calls.size(), size_t(1), 1000);
    EXPECT_EQ(dialogs.last().text, "The rig port went away");
    EXPECT_EQ(dialogs.last().title, "Rig Interface");

    chooseRig("Kenwood");
    RigSetupWindow& f = windows.rigControl();
    child<QTableWidget>(f, "tblPorts")->item(0, 0)->setText(dir.file("no-such-tty"));
    child<QRadioButton>(f, "optPort0")->setChecked(true);
    child<QPushButton>(f, "Command1")->click();
    EXPECT_FALSE(poller.polling());
    WAIT_EQ(dialogs.calls.size(), size_t(2), 1000);
    EXPECT_EQ(dialogs.last().title, "Invalid Comm Settings.");
}
