#include "ui/MainWindow.h"
#include "app/AppContext.h"
#include "log/LogFile.h"
#include "log/Station.h"
#include "reports/EntryClaims.h"
#include "settings/Preferences.h"
#include "support/ManualClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TestAppOptions.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"
#include "ui/ContactTableModel.h"
#include "ui/EditContactDialog.h"
#include "ui/ImportWindow.h"
#include "ui/SectionDisplay.h"
#include "ui/StationIdDialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct MainWindowFixture : ::testing::Test {
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ManualClock clock;
    std::unique_ptr<AppContext> app;

    void prepare(const QByteArray& log)
    {
        Preferences p;
        p.ownCall = "K1ABC";
        p.ownClass = "2A";
        p.ownSection = "CT";
        p.band = "20";
        p.mode = "CW";
        p.utcOffset = 4; // matches the test clock: no offset question at start-up
        ASSERT_TRUE(SavePref(dir.file("fdpref.dat"), p));
        writeBytes(dir.file("fdlog.dat"), log);
    }

    bool start()
    {
        app = std::make_unique<AppContext>(testAppOptions(dir), dialogs, clock);
        return app->start();
    }

    QString text(const QString& name) { return app->window().findChild<QLabel*>(name)->text(); }
    QString cell(int row, int column)
    {
        auto* model = app->window().listModel();
        return model->data(model->index(row, column), Qt::DisplayRole).toString();
    }
};

QByteArray contacts(int n)
{
    const QStringList modes{"CW", "DIG", "PH"};
    const QStringList sections{"CT", "ENY", "DX", "GTA"};
    QByteArray data;
    for (int i = 1; i <= n; ++i) {
        data += formatLogLine({QString("K%1AB").arg(i), "2A", sections[i % 4], "2026/06/27",
                               QString("18:%1:05").arg(i, 2, 10, QChar('0')), "20", modes[i % 3], "JS", ""});
    }
    return data;
}

} // namespace

TEST_F(MainWindowFixture, StartsOnAPreparedFolderAndShowsTheLog)
{
    prepare(contacts(25));
    start();
    MainWindow& w = app->window();

    // 25 contacts: i%3==0 CW (8), i%3==1 DIG (9), i%3==2 PH (8).
    EXPECT_EQ(text("lblTotCon"), "8");
    EXPECT_EQ(text("lblTotSec"), "9");
    EXPECT_EQ(text("lblsectogo"), "8");
    EXPECT_EQ(text("lblTotScore"), "42");
    EXPECT_EQ(text("Label30"), "20");
    EXPECT_EQ(text("Label12"), "CW");
    EXPECT_EQ(text("lblOwnCall"), "K1ABC");
    EXPECT_TRUE(w.findChild<QAction*>("mnu20")->isChecked());
    EXPECT_TRUE(w.findChild<QAction*>("mnuCW")->isChecked());
    EXPECT_FALSE(w.findChild<QAction*>("mnu40")->isChecked());

    // The last 20 contacts, oldest first, with the short date and time forms.
    auto* model = w.listModel();
    ASSERT_EQ(model->rowCount(), 20);
    EXPECT_EQ(cell(0, ContactTableModel::RecNo), "6");
    EXPECT_EQ(cell(0, ContactTableModel::Call), "K6AB");
    EXPECT_EQ(cell(19, ContactTableModel::RecNo), "25");
    EXPECT_EQ(cell(19, ContactTableModel::Date), "2026/06/27");
    EXPECT_EQ(cell(19, ContactTableModel::Time), "18:25");
    EXPECT_EQ(model->headerData(8, Qt::Horizontal, Qt::DisplayRole).toString(), "Opr");

    // The score at a glance: the strip, and the band x mode table (20 m is the fourth row).
    EXPECT_EQ(text("lblStripContacts"), "Contacts: 25");
    EXPECT_EQ(text("lblStripSections"), "Sections: 2 of 85");
    EXPECT_EQ(text("lblStripScore"), "Score: 84 (42 points x2 + 0 bonus, power step not chosen)");
    EXPECT_EQ(text("lblStripRig"), "Rig: not connected");
    auto* table = w.findChild<QTableWidget*>("tblBandMode");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->item(3, 0)->text(), "8");
    EXPECT_EQ(table->item(3, 1)->text(), "9");
    EXPECT_EQ(table->item(0, 2)->text(), "");
    EXPECT_EQ(table->item(13, 2)->text(), "8");

    // A folder that has not chosen its rules shows the current 85 sections: CT and ENY worked,
    // everything else not; the retired GTA and DX mark nothing.
    auto* sections = w.findChild<SectionDisplay*>();
    ASSERT_EQ(sections->count(), 85);
    const QColor worked = colourFromBgr(Preferences{}.workedColour);
    const QColor notWorked = colourFromBgr(Preferences{}.notWorkedColour);
    EXPECT_EQ(sections->label(0)->palette().color(QPalette::Window), worked);
    EXPECT_EQ(sections->label(0)->toolTip(), "Connecticut");
    EXPECT_EQ(sections->label(0)->text(), "CT \u2713"); // readable without colour
    EXPECT_EQ(sections->label(1)->text(), "EMA");
    EXPECT_EQ(sections->label(7)->palette().color(QPalette::Window), worked);
    EXPECT_EQ(sections->label(73)->toolTip(), "Golden Horseshoe");
    EXPECT_EQ(sections->label(73)->palette().color(QPalette::Window), notWorked);
    EXPECT_EQ(sections->label(1)->palette().color(QPalette::Window), notWorked);
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(MainWindowFixture, RulesChosenInTheOptionsMenuAndTheSetupWindow)
{
    prepare(contacts(25));
    start();
    MainWindow& w = app->window();
    const auto sectionCount = [&] { return w.findChild<SectionDisplay*>("SectionDisplay")->count(); };
    ASSERT_EQ(sectionCount(), 85);
    EXPECT_TRUE(w.findChild<QAction*>("mnuRules2025")->isChecked());

    w.findChild<QAction*>("mnuRulesWritten")->trigger();
    WAIT_EQ(sectionCount(), 83, 2000);
    EXPECT_EQ(readBytes(dir.file("fdrules.dat")), "\"written\"\r\n");
    // GTA (the last label) was worked in the log all along.
    const QColor worked = colourFromBgr(Preferences{}.workedColour);
    EXPECT_EQ(w.findChild<SectionDisplay*>("SectionDisplay")->label(82)->palette().color(QPalette::Window), worked);

    w.findChild<QAction*>("mnuRules2025")->trigger();
    WAIT_EQ(sectionCount(), 85, 2000);
    EXPECT_EQ(readBytes(dir.file("fdrules.dat")), "\"2025\"\r\n");

    StationIdDialog setup(app->station().prefs(), &w, &dialogs);
    auto* rules = setup.findChild<QComboBox*>("cboRules");
    ASSERT_NE(rules, nullptr);
    ASSERT_EQ(rules->count(), 2);
    EXPECT_EQ(rules->itemText(0), "ARRL Field Day 2025");
    EXPECT_EQ(rules->itemText(1), "As written");
    setup.setRules(RulesEdition::AsWritten);
    EXPECT_EQ(rules->currentText(), "As written");
    EXPECT_EQ(setup.rules(), RulesEdition::AsWritten);
}

TEST_F(MainWindowFixture, TheRulesAsWrittenShowTheirOwnSections)
{
    prepare(contacts(25));
    writeBytes(dir.file("fdrules.dat"), "\"written\"\r\n");
    start();
    auto* sections = app->window().findChild<SectionDisplay*>();
    ASSERT_EQ(sections->count(), 83);
    const QColor worked = colourFromBgr(Preferences{}.workedColour);
    EXPECT_EQ(sections->label(8)->palette().color(QPalette::Window), worked);
    EXPECT_EQ(sections->label(82)->toolTip(), "Greater Toronto Area");
    EXPECT_EQ(sections->label(82)->palette().color(QPalette::Window), worked);
}

TEST_F(MainWindowFixture, DeleteFromTheListRewritesTheFile)
{
    prepare(contacts(5));
    start();
    MainWindow& w = app->window();
    auto* list = w.listView();
    auto* del = w.findChild<QPushButton*>("cmdDelete");
    EXPECT_TRUE(del->isHidden());
    const QRect second = list->visualRect(w.listModel()->index(1, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_FALSE(del->isHidden());
    dialogs.yesNoAnswers = {true};
    del->click();
    EXPECT_EQ(dialogs.last().title, "Are you sure?");
    std::vector<ContactRecord> onDisk;
    LogFile(dir.file("fdlog.dat")).read(onDisk, 100);
    ASSERT_EQ(onDisk.size(), 4u);
    EXPECT_EQ(onDisk[1].call, "K3AB");
    EXPECT_EQ(w.listModel()->rowCount(), 4);
    EXPECT_EQ(cell(1, ContactTableModel::Call), "K3AB");
    EXPECT_TRUE(del->isHidden());
}

TEST_F(MainWindowFixture, DamagedLogIsReportedAndTheWindowStillStarts)
{
    prepare(contacts(2) + QByteArray(300, '\0') + "\r\n" + contacts(2));
    start();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.last().text.startsWith("Error opening file.  Line 3 of ")) << dialogs.last().text.toStdString();
    // Every readable line is loaded, and the list and counts show them.
    const ContactLog& log = app->station().log();
    EXPECT_EQ(log.size(), 4);
    EXPECT_EQ(app->window().listModel()->rowCount(), 4);
    EXPECT_NE(log.points(), 0);
    EXPECT_EQ(text("lblTotScore"), QString::number(log.points()));
}

TEST_F(MainWindowFixture, RepairLogFileMovesTheDamageAsideAndReloads)
{
    prepare(contacts(2) + QByteArray(300, '\0') + "\r\n" + contacts(2));
    start();
    dialogs.clear();
    app->window().findChild<QAction*>("mnuRepair")->trigger();
    EXPECT_EQ(dialogs.last().title, "Repair Log File");
    EXPECT_EQ(readBytes(dir.file("fdlog.dat")), contacts(2) + contacts(2));
    EXPECT_TRUE(readBytes(dir.file("fdlog.damaged")).contains(QByteArray(300, '\0')));
    EXPECT_EQ(app->station().logbook().firstUnreadLine(), 0);
    EXPECT_EQ(app->window().listModel()->rowCount(), 4);
}

TEST_F(MainWindowFixture, CancelledEditOnADamagedLogLeavesTheFileAlone)
{
    const QByteArray damaged = contacts(2) + QByteArray(300, '\0') + "\r\n" + contacts(2);
    prepare(damaged);
    start();
    dialogs.clear();
    MainWindow& w = app->window();
    QTest::mouseClick(w.listView()->viewport(), Qt::LeftButton, {},
                      w.listView()->visualRect(w.listModel()->index(1, 1)).center());
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<EditContactDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->reject();
    });
    w.findChild<QPushButton*>("cmdEdit")->click();
    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.last().text.toStdString();
    EXPECT_EQ(readBytes(dir.file("fdlog.dat")), damaged);
    EXPECT_EQ(w.listModel()->rowCount(), 4);
}

TEST_F(MainWindowFixture, FirstStartWithoutFilesUsesDefaultsAndWritesPreferences)
{
    // The default offset 0 differs from the clock's 4 hours: the operator is asked and cancels.
    dialogs.inputAnswers = {std::nullopt};
    start();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.last().title, "Update the Local Time / UTC Offset?");
    EXPECT_EQ(text("Label30"), "40");
    EXPECT_EQ(text("Label12"), "PH");
    EXPECT_EQ(app->window().listModel()->rowCount(), 0);
    Preferences written;
    EXPECT_TRUE(ReadPreferences(dir.file("fdpref.dat"), written));
    EXPECT_EQ(written.band, "40");
    EXPECT_TRUE(QFile::exists(dir.file("fdlog.dat")));

    app->window().findChild<QAction*>("mnu15")->trigger();
    EXPECT_EQ(text("Label30"), "15");
    EXPECT_TRUE(ReadPreferences(dir.file("fdpref.dat"), written));
    EXPECT_EQ(written.band, "15");
}

TEST_F(MainWindowFixture, EditFromTheListStoresTheEightFieldsAndKeepsTheFrequency)
{
    QByteArray log = contacts(3);
    log.replace("\"K2AB\",\"2A\",\"DX\",\"2026/06/27\",\"18:02:05\",\"20\",\"PH\",\"JS\",\"\"",
                "\"K2AB\",\"2A\",\"DX\",\"2026/06/27\",\"18:02:05\",\"20\",\"PH\",\"JS\",\"14.250\"");
    prepare(log);
    start();
    MainWindow& w = app->window();
    QTest::mouseClick(w.listView()->viewport(), Qt::LeftButton, {},
                      w.listView()->visualRect(w.listModel()->index(1, 1)).center());
    // The edit window is modal: answer it once it is up.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<EditContactDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Edit Contact Entry - Field Day");
        dialog->field("txtEditCall")->clear();
        QTest::keyClicks(dialog->field("txtEditCall"), "w1aw\"");
        dialog->field("txtEditmode")->setText("CW");
        dialog->findChild<QPushButton*>("cmdDone")->click();
    });
    w.findChild<QPushButton*>("cmdEdit")->click();
    std::vector<ContactRecord> onDisk;
    LogFile(dir.file("fdlog.dat")).read(onDisk, 100);
    ASSERT_EQ(onDisk.size(), 3u);
    EXPECT_EQ(onDisk[1].call, "W1AW");
    EXPECT_EQ(onDisk[1].mode, "CW");
    EXPECT_EQ(onDisk[1].freq, "14.250");
    EXPECT_EQ(cell(1, ContactTableModel::Call), "W1AW");
}

namespace {

// Types as an operator does: every key goes to whichever widget has the focus at that moment.
void typeAtFocus(const QString& text)
{
    for (const QChar c : text) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        if (c == QLatin1Char('\n'))
            QTest::keyClick(target, Qt::Key_Return);
        else if (c == QLatin1Char(' '))
            QTest::keyClick(target, Qt::Key_Space);
        else
            QTest::keyClicks(target, QString(c));
    }
}

} // namespace

TEST_F(MainWindowFixture, TypedContactsAreLoggedDupesRefusedAndDigitsCarried)
{
    prepare({});
    start();
    MainWindow& w = app->window();
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.findChild<QLineEdit*>("txtCall")->setFocus();
    ASSERT_EQ(QApplication::focusWidget()->objectName(), "txtCall");

    typeAtFocus("k1abc 2a ct\n");
    // The test clock is 14:00 local, offset 4: 18:00 UTC. No rig: no frequency.
    EXPECT_EQ(readBytes(dir.file("fdlog.dat")),
              QByteArray("\"K1ABC\",\"2A\",\"CT\",\"2026/06/27\",\"18:00:00\",\"20\",\"CW\",\"\",\"\",\"\"\r\n"));
    EXPECT_EQ(w.listModel()->rowCount(), 1);
    EXPECT_EQ(cell(0, ContactTableModel::Call), "K1ABC");
    EXPECT_EQ(text("lblTotCon"), "1");
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "txtCall");
    EXPECT_TRUE(w.findChild<QLineEdit*>("txtCall")->text().isEmpty());

    // The same call again on the same band and mode: refused, named, entry emptied, and the
    // call field locked for 3 s against keys typed ahead.
    typeAtFocus("k1abc 2a ct\n");
    const QString report = "Dupe: K1ABC 2A CT 2026/06/27 18:00:00 ON 20 CW  Rec# 1";
    EXPECT_EQ(text("lblDialog"), report);
    EXPECT_EQ(app->station().log().size(), 1);
    auto* call = w.findChild<QLineEdit*>("txtCall");
    EXPECT_TRUE(call->text().isEmpty());
    EXPECT_TRUE(call->isReadOnly());
    clock.advanceMs(1000);
    typeAtFocus("w2abc");
    EXPECT_TRUE(call->text().isEmpty());
    EXPECT_EQ(text("lblDialog"), report);

    // After the hold, a digit after the call's suffix carries into the class field.
    clock.advanceMs(2500);
    typeAtFocus("k1abd1e eny\n");
    ASSERT_EQ(app->station().log().size(), 2);
    EXPECT_FALSE(call->isReadOnly());
    const ContactRecord& r = app->station().log().record(2);
    EXPECT_EQ(r.call, "K1ABD");
    EXPECT_EQ(r.cls, "1E");
    EXPECT_EQ(r.section, "ENY");
}

TEST(StationIdDialog, DoneTurnsANonNumericOffsetIntoZeroAndFiltersTheFields)
{
    Preferences p;
    p.utcOffset = 5;
    StationIdDialog dialog(p);
    EXPECT_EQ(dialog.windowTitle(), " Amateur Station I.D.");
    // Centred on the screen, 170 twips above the middle.
    const QRect screen = dialog.screen()->geometry();
    const int lift = qRound(170 * dialog.screen()->logicalDotsPerInchY() / 1440.0);
    EXPECT_EQ(dialog.x(), screen.x() + (screen.width() - dialog.width()) / 2);
    EXPECT_NEAR(dialog.y(), screen.y() + (screen.height() - dialog.height()) / 2 - lift, 1);
    EXPECT_EQ(dialog.utcField()->text(), "5");
    dialog.utcField()->clear();
    QTest::keyClicks(dialog.utcField(), "a-4.5x"); // only "-", ".", "/" and digits pass
    EXPECT_EQ(dialog.utcField()->text(), "-4.5");
    QTest::keyClicks(dialog.callField(), "k1abc/\"4");
    EXPECT_EQ(dialog.callField()->text(), "K1ABC/4");
    dialog.utcField()->setText("4.5/");
    dialog.findChild<QPushButton*>("cmdDone")->click();
    EXPECT_EQ(dialog.utcField()->text(), "0");
    dialog.applyTo(p);
    EXPECT_EQ(p.utcOffset, 0.0f);
    EXPECT_EQ(p.ownCall, "K1ABC/4");
}

TEST_F(MainWindowFixture, ASecondCopyOnTheSameDataFolderIsRefused)
{
    prepare(contacts(3));
    ASSERT_TRUE(start());
    ScriptedDialogs secondDialogs;
    AppContext::Options o;
    o.dataDir = dir.path();
    o.documentsRoot = dir.file("docs");
    o.runStationId = [](StationIdDialog&) { return true; };
    {
        AppContext second(std::move(o), secondDialogs, clock);
        EXPECT_FALSE(second.start());
        ASSERT_EQ(secondDialogs.calls.size(), 1u);
        EXPECT_EQ(secondDialogs.last().title, "Program Already Running");
        EXPECT_TRUE(
            secondDialogs.last().text.startsWith("Another copy of the program is already using the data folder "));
        EXPECT_TRUE(secondDialogs.last().text.endsWith("This copy will close now."));
    }
    // The refused copy took nothing from the first one.
    EXPECT_EQ(app->station().log().size(), 3);
    app.reset();
    dialogs.clear();
    EXPECT_TRUE(start());
}

TEST_F(MainWindowFixture, EveryAltKeyOfTheMenuBarAndButtonsIsUsedOnce)
{
    prepare({});
    start();
    MainWindow& w = app->window();
    QStringList texts;
    for (QAction* a : w.menuBar()->actions())
        texts << a->text();
    for (QPushButton* b : w.findChildren<QPushButton*>())
        texts << b->text();
    QMap<QChar, QString> owner;
    for (const QString& t : texts) {
        const qsizetype amp = t.indexOf('&');
        if (amp < 0 || amp + 1 >= t.size())
            continue;
        const QChar key = t[amp + 1].toUpper();
        EXPECT_FALSE(owner.contains(key))
            << "Alt+" << QString(key).toStdString() << ": " << owner[key].toStdString() << " and " << t.toStdString();
        owner[key] = t;
    }
    EXPECT_EQ(owner.value('F'), "&File");
}

TEST_F(MainWindowFixture, ThePointerOnTheBareWindowClearsThePossibleDupes)
{
    prepare(formatLogLine({"K1ABC", "2A", "CT", "2026/06/27", "18:00:00", "20", "CW", "JS", ""}));
    start();
    MainWindow& w = app->window();
    w.show();
    w.entry().focusArrived(EntryField::Call);
    w.entry().typeText("K1A");
    w.redrawEntry();
    auto* central = w.centralWidget();
    QPoint bare(-1, -1);
    for (int y = 0; y < central->height() && bare.x() < 0; ++y) {
        for (int x = 0; x < central->width() && bare.x() < 0; ++x) {
            if (!central->childAt(x, y))
                bare = QPoint(x, y);
        }
    }
    ASSERT_GE(bare.x(), 0);
    auto move = [&](QPoint at) {
        QMouseEvent e(QEvent::MouseMove, at, central->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(central, &e);
    };
    ASSERT_TRUE(text("lblDupe").contains("K1ABC"));
    // Over a field the list stays; over the bare window it goes.
    move(w.findChild<QLineEdit*>("txtCall")->geometry().center());
    EXPECT_TRUE(text("lblDupe").contains("K1ABC"));
    move(bare);
    EXPECT_EQ(text("lblDupe"), "");
}

TEST_F(MainWindowFixture, AFailedAppendLeavesTheWindowShowingTheLogInMemory)
{
    prepare(contacts(3));
    start();
    MainWindow& w = app->window();
    writeBytes(dir.file("more.dat"), formatLogLine({"W9AB", "1A", "CT", "2026/06/27", "18:30:00", "20", "PH", "", ""}) +
                                         "not a log line\r\n");
    QTimer::singleShot(0, [this] {
        auto* import = qobject_cast<ImportWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(import, nullptr);
        import->txtPath->setText(dir.file("more.dat"));
        import->cmdAppend->click();
        import->accept();
    });
    w.findChild<QAction*>("mnuCombine")->trigger();
    EXPECT_EQ(dialogs.last().text, "Unable to read file.");
    const ContactLog& log = app->station().log();
    EXPECT_EQ(w.listModel()->rowCount(), log.size());
    EXPECT_EQ(text("lblsectogo"), QString::number(log.phoneCount()));
    EXPECT_EQ(text("lblTotScore"), QString::number(log.points()));
    std::vector<ContactRecord> onDisk;
    LogFile(dir.file("fdlog.dat")).read(onDisk, 100);
    EXPECT_EQ(static_cast<int>(onDisk.size()), log.size());
}

namespace {

// The ways text gets into a field without being typed.
enum class Route { CtrlV, ShiftInsert, ContextMenu, Drop };

void pasteInto(QWidget* field, Route route, const QString& text)
{
    QApplication::clipboard()->setText(text);
    switch (route) {
    case Route::CtrlV:
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        break;
    case Route::ShiftInsert:
        QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case Route::ContextMenu: {
        QTimer::singleShot(0, [] {
            QWidget* popup = QApplication::activePopupWidget();
            auto* menu = qobject_cast<QMenu*>(popup);
            if (!menu) {
                if (popup)
                    popup->close();
                ADD_FAILURE() << "no context menu";
                return;
            }
            QAction* paste = nullptr;
            for (QAction* a : menu->actions()) {
                EXPECT_EQ(a->menu(), nullptr) << a->text().toStdString();
                if (a->objectName() == "edit-paste")
                    paste = a;
            }
            if (!paste) {
                menu->close();
                ADD_FAILURE() << "no Paste in the context menu";
                return;
            }
            menu->setActiveAction(paste);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        const QPoint at(2, field->height() / 2);
        QContextMenuEvent e(QContextMenuEvent::Mouse, at, field->mapToGlobal(at));
        QApplication::sendEvent(field, &e);
        break;
    }
    case Route::Drop: {
        QMimeData mime;
        mime.setText(text);
        const QPoint at(2, field->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field, &enter);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field, &drop);
        break;
    }
    }
}

const Route AllRoutes[] = {Route::CtrlV, Route::ShiftInsert, Route::ContextMenu, Route::Drop};

} // namespace

TEST_F(MainWindowFixture, PastedTextIsTypedThroughTheEntryRules)
{
    prepare(formatLogLine({"K1ABC", "2A", "CT", "2026/06/27", "18:00:00", "20", "CW", "JS", ""}));
    start();
    MainWindow& w = app->window();
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto* call = w.findChild<QLineEdit*>("txtCall");
    auto field = [&](const char* name) { return w.findChild<QLineEdit*>(name)->text(); };
    const struct {
        QString pasted, call, cls, section;
    } rows[] = {
        {"k1abc", "K1ABC", "", ""},
        {"W1\"Q", "W1Q", "", ""},
        {"k1abc 2a ct", "K1ABC", "2A", "CT"},
        {"w\x01\t2\r\nxy", "W2XY", "", ""},
    };
    for (Route route : AllRoutes) {
        for (const auto& row : rows) {
            SCOPED_TRACE(testing::Message() << "route " << static_cast<int>(route) << " " << row.pasted.toStdString());
            w.entry().clearFields();
            w.redrawEntry();
            call->setFocus();
            pasteInto(call, route, row.pasted);
            EXPECT_EQ(field("txtCall"), row.call);
            EXPECT_EQ(field("txtCK"), row.cls);
            EXPECT_EQ(field("txtSec"), row.section);
            if (row.call == "K1ABC") {
                EXPECT_TRUE(text("lblDupe").contains("K1ABC")); // seen as the dupe it is
            }
        }
    }
    // Logged from a paste: a dupe of the contact in the log, so refused.
    w.entry().clearFields();
    w.redrawEntry();
    call->setFocus();
    pasteInto(call, Route::CtrlV, "k1abc 2a ct");
    ASSERT_EQ(w.focusWidget(), w.findChild<QLineEdit*>("txtSec"));
    QTest::keyClick(w.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(app->station().log().size(), 1);
    EXPECT_TRUE(text("lblDialog").startsWith("Dupe: K1ABC 2A CT"));
}

TEST(PasteIntoDialogs, FilteredFieldsTakePastedTextAsTyped)
{
    Preferences p;
    StationIdDialog station(p);
    station.show();
    const struct {
        QLineEdit* field;
        QString pasted, expected;
    } rows[] = {
        {station.callField(), "k1abc/\"4", "K1ABC/4"},
        {station.utcField(), "a-4.5x", "-4.5"},
        {station.classField(), "2a\"", "2A"},
    };
    for (Route route : AllRoutes) {
        for (const auto& row : rows) {
            SCOPED_TRACE(testing::Message() << "route " << static_cast<int>(route) << " " << row.pasted.toStdString());
            row.field->clear();
            pasteInto(row.field, route, row.pasted);
            EXPECT_EQ(row.field->text(), row.expected);
        }
    }
}

TEST_F(MainWindowFixture, CtrlDOpensTheSpottingWindowAndKeepsIt)
{
    prepare(contacts(1));
    ASSERT_TRUE(start());
    MainWindow& w = app->window();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
    QWidget* spotting = w.findChild<QWidget*>("PacketSpotfrm");
    ASSERT_NE(spotting, nullptr);
    EXPECT_TRUE(spotting->isVisible());
    EXPECT_EQ(spotting->windowTitle(), "DX Spotting Setup");
    // Hidden and opened again: the same window, so an open source stays with it.
    spotting->hide();
    w.findChild<QAction*>("mnuPacketSpot")->trigger();
    EXPECT_EQ(w.findChild<QWidget*>("PacketSpotfrm"), spotting);
    EXPECT_TRUE(spotting->isVisible());
}

namespace {

// Presses Esc in the next modal window that shows (a mnemonic clicks its button a moment later).
void escapeTheModal(QString* title)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, title] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            *title = modal->windowTitle();
            poll->stop();
            poll->deleteLater();
            QTest::keyClick(modal, Qt::Key_Escape);
        }
    });
    poll->start(5);
}

} // namespace

TEST_F(MainWindowFixture, EscClosesEveryWindowAndTheFocusComesBackToTheCall)
{
    prepare(contacts(3));
    ASSERT_TRUE(start());
    MainWindow& w = app->window();
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto* call = w.findChild<QLineEdit*>("txtCall");
    auto* list = w.listView();
    const auto backOnCall = [&] {
        QApplication::processEvents();
        return w.focusWidget() == call;
    };
    // Modal windows, opened as the operator does; each one is left with Esc.
    const std::vector<std::pair<QString, std::function<void()>>> modal{
        {"Find a Call", [&] { QTest::keyClick(call, Qt::Key_I, Qt::AltModifier); }}, // Alt+F is File's
        {"Edit Contact Entry - Field Day",
         [&] {
             list->selectRow(1);
             QTest::keyClick(list, Qt::Key_Return);
         }},
        {" Amateur Station I.D.", [&] { w.findChild<QAction*>("mnuSetup")->trigger(); }},
        {"Change Operator", [&] { w.findChild<QAction*>("mnuOperator")->trigger(); }},
    };
    for (const auto& [title, open] : modal) {
        SCOPED_TRACE(title.toStdString());
        w.findChild<QPushButton*>("cmdFind")->setFocus(); // where the focus was left before
        QString shown;
        escapeTheModal(&shown);
        open();
        WAIT_EQ(shown, title, 2000);
        EXPECT_TRUE(backOnCall());
    }
    EXPECT_EQ(app->station().log().size(), 3);
    // Delete on a row asks first.
    list->selectRow(0);
    dialogs.yesNoAnswers = {false};
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(dialogs.last().title, "Are you sure?");
    EXPECT_EQ(app->station().log().size(), 3);
    EXPECT_TRUE(backOnCall());

    // Windows that stay open beside the main one.
    for (const char* action : {"mnuRigControl", "mnuRigTune", "mnuBandPlan", "mnuPacketSpot", "mnuOperatorStats",
                               "mnuGraph", "mnuSectionMap", "mnuColors", "mnuHelpPage"}) {
        SCOPED_TRACE(action);
        const auto open = [&] {
            QWidgetList shown;
            for (QWidget* t : QApplication::topLevelWidgets()) {
                if (t != &w && t->isVisible() && t->parentWidget())
                    shown << t;
            }
            return shown;
        };
        ASSERT_TRUE(open().isEmpty());
        w.findChild<QAction*>(action)->trigger();
        const QWidgetList windows = open();
        ASSERT_EQ(windows.size(), 1);
        QTest::keyClick(windows.first(), Qt::Key_Escape);
        EXPECT_FALSE(windows.first()->isVisible());
        EXPECT_TRUE(backOnCall());
    }

    // Esc on an empty entry clears the message line; band and mode keys.
    QApplication::setActiveWindow(&w);
    w.entry().showMessage("stale");
    QTest::keyClick(call, Qt::Key_Escape);
    EXPECT_EQ(text("lblDialog"), "");
    QTest::keyClick(call, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(text("Label30"), "15");
    QTest::keyClick(call, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(text("Label30"), "20");
    QTest::keyClick(call, Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(text("Label12"), "DIG");
}

TEST_F(MainWindowFixture, TheStripScoresWithTheSummaryWindowsClaimsAndRereadsThem)
{
    prepare(contacts(3)); // DIG, PH, CW: 2 + 1 + 2 points
    ASSERT_TRUE(start());
    MainWindow& w = app->window();
    w.show();
    EXPECT_EQ(text("lblStripScore"), "Score: 10 (5 points x2 + 0 bonus, power step not chosen)");
    // Saved by the summary window: 5 W on batteries is x5, media publicity 100.
    EntryClaims c;
    c.level = PowerLevel::Up5;
    c.sources.battery = true;
    c.bonus.insert("media", 1);
    ASSERT_TRUE(EntryClaimsFile::write(dir.path(), c));
    // Any secondary window closing re-reads them (the summary window is one).
    w.findChild<QAction*>("mnuBandPlan")->trigger();
    for (QWidget* t : QApplication::topLevelWidgets()) {
        if (t != &w && t->isVisible() && t->parentWidget())
            t->close();
    }
    WAIT_EQ(text("lblStripScore"), QString("Score: 125 (5 points x5 + 100 bonus)"), 2000);
}

TEST_F(MainWindowFixture, AdifQuestionsAreOneFormWhoseCancelCancelsAndFormSizeAppliesAtOnce)
{
    prepare(contacts(3));
    ASSERT_TRUE(start());
    MainWindow& w = app->window();
    auto* adif = w.findChild<QAction*>("mnuADIFExport");
    dialogs.formAnswers = {std::nullopt};
    adif->trigger();
    ASSERT_EQ(dialogs.calls.size(), 1u); // no save dialog after Cancel
    EXPECT_EQ(dialogs.last().kind, ScriptedDialogs::Kind::Form);
    EXPECT_EQ(dialogs.last().title, "ADIF Export");
    EXPECT_TRUE(dialogs.last().extra.contains("Transmitter output power=100"));

    const QString out = dir.file("out.adi");
    dialogs.formAnswers = {QStringList{"5", "", "Older words (PH, DIG, 70M, SATM)", "ph", ""}};
    dialogs.fileAnswers = {out};
    adif->trigger();
    const QByteArray written = readBytes(out);
    EXPECT_TRUE(written.contains("<Tx_Pwr:1>5")) << written.toStdString();
    EXPECT_TRUE(written.contains("<Mode:2>PH")) << written.toStdString();
    EXPECT_EQ(dialogs.last().title, "File Written Successfully.");

    dialogs.inputAnswers = {QString("50")};
    w.findChild<QAction*>("mnuFormsize")->trigger();
    EXPECT_NEAR(w.width(), w.screen()->geometry().width() / 2, 2);
    EXPECT_EQ(dialogs.last().kind, ScriptedDialogs::Kind::Input); // no restart notice
    // The large type follows the window's font, as fitting a 1920 screen makes it grow.
    QFont grown = w.font();
    grown.setPointSizeF(grown.pointSizeF() * 1.5);
    w.setFont(grown);
    for (const char* name : {"txtCall", "lblWorked", "Label30"})
        EXPECT_DOUBLE_EQ(w.findChild<QWidget*>(name)->font().pointSizeF(), w.font().pointSizeF() * 1.6) << name;
}
