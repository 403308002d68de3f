// The spots on the running program's main window: the list with its dupe marks, the own-call
// warning, the band map strip and the spectrum map, and what clicks on them do.
#include "ui/SpotDisplays.h"
#include "log/Logbook.h"
#include "rig/RigPoller.h"
#include "spots/SpotBoard.h"
#include "spots/SpotSession.h"
#include "support/AppFixture.h"
#include "ui/BandMapView.h"
#include "ui/ClickableLabel.h"
#include "ui/SpotListWidget.h"

#include <QImage>
#include <QSignalSpy>
#include <QTreeWidget>

namespace {
const QString kRecord = "de K1TTT:     14025.0  W1AW         CW 599                         1307Z";

struct SpotDisplaysFixture : AppFixture {
    SpotDisplays* displays = nullptr;

    void SetUp() override
    {
        prepare({});
        ASSERT_TRUE(start());
        dialogs.clear();
        displays = child<SpotDisplays>("SpotDisplays");
        win().resize(1000, 800);
        win().show();
    }
    void choose(const QString& source, bool list)
    {
        app->spotSession().settings().source = source;
        app->spotSession().settings().mainFormList = list;
        displays->refreshMainDisplay();
    }
    void spot(const QString& call, const QString& kHz) { app->spotBoard().BandMapSpots(call, kHz, kRecord); }
    QString callBox() { return field("txtCall"); }
};
} // namespace

TEST_F(SpotDisplaysFixture, ListMarksDupesAndAClickTakesTheCallAndTunesASelectedRig)
{
    choose("None", true);
    EXPECT_FALSE(displays->list()->isVisible());
    EXPECT_FALSE(displays->strip()->isVisible());
    choose("Telnet", true);
    EXPECT_TRUE(displays->list()->isVisible());
    EXPECT_FALSE(displays->strip()->isVisible());

    spot("W1AW", "14025.0");
    spot("K2LE", "7003.5");
    QTreeWidget* list = displays->list()->list();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "K2LE");
    EXPECT_EQ(list->topLevelItem(1)->toolTip(0), "");
    ContactRecord worked{"W1AW", "2A", "CT", "2026/06/27", "18:00:00", "20", "CW", "", "14.025"};
    ASSERT_EQ(app->station().logbook().storeContact(worked), Logbook::StoreResult::Stored);
    EXPECT_EQ(list->topLevelItem(1)->toolTip(0), SpotListWidget::dupeToolTip());
    // The list paints its own cells: the mark must reach the screen, on that row only.
    const QImage shot = list->viewport()->grab().toImage();
    const auto redIn = [&](QTreeWidgetItem* item) {
        const QRect r = list->visualItemRect(item) & shot.rect();
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (const QColor c = shot.pixelColor(x, y); c.red() > 200 && c.green() < 80 && c.blue() < 80)
                    return true;
        return false;
    };
    EXPECT_TRUE(redIn(list->topLevelItem(1)));
    EXPECT_FALSE(redIn(list->topLevelItem(0)));
    app->station().state().selectBand("40");
    EXPECT_EQ(list->topLevelItem(1)->toolTip(0), "") << "W1AW is new on 40";

    QSignalSpy tune(displays, &SpotDisplays::tuneRequested);
    for (const char* rig : {"None", "Kenwood"}) {
        app->rigPoller().settings().rigType = rig;
        emit list->itemClicked(list->topLevelItem(1), 0);
        EXPECT_EQ(callBox(), "W1AW");
    }
    ASSERT_EQ(tune.size(), 1) << "only with a rig selected";
    EXPECT_EQ(tune[0][0].value<Frequency>(), Frequency::fromHz(14025000));

    emit displays->list()->findChild<ClickableLabel*>("lblDXSpots")->clicked(Qt::LeftButton);
    EXPECT_TRUE(child("PacketSpotfrm")->isVisible());
}

TEST_F(SpotDisplaysFixture, OwnCallSpottedBeepsAndWarnsOnWhite)
{
    spot("K1ABC", "not a number");
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(text("lblDialog"), "You've been spotted! ");
    EXPECT_EQ(text("lblDupe"), "You've been spotted!  " + kRecord);
    EXPECT_EQ(child<QLabel>("lblDupe")->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(app->spotBoard().rows().size(), 0u);
}

TEST_F(SpotDisplaysFixture, StripScalesTunesOnRightClickAndDismissesOnOtherClicks)
{
    choose("Telnet", false);
    BandMapView* strip = displays->strip();
    ASSERT_TRUE(strip->isVisible());
    spot("W1AW", "14020.0");
    spot("K2LE", "14030.0");
    spot("G4XYZ", "7010.0");
    ASSERT_EQ(strip->rows().size(), 1u);
    EXPECT_EQ(BandMap::scaleLabels(strip->rows()[0].shown)[0], "14.019");
    ASSERT_EQ(strip->rows()[0].labels.size(), 2u);

    QSignalSpy tune(displays, &SpotDisplays::tuneRequested);
    app->rigPoller().settings().rigType = "Kenwood";
    const QRect w1aw = strip->rows()[0].labelRects[1];
    EXPECT_EQ(strip->rows()[0].labels[1].caption, "W1");
    QTest::mouseClick(strip, Qt::RightButton, {}, w1aw.center());
    EXPECT_EQ(callBox(), "W1AW");
    ASSERT_EQ(tune.size(), 1);
    EXPECT_EQ(tune[0][0].value<Frequency>(), Frequency::fromHz(14020000));
    QTest::mouseClick(strip, Qt::LeftButton, {}, w1aw.center());
    ASSERT_EQ(strip->rows()[0].labels.size(), 1u);
    EXPECT_EQ(strip->rows()[0].labels[0].caption, "K2");
    EXPECT_EQ(app->spotBoard().rows().size(), 3u) << "dismissing leaves the list alone";

    trigger("mnuSpectrumMap");
    SpectrumMapWindow* map = displays->spectrumMap();
    ASSERT_TRUE(map && map->isVisible());
    EXPECT_EQ(map->windowTitle(), "HF Spectrum Map");
    const auto& rows = map->map()->rows();
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[2].labels.size(), 1u); // 40 m: G4XYZ
    EXPECT_EQ(rows[4].labels.size(), 1u); // 20 m: K2LE only, W1AW dismissed
    clock.advanceMs(3600 * 1000);
    spot("VE3AA", "21010.0");
    EXPECT_EQ(map->map()->rows()[4].labels.size(), 0u) << "an hour old";
    EXPECT_EQ(map->map()->rows()[6].labels.size(), 1u);
}
