#include "ReportStation.h"
#include "ui/BonusCalculatorWindow.h"
#include "ui/ReportActions.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

// The menu's calculator edits the claims stored in the data folder (a 1B station, 3 QSO points,
// x5 stored): OK keeps the counts with the power step untouched, Cancel keeps nothing.
TEST(BonusMenu, EditsTheStoredClaimsUnderTheCurrentRulesOnly)
{
    StationFixture f;
    Station& station = f.station;
    writeBytes(f.dir.file("fdclaims.dat"), "power = 5\r\nsource = battery\r\nyouth = 1\r\n");
    QMenu menu;
    installReportActions(&menu, station, nullptr, nullptr, {}, {});
    QAction* action = menu.findChild<QAction*>("mnuBonusCalc");
    ASSERT_NE(action, nullptr);

    for (const bool accept : {false, true}) {
        SCOPED_TRACE(accept ? "OK" : "Cancel");
        QString shown;
        QTimer::singleShot(0, [&] {
            for (QWidget* t : QApplication::topLevelWidgets()) {
                if (auto* w = qobject_cast<BonusCalculatorWindow*>(t)) {
                    shown = w->findChild<QLabel*>("lblClaimedScore")->text();
                    w->countBox("messages_handled")->setValue(2);
                    accept ? w->accept() : w->reject();
                }
            }
        });
        action->trigger();
        EXPECT_EQ(shown, "Claimed score: 3 QSO points x 5 + 20 bonus points = 35");
        const EntryClaims c = EntryClaimsFile::read(f.dir.path());
        EXPECT_EQ(c.level, PowerLevel::Up5);
        EXPECT_TRUE(c.sources.battery);
        EXPECT_EQ(c.bonus.value("messages_handled"), accept ? 2 : 0);
        EXPECT_EQ(c.bonus.value("youth"), 1);
    }
    emit menu.aboutToShow();
    EXPECT_TRUE(action->isEnabled());
    station.setRules(RulesEdition::AsWritten);
    emit menu.aboutToShow();
    EXPECT_FALSE(action->isEnabled());
}
