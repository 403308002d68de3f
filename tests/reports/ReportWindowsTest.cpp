#include "ReportStation.h"
#include "ui/BonusCalculatorWindow.h"
#include "ui/CheckLogWindow.h"
#include "ui/ImportWindow.h"
#include "ui/ReportActions.h"
#include "ui/ReportPrinter.h"
#include "ui/SummarySheetWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

TEST(SummarySheetWindow, KeptValuesFiltersAndWrite)
{
    StationFixture f;
    f.station.userStore().setValue("UserAddressName", "Pat Smith");
    f.station.userStore().setValue("UserClubName", "Hilltop ARC");
    SummarySheetWindow w(f.station);
    EXPECT_EQ(w.txtName->text(), QStringLiteral("Pat Smith"));
    EXPECT_EQ(w.txtClubName->text(), QStringLiteral("Hilltop ARC"));
    EXPECT_EQ(w.txtClassBCalls->focusPolicy(), Qt::StrongFocus);

    QTest::keyClicks(w.txtClassBCalls, "k1abc/4 n2x");
    EXPECT_EQ(w.txtClassBCalls->text(), QStringLiteral("K1ABC/4 N2X"));
    QTest::keyClicks(w.txtGotaOperators, "w1a 12");
    EXPECT_EQ(w.txtGotaOperators->toPlainText(), QStringLiteral("W1A 12"));
    QTest::keyClicks(w.txtParticipants, "1a2-");
    EXPECT_EQ(w.txtParticipants->text(), QStringLiteral("12"));
    w.txtGotaDig->setText("many");
    emit w.txtGotaDig->editingFinished();
    EXPECT_EQ(w.txtGotaDig->text(), QStringLiteral("0"));

    w.optPowerOver150->setChecked(true);
    w.txtGotaCw->setText("7");
    f.dialogs.fileAnswers.push_back(f.dir.file("K1ABC.sum"));
    w.cmdWriteSummary->click();
    EXPECT_EQ(f.dialogs.calls[0].title, f.dir.path() + "/K1ABC.sum");
    EXPECT_EQ(f.dialogs.messages().size(), 3);
    const QByteArray file = readBytes(f.dir.file("K1ABC.sum"));
    EXPECT_TRUE(file.contains("\r\nX B. 1 or 2 person non-club group portable\r\n"));
    EXPECT_TRUE(file.contains("\r\n8. Total CW QSO's:  8  X 2 =  Total CW QSO points:  16 \r\n"));
    EXPECT_TRUE(file.contains("\r\n  List calls of operators: K1ABC/4 N2X\r\n"));
    EXPECT_EQ(w.txtGotaPh->text(), QStringLiteral("0"));
    EXPECT_EQ(f.station.shared().value("OWN_CLUB_NAME"), QStringLiteral("Hilltop ARC"));
}

// The log's QSO points: CW 2 + PH 1 = 3.
TEST(SummarySheetWindow, CurrentRulesPowerChoicesAreKeptAndFitTheScreen)
{
    StationFixture f("2A");
    {
        SummarySheetWindow w(f.station);
        // Class A: the class B fields are no tab stops.
        EXPECT_EQ(w.txtClassBCalls->focusPolicy(), Qt::ClickFocus);
        EXPECT_EQ(w.optClassB1->focusPolicy(), Qt::ClickFocus);
        EXPECT_EQ(w.optPower150->text(), QStringLiteral("100 Watts or Less"));
        EXPECT_EQ(w.optPowerOver150->text(), QStringLiteral("Over 100 Watts"));
        EXPECT_FALSE(w.chkMedia->isVisibleTo(&w));
        w.optPower5->setChecked(true);
        w.chkSolar->setChecked(true);
        EXPECT_EQ(w.lblPowerNote->text(), QString());
        EXPECT_EQ(w.lblScore->text(), QStringLiteral("Claimed score: 3 QSO points x 5 + 0 bonus points = 15"));
        w.chkGenerator->setChecked(true);
        EXPECT_EQ(w.lblPowerNote->text(), QStringLiteral("x5 needs 5 W or less and no mains or generator"));
        EXPECT_EQ(w.lblScore->text(), QStringLiteral("Claimed score: 3 QSO points x 2 + 0 bonus points = 6"));
        w.resize(1024, 768);
        w.show();
        QApplication::processEvents();
        EXPECT_EQ(w.findChild<QScrollArea*>("scrSheet")->horizontalScrollBar()->maximum(), 0);
        EXPECT_LE(w.minimumSizeHint().width(), 1024);
    }
    EXPECT_EQ(EntryClaimsFile::read(f.dir.path()).sources.generator, true);
    SummarySheetWindow again(f.station);
    EXPECT_TRUE(again.optPower5->isChecked());
    EXPECT_TRUE(again.chkSolar->isChecked());
    ASSERT_TRUE(f.station.setRules(RulesEdition::AsWritten));
    SummarySheetWindow written(f.station);
    EXPECT_EQ(written.optPower150->text(), QStringLiteral("150 Watts or Less"));
    EXPECT_FALSE(written.optPower5->isChecked());
    EXPECT_FALSE(written.chkSolar->isVisibleTo(&written));
}

TEST(BonusCalculatorWindow, CapsCountsAndGreysWhatTheClassMayNotClaim)
{
    BonusCalculatorWindow w({{"youth", 3}, {"media", 1}}, QLatin1Char('B'), 10, 2);
    EXPECT_EQ(w.findChild<QLabel*>("lbl_youth")->text(), QStringLiteral("40")); // class B: two operators
    w.countBox("messages_handled")->setValue(12);
    EXPECT_EQ(w.findChild<QLabel*>("lbl_messages_handled")->text(), QStringLiteral("100"));
    EXPECT_FALSE(w.checkBox("safety_officer")->isEnabled());
    EXPECT_EQ(w.reasonLabel("safety_officer")->text(), QStringLiteral("Only class A may claim this bonus"));
    EXPECT_EQ(w.reasonLabel("media"), nullptr);
    EXPECT_EQ(w.findChild<QLabel*>("lblBonusTotal")->text(), QStringLiteral("Total bonus points: 240"));
    EXPECT_EQ(w.findChild<QLabel*>("lblClaimedScore")->text(),
              QStringLiteral("Claimed score: 10 QSO points x 2 + 240 bonus points = 260"));
    const QHash<QString, qint64> want{{"youth", 3}, {"media", 1}, {"messages_handled", 12}};
    EXPECT_EQ(w.claims(), want);
}

TEST(CheckLogWindow, ListsFindingsAndOpensTheirRecordsOnly)
{
    StationFixture f;
    writeBytes(f.dir.file("fdlog.dat"), formatLogLine(rec("W1AW", "18:00:00")) +
                                            formatLogLine(rec("K2X", "18:10:00", "30")) +
                                            formatLogLine(rec("W1AW", "18:20:00")));
    f.station.logbook().reload();
    const QByteArray before = readBytes(f.dir.file("fdlog.dat"));
    std::vector<int> opened;
    CheckLogWindow w(f.station, [&opened](int recNo) { opened.push_back(recNo); });
    ASSERT_EQ(w.lstFindings->rowCount(), 2);
    EXPECT_EQ(w.lstFindings->item(0, 0)->text(), "2");
    EXPECT_EQ(w.lstFindings->item(0, 1)->text(), "NOT-FD-BAND");
    EXPECT_EQ(w.lstFindings->item(1, 0)->text(), "3");
    EXPECT_EQ(w.lstFindings->item(1, 1)->text(), "DUPE");
    EXPECT_EQ(w.lblCount->text(), QStringLiteral("2 findings"));
    w.lstFindings->selectRow(1);
    w.cmdOpen->click();
    EXPECT_EQ(opened, std::vector<int>{3});
    EXPECT_EQ(readBytes(f.dir.file("fdlog.dat")), before);
}

TEST(ImportWindow, DupesQuestionBrowseAndAppend)
{
    StationFixture f;
    int reloads = 0;
    ImportWindow w(f.station, [&reloads] { ++reloads; });
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Append Data or Restore From Backup"));
    EXPECT_TRUE(w.chkEliminateDupes->isChecked());
    EXPECT_TRUE(w.chkDigitalAsDig->isChecked()); // unticked keeps the file's mode words

    f.dialogs.yesNoAnswers = {false, true};
    w.chkEliminateDupes->click();
    EXPECT_TRUE(w.chkEliminateDupes->isChecked());
    EXPECT_EQ(f.dialogs.last().text, QStringLiteral("Are you sure?  Once imported, duplicates can only be removed "
                                                    "manually and will not be identified by the program."));
    EXPECT_EQ(f.dialogs.last().title, QStringLiteral("Are you sure"));
    w.chkEliminateDupes->click();
    EXPECT_FALSE(w.chkEliminateDupes->isChecked());

    const QString adi = f.dir.file("other.adi");
    writeBytes(adi, "<call:4>W1AW<band:3>20m<mode:2>cw<qso_date:8>20260627<time_on:4>1805<eor>"
                    "<call:4>W9ZZ<band:3>15m<mode:3>FT8<qso_date:8>20260627<time_on:4>1700<eor>");
    f.dialogs.fileAnswers.push_back(adi);
    w.cmdBrowse->click();
    EXPECT_EQ(f.dialogs.last().title, f.dir.path());
    EXPECT_EQ(w.txtPath->text(), adi);
    w.chkDigitalAsDig->setChecked(true);
    w.cmdAppend->click();
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(w.prgRead->value(), 1000);
    ASSERT_EQ(f.station.log().size(), 4);
    EXPECT_EQ(f.station.log().record(1).call, QStringLiteral("W9ZZ"));
    EXPECT_EQ(f.station.log().record(1).mode, QStringLiteral("DIG"));
    EXPECT_EQ(f.station.log().record(3).call, QStringLiteral("W1AW")); // kept: duplicates were allowed
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(ReportPrinting, PdfPageCountsFollowThePageRules)
{
    TempDataDir dir;
    std::vector<ContactRecord> log(110, rec("W1AW", "18:00:00"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.file("log.pdf"));
    EXPECT_EQ(paintReportPages(printer, printedLogPages(log, {"K1ABC", "2A", "ENY"}), 11), 3);
    const QByteArray pdf = readBytes(dir.file("log.pdf"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 3)
        << "pages in the PDF";
}

TEST(ReportActions, MenuItemsIdentityCheckAndExports)
{
    StationFixture f;
    QMenu menu;
    // Two rows and two columns, so a misplaced separator or line end shows.
    QStandardItemModel model(0, 2);
    model.setHorizontalHeaderLabels({"Call", "Class"});
    model.appendRow({new QStandardItem("W1AW"), new QStandardItem("2A")});
    model.appendRow({new QStandardItem("K2X"), new QStandardItem("1B")});
    QStringList statuses;
    installReportActions(&menu, f.station, nullptr, &model, {}, [&statuses](const QString& s) { statuses << s; });
    QStringList names;
    for (QAction* a : menu.actions())
        if (!a->isSeparator())
            names << a->objectName();
    EXPECT_EQ(names, QStringList({"mnuWriteSumm", "mnuPrntSum", "mnuBonusCalc", "mnuADIFExport", "mnuCabrilloExport",
                                  "mnuAsciiLog", "mnuAsciiDupe", "mnuPrntlog", "mnuPrntdupe", "mnuLedraExport",
                                  "mnuCopyListtoClipboard", "mnuCombine", "mnuCheckLog"}));
    auto action = [&menu](const char* n) { return menu.findChild<QAction*>(QLatin1String(n)); };

    f.station.prefs().ownSection = "E";
    action("mnuWriteSumm")->trigger();
    EXPECT_EQ(f.dialogs.beeps, 1);
    EXPECT_EQ(f.dialogs.last().text, QStringLiteral("Please enter your Call, Class and Section in Setup!"));
    EXPECT_EQ(f.dialogs.last().title, QStringLiteral("Need Call, Class & Section!"));
    action("mnuPrntSum")->trigger();
    EXPECT_EQ(f.dialogs.last().title, QStringLiteral("Need Class & Section!"));

    f.dialogs.clear();
    action("mnuLedraExport")->trigger();
    EXPECT_TRUE(readBytes(f.dir.file("LogExp.txt")).startsWith("\"W1AW\""));
    EXPECT_EQ(f.dialogs.last().title, QStringLiteral("Export Successful!"));

    f.dialogs.fileAnswers.push_back(f.dir.file("a.txt"));
    action("mnuAsciiLog")->trigger();
    EXPECT_EQ(statuses, QStringList({"Writing ASCII Log File.", " "}));
    EXPECT_TRUE(readBytes(f.dir.file("a.txt")).startsWith("     Call Used: K1ABC  Class: 1B"));

    action("mnuCopyListtoClipboard")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Call\tClass\r\nW1AW\t2A\r\nK2X\t1B\r\n"));
}
