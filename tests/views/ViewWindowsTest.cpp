#include "support/AppFixture.h"

#include "log/ContactLog.h"
#include "log/SectionTable.h"
#include "rig/BandPlanPrivileges.h"
#include "ui/BandPlanWindow.h"
#include "ui/ScoreboardWindow.h"
#include "ui/SectionMapWidget.h"
#include "ui/StatisticsWindows.h"

#include <QSet>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

namespace {

const QByteArray Plan = "\"2025/01/01\"\r\n"
                        "\"160\",\"O\",\"CW\",1.8,2\r\n"
                        "\"160\",\"G\",\"CW\",1.8,1.843\r\n"
                        "\"160\",\"G\",\"PH\",1.843,2\r\n"
                        "\"23\",\"O\",\"CW\",1240,1300\r\n"
                        "\"23\",\"T\",\"PH\",1240,1300\r\n";

} // namespace

TEST(BandPlanPrivileges, RowsOnlyForBandsWithTheClassAndSegmentsAsFractions)
{
    const BandPlanLookup plan = BandPlanLookup::parse(Plan);
    const auto general = BandPlanPrivileges::rowsFor(plan, "G");
    ASSERT_EQ(general.size(), 1u);
    EXPECT_EQ(QStringList({general[0].band, general[0].tooltip}), QStringList({"160", "1.800 - 2.000"}));
    ASSERT_EQ(general[0].segments.size(), 2u);
    EXPECT_NEAR(general[0].segments[0].left, 0.0, 1e-6);
    EXPECT_NEAR(general[0].segments[0].width, 0.215, 1e-5);
    EXPECT_NEAR(general[0].segments[1].left, 0.215, 1e-5);
    EXPECT_TRUE(general[0].segments[0].cw && !general[0].segments[1].cw);
    EXPECT_EQ(general[0].segments[1].tooltip, "PH  1.843 - 2.000");

    const auto tech = BandPlanPrivileges::rowsFor(plan, "T");
    ASSERT_EQ(tech.size(), 1u);
    EXPECT_EQ(tech[0].tooltip, "1,240.000 - 1,300.000");
    EXPECT_DOUBLE_EQ(tech[0].segments[0].left, 0.0);
    EXPECT_DOUBLE_EQ(tech[0].segments[0].width, 1.0);
    EXPECT_TRUE(BandPlanPrivileges::rowsFor(plan, "N").empty());
}

TEST(BandPlanWindow, OpensOnExtraSwitchesClassAndRefusesABadFile)
{
    TempDataDir dir;
    ScriptedDialogs dialogs;
    writeBytes(dir.file("BandPlan.txt"), Plan);
    BandPlanWindow w(dir.path(), dialogs);
    ASSERT_TRUE(w.load());
    EXPECT_EQ(w.heading(), "Extra Frequency Privileges");
    EXPECT_EQ(w.findChild<QLabel*>("lblEffective")->text(), "Frequencies Effective: 2025/01/01");
    EXPECT_EQ(w.findChildren<QLabel*>("lblSegment").size(), 0);
    w.findChild<QPushButton*>("cmdClassG")->click();
    EXPECT_EQ(w.heading(), "General Frequency Privileges");
    EXPECT_EQ(w.findChildren<QLabel*>("lblSegment").size(), 2);
    w.findChild<QPushButton*>("cmdClassP")->click();
    EXPECT_EQ(w.heading(), "Technician Plus Frequency Privileges");

    writeBytes(dir.file("BandPlan.txt"), "\"2025/01/01\"\r\n\"20\",\"E\",\"CW\",abc,14.15\r\n");
    EXPECT_FALSE(w.load());
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.last().text, "Band data not available.");
    EXPECT_EQ(dialogs.last().title, "Band Data Not Available.");
}

// Contacts i = 0..n-1: EMA for even i, else CT; 20 m for the first 3, then 2 m; PH when i % 3 == 0,
// else CW; JS for the first 4, then AB.
struct ViewsFixture : AppFixture {
    void open(int contacts)
    {
        QByteArray log;
        for (int i = 0; i < contacts; ++i)
            log += formatLogLine({QString("K%1AB").arg(i), "2A", i % 2 ? "CT" : "EMA", "2026/06/27",
                                  QString("18:%1:00").arg(i, 2, 10, QChar('0')), i < 3 ? "20" : "2",
                                  i % 3 == 0 ? "PH" : "CW", i < 4 ? "JS" : "AB", ""});
        prepare(log, [](Preferences& p) { p.ownClass = "3A"; });
        ASSERT_TRUE(start());
        dialogs.clear();
    }
    template <class W> W* window() { return win().findChild<W*>(); }
};

TEST_F(ViewsFixture, PointerOnASectionShowsItsTotalsInTheGridOfEitherRules)
{
    open(6);
    const QString none = "    Total =0\n  160 =0  80 =0  40 =0  20 =0  15 =0  10 =0\n  VHF/UHF=0  CW=0  DIG=0  SSB=0";
    const struct {
        RulesEdition rules;
        const char* abbr;
        QString text;
    } rows[] = {
        {RulesEdition::FieldDay2025, "CT",
         " Connecticut    Total =3\n  160 =0  80 =0  40 =0  20 =1  15 =0  10 =0\n  VHF/UHF=2  CW=2  DIG=0  SSB=1"},
        // A rules change builds a new grid: its labels show totals too.
        {RulesEdition::AsWritten, "MAR", " Maritime" + none},
        {RulesEdition::FieldDay2025, "GH", " Golden Horseshoe" + none},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.abbr);
        app->station().setRules(row.rules);
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(child<QLabel>(QString("lblSection") + row.abbr), &enter);
        win().redrawEntry(); // any later redraw keeps the totals
        EXPECT_EQ(text("lblDialog"), row.text);
    }
}

TEST_F(ViewsFixture, OperatorViewAndGraphFromTheMenu)
{
    open(6);
    trigger("mnuOperatorStats");
    auto* ops = window<OperatorViewWindow>();
    ASSERT_NE(ops, nullptr);
    auto* list = ops->findChild<QTreeWidget*>("ListView1");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    const auto label = [&](const char* name) { return ops->findChild<QLabel*>(name)->text(); };
    EXPECT_EQ(QStringList({list->topLevelItem(0)->text(0), list->topLevelItem(0)->text(1), label("lblBand3"),
                           label("lblBand6"), label("lblTotal")}),
              QStringList({"JS", "     4", "3", "3", "6"}));

    trigger("mnuGraph");
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.last().title, "Not Enough Contacts to Graph.");
    auto* graph = window<ActivityGraphWindow>();
    EXPECT_EQ(graph->windowTitle(), " Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)");
    EXPECT_TRUE(graph->graph().points.empty());
    auto* bg = graph->findChild<QPushButton*>("cmdBackground");
    EXPECT_EQ(bg->text(), "White Background");
    bg->click();
    EXPECT_EQ(bg->text(), "Black Background");
    EXPECT_FALSE(graph->blackBackground());
}

TEST(SectionColoursWindow, ColoursChangeThePreferencesAndTheSamples)
{
    Preferences prefs;
    std::vector<QColor> answers{QColor(10, 20, 30), QColor()};
    SectionColoursWindow w(prefs, [&](const QColor&) {
        QColor c = answers.front();
        answers.erase(answers.begin());
        return c;
    });
    const quint32 worked = prefs.workedColour;
    w.changeRemaining();
    EXPECT_EQ(prefs.notWorkedColour, 0x1E140Au);
    EXPECT_EQ(w.findChild<QLabel*>("lblRemaining")->palette().color(QPalette::Window), QColor(10, 20, 30));
    w.changeWorked(); // cancelled: nothing changes
    EXPECT_EQ(prefs.workedColour, worked);
}

TEST_F(ViewsFixture, HelpPageReadsTheDataFolderFileOrTheBuiltInText)
{
    open(1);
    EXPECT_TRUE(HelpWindow(dir.path()).text().startsWith("FIELD DAY LOGGER - QUICK HELP\n"));
    writeBytes(dir.file("readfd.txt"), "Club notes\r\nCall Bob on 146.52\r\n");
    EXPECT_EQ(HelpWindow(dir.path()).text(), "Club notes\nCall Bob on 146.52\n");
    trigger("mnuHelpPage");
    EXPECT_EQ(window<HelpWindow>()->windowTitle(), "Field Day Logging Program Help Page");
}

TEST(SectionMap, EverySectionOfEachEditionHasItsOwnPlacedAreaThatFillsWhenWorked)
{
    for (RulesEdition edition : {RulesEdition::AsWritten, RulesEdition::FieldDay2025}) {
        SCOPED_TRACE(rulesEditionKey(edition).toStdString());
        const SectionTable& table = SectionTable::forEdition(edition);
        ContactLog log(SectionTable::forEdition(edition == RulesEdition::AsWritten ? RulesEdition::FieldDay2025
                                                                                   : RulesEdition::AsWritten));
        SectionMapWidget map(log, nullptr, [] { return QColor(9, 9, 9); });
        log.setSections(table); // the map follows a change of edition at its next refresh
        map.refresh();
        const auto area = [&](int i) { return map.findChild<QLabel*>("lblMap" + table.at(i).abbr); };
        QSet<int> cells;
        for (int i = 0; i < table.size(); ++i) {
            SCOPED_TRACE(table.at(i).abbr.toStdString());
            ASSERT_NE(area(i), nullptr);
            EXPECT_TRUE(std::any_of(SectionMapWidget::places().begin(), SectionMapWidget::places().end(),
                                    [&](const auto& p) { return table.at(i).abbr == p.abbr; }));
            const QPoint cell(area(i)->x() * SectionMapWidget::Columns / map.width(),
                              area(i)->y() * SectionMapWidget::Rows / map.height());
            EXPECT_FALSE(cells.contains(cell.y() * SectionMapWidget::Columns + cell.x())) << "shares its place";
            cells.insert(cell.y() * SectionMapWidget::Columns + cell.x());
            ASSERT_TRUE(log.add(
                {QString("K%1X").arg(i), "1D", table.at(i).abbr, "2026/06/27", "18:00:00", "20", "CW", "", ""}));
            map.refresh();
            EXPECT_EQ(area(i)->palette().color(QPalette::Window), QColor(9, 9, 9));
            if (i + 1 < table.size()) {
                EXPECT_EQ(area(i + 1)->palette().color(QPalette::Window), SectionMapWidget::unworkedColour());
            }
        }
        EXPECT_EQ(map.findChildren<QLabel*>().size(), table.size());
    }
    // A section of a newer edition still gets an area, in the free place at the bottom right.
    const SectionTable newer = SectionTable::fromText("ZZ,Zed\nVI,Virgin Islands\n");
    ContactLog log(newer);
    SectionMapWidget map(log);
    const QLabel* zz = map.findChild<QLabel*>("lblMapZZ");
    ASSERT_NE(zz, nullptr);
    EXPECT_EQ(zz->x() * SectionMapWidget::Columns / map.width(), SectionMapWidget::Columns - 1);
    EXPECT_EQ(zz->y() * SectionMapWidget::Rows / map.height(), SectionMapWidget::Rows - 1);
    for (const auto& p : SectionMapWidget::places()) // no place for a section of neither edition
        EXPECT_TRUE(SectionTable::forEdition(RulesEdition::AsWritten).indexOf(p.abbr) >= 0 ||
                    SectionTable::forEdition(RulesEdition::FieldDay2025).indexOf(p.abbr) >= 0)
            << p.abbr;
}

TEST_F(ViewsFixture, MapFillsWorkedSectionsWithEachRefreshsColourAndScoreboardFollowsTheLog)
{
    open(6); // CT and EMA worked
    std::vector<QColor> colours{QColor(1, 2, 3), QColor(200, 100, 50)};
    size_t next = 0;
    SectionMapWidget map(app->station().log(), nullptr, [&] { return colours[next++ % 2]; });
    const auto colourOf = [&](const char* abbr) {
        return map.findChild<QLabel*>(QString("lblMap") + abbr)->palette().color(QPalette::Window);
    };
    EXPECT_EQ(std::vector<QColor>({colourOf("CT"), colourOf("EMA"), colourOf("WTX")}),
              std::vector<QColor>({QColor(1, 2, 3), QColor(1, 2, 3), SectionMapWidget::unworkedColour()}));
    EXPECT_EQ(map.findChild<QTimer*>("Timer1")->interval(), 60'000);
    map.refresh();
    EXPECT_EQ(colourOf("CT"), QColor(200, 100, 50));
    // ENY and NNY stand in a different order in the two editions' tables.
    ASSERT_EQ(
        app->station().logbook().storeContact({"W2E", "1A", "ENY", "2026/06/27", "18:20:00", "20", "DIG", "JS", ""}),
        Logbook::StoreResult::Stored);
    map.refresh();
    EXPECT_EQ(std::vector<QColor>({colourOf("ENY"), colourOf("NNY")}),
              std::vector<QColor>({QColor(1, 2, 3), SectionMapWidget::unworkedColour()}));

    // The stored power step and bonus claims score the board: x2 and 100 for media publicity.
    app->station().prefs().ownClass = "2A";
    writeBytes(app->station().paths().dataDir + "/fdclaims.dat", "power = 100\r\nmedia = 1\r\n");
    trigger("mnuScoreboard");
    auto* board = window<ScoreboardWindow>();
    ASSERT_NE(board, nullptr);
    auto* table = board->findChild<QTableWidget*>("tblBandMode");
    ASSERT_EQ(table->rowCount(), 3); // 20, 2, Total
    // 20 m: 2 CW, 1 PH; 7 in all.
    EXPECT_EQ(QStringList({table->verticalHeaderItem(0)->text(), table->item(0, 0)->text(), table->item(0, 2)->text(),
                           table->item(2, 3)->text()}),
              QStringList({"20", "2", "1", "7"}));
    ASSERT_EQ(
        app->station().logbook().storeContact({"N0NEW", "1A", "WTX", "2026/06/27", "18:30:00", "40", "DIG", "JS", ""}),
        Logbook::StoreResult::Stored);
    EXPECT_EQ(table->rowCount(), 4);
    EXPECT_EQ(table->item(3, 3)->text(), "8");
    const int points = app->station().log().points();
    EXPECT_EQ(board->findChild<QLabel*>("lblPoints")->text(),
              QString("Score: %1 (%2 x 2 + 100 bonus)").arg(2 * points + 100).arg(points));
}
