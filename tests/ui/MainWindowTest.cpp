// The main window and what it opens, offscreen, on a prepared data folder.
#include "support/AppFixture.h"

#include "keying/CwSettings.h"
#include "reports/EntryClaims.h"
#include "rig/RigPoller.h"
#include "ui/BonusCalculatorWindow.h"
#include "ui/ContactTableModel.h"
#include "ui/EditContactDialog.h"
#include "ui/FrequencyTestWindow.h"
#include "ui/ImportWindow.h"
#include "ui/RigWindows.h"
#include "ui/SectionDisplay.h"
#include "ui/StationIdDialog.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>

namespace {

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

const QColor Worked = colourFromBgr(Preferences{}.workedColour);
const QColor NotWorked = colourFromBgr(Preferences{}.notWorkedColour);

struct MainWindowFixture : AppFixture {
    void open(const QByteArray& log)
    {
        prepare(log);
        ASSERT_TRUE(start());
    }
    QString cell(int row, int column)
    {
        auto* model = win().listModel();
        return model->data(model->index(row, column), Qt::DisplayRole).toString();
    }
    QColor colour(int section)
    {
        return win().findChild<SectionDisplay*>()->label(section)->palette().color(QPalette::Window);
    }
    void clickRow(int row)
    {
        QTest::mouseClick(win().listView()->viewport(), Qt::LeftButton, {},
                          win().listView()->visualRect(win().listModel()->index(row, 1)).center());
    }
    // The edit window is modal: it is answered once it is up.
    void editRow(int row, const std::function<void(EditContactDialog&)>& answer)
    {
        clickRow(row);
        QTimer::singleShot(0, [answer] {
            auto* dialog = qobject_cast<EditContactDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(*dialog);
        });
        child<QPushButton>("cmdEdit")->click();
    }
    // The windows open beside the main one.
    QWidgetList shownBeside(bool ownedOnly = true)
    {
        QWidgetList shown;
        for (QWidget* t : QApplication::topLevelWidgets()) {
            if (t != &win() && t->isVisible() && (!ownedOnly || t->parentWidget()) && t->windowType() != Qt::Popup &&
                t->windowType() != Qt::ToolTip)
                shown << t;
        }
        return shown;
    }
};

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

TEST_F(MainWindowFixture, StartsOnAPreparedFolderAndShowsTheLog)
{
    open(contacts(25));
    // 25 contacts: i%3==0 CW (8), i%3==1 DIG (9), i%3==2 PH (8).
    EXPECT_EQ(texts({"lblTotCon", "lblTotSec", "lblsectogo", "lblTotScore", "Label30", "Label12", "lblOwnCall"}),
              QStringList({"8", "9", "8", "42", "20", "CW", "K1ABC"}));
    EXPECT_TRUE(child<QAction>("mnu20")->isChecked() && child<QAction>("mnuCW")->isChecked());
    EXPECT_FALSE(child<QAction>("mnu40")->isChecked());

    // The last 20 contacts, oldest first, with the short date and time forms.
    using M = ContactTableModel;
    ASSERT_EQ(win().listModel()->rowCount(), 20);
    EXPECT_EQ(
        QStringList({cell(0, M::RecNo), cell(0, M::Call), cell(19, M::RecNo), cell(19, M::Date), cell(19, M::Time),
                     win().listModel()->headerData(8, Qt::Horizontal, Qt::DisplayRole).toString()}),
        QStringList({"6", "K6AB", "25", "2026/06/27", "18:25", "Opr"}));

    // The score at a glance: the strip, and the band x mode table (20 m is the fourth row).
    EXPECT_EQ(texts({"lblStripContacts", "lblStripSections", "lblStripScore", "lblStripRig"}),
              QStringList({"Contacts: 25", "Sections: 2 of 85",
                           "Score: 84 (42 points x2 + 0 bonus, power step not chosen)", "Rig: not connected"}));
    auto* table = child<QTableWidget>("tblBandMode");
    EXPECT_EQ(QStringList({table->item(3, 0)->text(), table->item(3, 1)->text(), table->item(0, 2)->text(),
                           table->item(13, 2)->text()}),
              QStringList({"8", "9", "", "8"}));

    // A folder that has not chosen its rules shows the current 85 sections: CT and ENY worked,
    // everything else not; the retired GTA and DX mark nothing.
    auto* sections = win().findChild<SectionDisplay*>();
    ASSERT_EQ(sections->count(), 85);
    EXPECT_EQ(QStringList({sections->label(0)->toolTip(), sections->label(0)->text(), sections->label(1)->text(),
                           sections->label(73)->toolTip()}),
              QStringList({"Connecticut", "CT \u2713", "EMA", "Golden Horseshoe"})); // readable without colour
    EXPECT_EQ(std::vector<QColor>({colour(0), colour(7), colour(73), colour(1)}),
              std::vector<QColor>({Worked, Worked, NotWorked, NotWorked}));
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(MainWindowFixture, RulesChosenAtStartInTheOptionsMenuAndTheSetupWindow)
{
    prepare(contacts(25));
    writeBytes(dir.file("fdrules.dat"), "\"written\"\r\n");
    start();
    const auto count = [&] { return win().findChild<SectionDisplay*>("SectionDisplay")->count(); };
    // The rules as written have their own 83 sections: ENY (the ninth) and GTA (the last) worked.
    ASSERT_EQ(count(), 83);
    EXPECT_TRUE(child<QAction>("mnuRulesWritten")->isChecked());
    EXPECT_EQ(win().findChild<SectionDisplay*>()->label(82)->toolTip(), "Greater Toronto Area");
    EXPECT_EQ(std::vector<QColor>({colour(8), colour(82)}), std::vector<QColor>(2, Worked));

    trigger("mnuRules2025");
    WAIT_EQ(count(), 85, 2000);
    EXPECT_EQ(readBytes(dir.file("fdrules.dat")), "\"2025\"\r\n");
    trigger("mnuRulesWritten");
    WAIT_EQ(count(), 83, 2000);
    EXPECT_EQ(readBytes(dir.file("fdrules.dat")), "\"written\"\r\n");
    EXPECT_EQ(colour(82), Worked);

    StationIdDialog setup(app->station().prefs(), &win(), &dialogs);
    auto* rules = setup.findChild<QComboBox*>("cboRules");
    ASSERT_NE(rules, nullptr);
    ASSERT_EQ(rules->count(), 2);
    EXPECT_EQ(QStringList({rules->itemText(0), rules->itemText(1)}),
              QStringList({"ARRL Field Day 2025", "As written"}));
    setup.setRules(RulesEdition::FieldDay2025);
    EXPECT_EQ(rules->currentIndex(), 0);
    rules->setCurrentIndex(1);
    EXPECT_EQ(setup.rules(), RulesEdition::AsWritten);
}

TEST_F(MainWindowFixture, DeleteFromTheListRewritesTheFile)
{
    open(contacts(5));
    auto* del = child<QPushButton>("cmdDelete");
    EXPECT_TRUE(del->isHidden());
    clickRow(1);
    EXPECT_FALSE(del->isHidden());
    dialogs.yesNoAnswers = {true};
    del->click();
    EXPECT_EQ(dialogs.last().title, "Are you sure?");
    ASSERT_EQ(onDisk().size(), 4u);
    EXPECT_EQ(QStringList(
                  {onDisk()[1].call, cell(1, ContactTableModel::Call), QString::number(win().listModel()->rowCount())}),
              QStringList({"K3AB", "K3AB", "4"}));
    EXPECT_TRUE(del->isHidden());
}

TEST_F(MainWindowFixture, DamagedLogIsReportedKeptByACancelledEditAndRepaired)
{
    const QByteArray damaged = contacts(2) + QByteArray(300, '\0') + "\r\n" + contacts(2);
    open(damaged);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.last().text.startsWith("Error opening file.  Line 3 of ")) << dialogs.last().text.toStdString();
    // Every readable line is loaded, and the list and counts show them.
    const ContactLog& log = app->station().log();
    EXPECT_EQ(win().listModel()->rowCount(), 4);
    EXPECT_NE(log.points(), 0);
    EXPECT_EQ(text("lblTotScore"), QString::number(log.points()));

    dialogs.clear();
    editRow(1, [](EditContactDialog& d) { d.reject(); });
    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.last().text.toStdString();
    EXPECT_EQ(readBytes(dir.file("fdlog.dat")), damaged);
    EXPECT_EQ(win().listModel()->rowCount(), 4);

    // The repair moves the damage aside and reloads.
    trigger("mnuRepair");
    EXPECT_EQ(dialogs.last().title, "Repair Log File");
    EXPECT_EQ(readBytes(dir.file("fdlog.dat")), contacts(2) + contacts(2));
}

TEST_F(MainWindowFixture, FirstStartWithoutFilesUsesDefaultsAndWritesPreferences)
{
    // The default offset 0 differs from the clock's 4 hours: the operator is asked and cancels.
    dialogs.inputAnswers = {std::nullopt};
    start();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.last().title, "Update the Local Time / UTC Offset?");
    EXPECT_EQ(texts({"Label30", "Label12"}), QStringList({"40", "PH"}));
    EXPECT_EQ(win().listModel()->rowCount(), 0);
    EXPECT_TRUE(QFile::exists(dir.file("fdlog.dat")));
    Preferences written;
    EXPECT_TRUE(ReadPreferences(dir.file("fdpref.dat"), written));
    EXPECT_EQ(written.band, "40");

    trigger("mnu15");
    EXPECT_EQ(text("Label30"), "15");
    EXPECT_TRUE(ReadPreferences(dir.file("fdpref.dat"), written));
    EXPECT_EQ(written.band, "15");

    trigger("mnuAbout");
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.last().title, "About Field Day Logger");
    EXPECT_TRUE(dialogs.last().text.contains("Version " FDLOG_VERSION "\n")) << dialogs.last().text.toStdString();
    EXPECT_TRUE(dialogs.last().text.contains(QStringLiteral("Qt ") + qVersion())) << dialogs.last().text.toStdString();
}

TEST_F(MainWindowFixture, EditFromTheListStoresTheEightFieldsAndKeepsTheFrequency)
{
    QByteArray log = contacts(3);
    log.replace(R"("PH","JS","")", R"("PH","JS","14.250")"); // K2AB, the only PH contact
    open(log);
    editRow(1, [](EditContactDialog& d) {
        d.field("txtEditCall")->clear();
        QTest::keyClicks(d.field("txtEditCall"), "w1aw\"");
        d.field("txtEditmode")->setText("CW");
        d.findChild<QPushButton*>("cmdDone")->click();
    });
    const auto disk = onDisk();
    ASSERT_EQ(disk.size(), 3u);
    EXPECT_EQ(QStringList({disk[1].call, disk[1].mode, disk[1].freq, cell(1, ContactTableModel::Call)}),
              QStringList({"W1AW", "CW", "14.250", "W1AW"}));
}

TEST_F(MainWindowFixture, TypedContactsAreLoggedDupesRefusedAndDigitsCarried)
{
    prepare({});
    CwSettings cw;
    cw.output = CwSettings::Cwdaemon; // an output that opens no port
    ASSERT_TRUE(cw.save(CwSettings::path(dir.path())));
    start();
    showActive();
    auto* call = child<QLineEdit>("txtCall");
    call->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), call);

    typeAtFocus("k1abc 2a ct\n");
    // The test clock is 14:00 local, offset 4: 18:00 UTC. No rig: no frequency.
    EXPECT_EQ(readBytes(dir.file("fdlog.dat")),
              QByteArray("\"K1ABC\",\"2A\",\"CT\",\"2026/06/27\",\"18:00:00\",\"20\",\"CW\",\"\",\"\",\"\"\r\n"));
    EXPECT_EQ(QStringList({QString::number(win().listModel()->rowCount()), cell(0, ContactTableModel::Call),
                           text("lblTotCon")}),
              QStringList({"1", "K1ABC", "1"}));
    EXPECT_EQ(QApplication::focusWidget(), call);
    EXPECT_TRUE(call->text().isEmpty());

    // The same call again on the same band and mode: refused, named, entry emptied, and the
    // call field locked for 3 s against keys typed ahead.
    typeAtFocus("k1abc 2a ct\n");
    EXPECT_EQ(text("lblDialog"), "Dupe: K1ABC 2A CT 2026/06/27 18:00:00 ON 20 CW  Rec# 1");
    EXPECT_TRUE(call->isReadOnly());
    clock.advanceMs(1000);
    typeAtFocus("w2abc");
    EXPECT_TRUE(call->text().isEmpty());

    // After the hold, a digit after the call's suffix carries into the class field.
    clock.advanceMs(2500);
    typeAtFocus("k1abd1e eny\n");
    ASSERT_EQ(app->station().log().size(), 2);
    EXPECT_FALSE(call->isReadOnly());
    const ContactRecord& r = app->station().log().record(2);
    EXPECT_EQ(QStringList({r.call, r.cls, r.section}), QStringList({"K1ABD", "1E", "ENY"}));

    // The keyer's notice in the message line survives the redraw that moving between fields makes.
    QTest::keyClick(call, Qt::Key_F12);
    const QString notice = "Keyboard CW mode is ON!  Press F12 to exit keyboard CW mode.";
    ASSERT_EQ(text("lblDialog"), notice);
    child<QLineEdit>("txtCK")->setFocus();
    call->setFocus();
    EXPECT_EQ(text("lblDialog"), notice);
    QTest::keyClick(call, Qt::Key_F12);
    EXPECT_EQ(text("lblDialog"), QString());
}

TEST_F(MainWindowFixture, ASecondCopyOnTheSameDataFolderIsRefused)
{
    open(contacts(3));
    {
        ScriptedDialogs second;
        AppContext copy(testAppOptions(dir), second, clock);
        EXPECT_FALSE(copy.start());
        ASSERT_EQ(second.calls.size(), 1u);
        EXPECT_EQ(second.last().title, "Program Already Running");
        EXPECT_TRUE(second.last().text.startsWith("Another copy of the program is already using the data folder "));
        EXPECT_TRUE(second.last().text.endsWith("This copy will close now."));
    }
    // The refused copy took nothing from the first one.
    EXPECT_EQ(app->station().log().size(), 3);
    app.reset();
    dialogs.clear();
    EXPECT_TRUE(start());
}

TEST_F(MainWindowFixture, EveryAltKeyOfTheMenuBarAndButtonsIsUsedOnce)
{
    open({});
    QStringList texts;
    for (QAction* a : win().menuBar()->actions())
        texts << a->text();
    for (QPushButton* b : win().findChildren<QPushButton*>())
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
    open(formatLogLine({"K1ABC", "2A", "CT", "2026/06/27", "18:00:00", "20", "CW", "JS", ""}));
    win().show();
    win().entry().focusArrived(EntryField::Call);
    win().entry().typeText("K1A");
    win().redrawEntry();
    auto* central = win().centralWidget();
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
    move(child<QLineEdit>("txtCall")->geometry().center());
    EXPECT_TRUE(text("lblDupe").contains("K1ABC"));
    move(bare);
    EXPECT_EQ(text("lblDupe"), "");
}

TEST_F(MainWindowFixture, AFailedAppendLeavesTheWindowShowingTheLogInMemory)
{
    open(contacts(3));
    writeBytes(dir.file("more.dat"), formatLogLine({"W9AB", "1A", "CT", "2026/06/27", "18:30:00", "20", "PH", "", ""}) +
                                         "not a log line\r\n");
    QTimer::singleShot(0, [this] {
        auto* import = qobject_cast<ImportWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(import, nullptr);
        import->txtPath->setText(dir.file("more.dat"));
        import->cmdAppend->click();
        import->accept();
    });
    trigger("mnuCombine");
    EXPECT_EQ(dialogs.last().text, "Unable to read file.");
    const ContactLog& log = app->station().log();
    EXPECT_EQ(win().listModel()->rowCount(), log.size());
    EXPECT_EQ(text("lblsectogo"), QString::number(log.phoneCount()));
    EXPECT_EQ(text("lblTotScore"), QString::number(log.points()));
    EXPECT_EQ(static_cast<int>(onDisk().size()), log.size());
}

namespace {

// The ways text gets into a field: typed, and without being typed.
enum class Route { CtrlV, ShiftInsert, ContextMenu, Drop, Typed };

void pasteInto(QWidget* field, Route route, const QString& text)
{
    QApplication::clipboard()->setText(text);
    switch (route) {
    case Route::Typed:
        QTest::keyClicks(field, text);
        break;
    case Route::CtrlV:
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        break;
    case Route::ShiftInsert:
        QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case Route::ContextMenu: {
        QTimer::singleShot(0, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            QAction* paste = menu->findChild<QAction*>("edit-paste");
            EXPECT_NE(paste, nullptr);
            menu->setActiveAction(paste);
            QTest::keyClick(menu, paste ? Qt::Key_Return : Qt::Key_Escape);
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

const Route Pasted[] = {Route::CtrlV, Route::ShiftInsert, Route::ContextMenu, Route::Drop};

} // namespace

TEST_F(MainWindowFixture, PastedTextIsTypedThroughTheEntryRules)
{
    open(formatLogLine({"K1ABC", "2A", "CT", "2026/06/27", "18:00:00", "20", "CW", "JS", ""}));
    showActive();
    auto* call = child<QLineEdit>("txtCall");
    const struct {
        QString pasted, call, cls, section;
    } rows[] = {
        {"k1abc", "K1ABC", "", ""},
        {"W1\"Q", "W1Q", "", ""},
        {"k1abc 2a ct", "K1ABC", "2A", "CT"},
        {"w\x01\t2\r\nxy", "W2XY", "", ""},
    };
    for (Route route : Pasted) {
        for (const auto& row : rows) {
            SCOPED_TRACE(testing::Message() << "route " << static_cast<int>(route) << " " << row.pasted.toStdString());
            win().entry().clearFields();
            win().redrawEntry();
            call->setFocus();
            pasteInto(call, route, row.pasted);
            EXPECT_EQ(QStringList({field("txtCall"), field("txtCK"), field("txtSec")}),
                      QStringList({row.call, row.cls, row.section}));
            if (row.call == "K1ABC") {
                EXPECT_TRUE(text("lblDupe").contains("K1ABC")); // seen as the dupe it is
            }
        }
    }
    // Logged from a paste: a dupe of the contact in the log, so refused.
    win().entry().clearFields();
    win().redrawEntry();
    call->setFocus();
    pasteInto(call, Route::CtrlV, "k1abc 2a ct");
    ASSERT_EQ(win().focusWidget(), child<QLineEdit>("txtSec"));
    QTest::keyClick(win().focusWidget(), Qt::Key_Return);
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
        {station.utcField(), "a-4.5x", "-4.5"}, // only "-", ".", "/" and digits pass
        {station.classField(), "2a\"", "2A"},
    };
    for (Route route : {Route::CtrlV, Route::ShiftInsert, Route::ContextMenu, Route::Drop, Route::Typed}) {
        for (const auto& row : rows) {
            SCOPED_TRACE(testing::Message() << "route " << static_cast<int>(route) << " " << row.pasted.toStdString());
            row.field->clear();
            pasteInto(row.field, route, row.pasted);
            EXPECT_EQ(row.field->text(), row.expected);
        }
    }
}

TEST_F(MainWindowFixture, TheStripScoresWithTheSummaryWindowsClaimsAndRereadsThem)
{
    prepare(contacts(3)); // DIG, PH, CW: 2 + 1 + 2 points
    ASSERT_TRUE(start());
    win().show();
    EXPECT_EQ(text("lblStripScore"), "Score: 10 (5 points x2 + 0 bonus, power step not chosen)");
    // Saved by the summary window: 5 W on batteries is x5, media publicity 100.
    EntryClaims c;
    c.level = PowerLevel::Up5;
    c.sources.battery = true;
    c.bonus.insert("media", 1);
    ASSERT_TRUE(EntryClaimsFile::write(dir.path(), c));
    // Any secondary window closing re-reads them (the summary window is one).
    trigger("mnuBandPlan");
    for (QWidget* t : shownBeside())
        t->close();
    WAIT_EQ(text("lblStripScore"), QString("Score: 125 (5 points x5 + 100 bonus)"), 2000);
}

TEST_F(MainWindowFixture, AdifQuestionsAreOneFormWhoseCancelCancelsAndFormSizeAppliesAtOnce)
{
    open(contacts(3));
    dialogs.formAnswers = {std::nullopt};
    trigger("mnuADIFExport");
    ASSERT_EQ(dialogs.calls.size(), 1u); // no save dialog after Cancel
    EXPECT_EQ(dialogs.last().kind, ScriptedDialogs::Kind::Form);
    EXPECT_EQ(dialogs.last().title, "ADIF Export");
    EXPECT_TRUE(dialogs.last().extra.contains("Transmitter output power=100"));

    const QString out = dir.file("out.adi");
    dialogs.formAnswers = {QStringList{"5", "", "Older words (PH, DIG, 70M, SATM)", "ph", ""}};
    dialogs.fileAnswers = {out};
    trigger("mnuADIFExport");
    const QByteArray written = readBytes(out);
    EXPECT_TRUE(written.contains("<Tx_Pwr:1>5")) << written.toStdString();
    EXPECT_TRUE(written.contains("<Mode:2>PH")) << written.toStdString();
    EXPECT_EQ(dialogs.last().title, "File Written Successfully.");

    dialogs.inputAnswers = {QString("50")};
    trigger("mnuFormsize");
    EXPECT_NEAR(win().width(), win().screen()->geometry().width() / 2, 2);
    EXPECT_EQ(dialogs.last().kind, ScriptedDialogs::Kind::Input); // no restart notice
    // The large type follows the window's font, as fitting a 1920 screen makes it grow.
    QFont grown = win().font();
    grown.setPointSizeF(grown.pointSizeF() * 1.5);
    win().setFont(grown);
    for (const char* name : {"txtCall", "lblWorked", "Label30"})
        EXPECT_DOUBLE_EQ(child(name)->font().pointSizeF(), win().font().pointSizeF() * 1.6) << name;
}

// Every window the logger opens, at the default font, fits a 1024x768 screen and is left with Esc, after
// which the focus is back on the call.
TEST_F(MainWindowFixture, EveryWindowFitsA1024x768ScreenAndEscLeavesIt)
{
    open(contacts(3));
    showActive();
    auto* call = child<QLineEdit>("txtCall");
    auto* list = win().listView();
    std::vector<std::pair<QString, QSize>> seen{{win().windowTitle(), win().sizeHint()}};
    // Modal windows are measured while they run, then left with Esc.
    QTimer modalWatch;
    QObject::connect(&modalWatch, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            seen.emplace_back(modal->windowTitle(), modal->sizeHint());
            QTest::keyClick(modal, Qt::Key_Escape);
        }
    });
    modalWatch.start(5);
    const auto openAndLeave = [&](const std::function<void()>& open) {
        QApplication::setActiveWindow(&win());
        child<QPushButton>("cmdFind")->setFocus(); // where the focus was left before
        const size_t before = seen.size();
        open();
        // A mnemonic clicks its button a moment later.
        static_cast<void>(QTest::qWaitFor([&] { return seen.size() > before || !shownBeside(false).isEmpty(); }, 2000));
        for (QWidget* t : shownBeside(false)) {
            seen.emplace_back(t->windowTitle(), t->sizeHint());
            QTest::keyClick(t, Qt::Key_Escape);
            EXPECT_FALSE(t->isVisible()) << t->windowTitle().toStdString();
            t->hide();
        }
        QApplication::processEvents();
        EXPECT_EQ(win().focusWidget(), call);
        return seen.size() > before ? seen[before].first : QString();
    };
    const std::vector<std::pair<QString, std::function<void()>>> keys{
        {"Find a Call", [&] { QTest::keyClick(call, Qt::Key_I, Qt::AltModifier); }}, // Alt+F is File's
        {"Edit Contact Entry - Field Day",
         [&] {
             list->selectRow(1);
             QTest::keyClick(list, Qt::Key_Return);
         }},
        {"DX Spotting Setup", [&] { QTest::keyClick(&win(), Qt::Key_D, Qt::ControlModifier); }},
        {"CW Strings", [&] { QTest::keyClick(&win(), Qt::Key_W, Qt::ControlModifier); }},
    };
    for (const auto& [title, open] : keys) {
        SCOPED_TRACE(title.toStdString());
        EXPECT_EQ(openAndLeave(open), title);
    }
    QWidget* spotting = child<QWidget>("PacketSpotfrm");
    for (const char* name :
         {"mnuRigControl", "mnuRigTune",     "mnuCWSetup",    "mnuWinKey",      "mnuCodePractice", "mnuPhone",
          "mnuBlind",      "mnuStationSync", "mnuPacketSpot", "mnuSpectrumMap", "mnuWsjtx",        "mnuOperatorStats",
          "mnuGraph",      "mnuBandPlan",    "mnuSectionMap", "mnuColors",      "mnuHelpPage",     "mnuWriteSumm",
          "mnuCheckLog",   "mnuCombine",     "mnuSetup",      "mnuOperator",    "mnuBackupOptions"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(openAndLeave([&] { trigger(name); }).isNull()) << "nothing opened";
    }
    modalWatch.stop();
    // Opened again, the spotting window is the same one, so an open source stays with it.
    trigger("mnuPacketSpot");
    EXPECT_TRUE(spotting->isVisible());
    FrequencyTestWindow frequencyTest(win().rig().poller());
    seen.emplace_back(frequencyTest.windowTitle(), frequencyTest.sizeHint());
    BonusCalculatorWindow bonus({}, QLatin1Char('A'), 400, 2);
    seen.emplace_back(bonus.windowTitle(), bonus.sizeHint());
    QStringList titles;
    for (const auto& [title, hint] : seen) {
        titles << title;
        EXPECT_LE(hint.width(), 1024) << title.toStdString();
        EXPECT_LE(hint.height(), 768 - 40) << title.toStdString(); // room for the title bar
    }
    for (const char* t : {" Amateur Station I.D.", "Change Operator", "Rig Interface Setup", "CW String Selections",
                          "Phone Wave Selections", "HF Spectrum Map", "Test Change Frequency Function"})
        EXPECT_TRUE(titles.contains(QString::fromLatin1(t))) << t << " in " << titles.join(" | ").toStdString();

    // Delete on a row asks first.
    list->selectRow(0);
    dialogs.yesNoAnswers = {false};
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(dialogs.last().title, "Are you sure?");
    EXPECT_EQ(app->station().log().size(), 3);
    QApplication::processEvents();
    EXPECT_EQ(win().focusWidget(), call);

    // Esc on an empty entry clears the message line; band and mode keys.
    QApplication::setActiveWindow(&win());
    win().entry().showMessage("stale");
    QTest::keyClick(call, Qt::Key_Escape);
    EXPECT_EQ(text("lblDialog"), "");
    QTest::keyClick(call, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(text("Label30"), "15");
    QTest::keyClick(call, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(text("Label30"), "20");
    QTest::keyClick(call, Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(text("Label12"), "DIG");
}
