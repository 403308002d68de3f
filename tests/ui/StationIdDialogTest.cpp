#include "ui/StationIdDialog.h"
#include "log/UtcOffsetCheck.h"
#include "settings/Preferences.h"
#include "support/ScriptedDialogs.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>

// A UTC offset typed as 44 for 4 would date every contact two days away: Done refuses it,
// says why and leaves the cursor in the field. One that is no number at all becomes 0. The window
// opens centred, 170 twips above the middle of the screen.
TEST(StationIdDialog, DoneRefusesAnOffsetOutsideMinus12To14)
{
    const struct {
        const char* typed;
        bool accepted;
        float stored;
        const char* shown;
    } rows[] = {
        {"44", false, 5.0f, "44"},     {"-13", false, 5.0f, "-13"}, {"100000", false, 5.0f, "100000"},
        {"14.5", false, 5.0f, "14.5"}, {"14", true, 14.0f, "14"},   {"-12", true, -12.0f, "-12"},
        {"5.5", true, 5.5f, "5.5"},    {"4.5/", true, 0.0f, "0"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.typed);
        Preferences p;
        p.utcOffset = 5;
        ScriptedDialogs dialogs;
        StationIdDialog dialog(p, nullptr, &dialogs);
        const QRect screen = dialog.screen()->geometry();
        const int lift = qRound(170 * dialog.screen()->logicalDotsPerInchY() / 1440.0);
        EXPECT_EQ(dialog.x(), screen.x() + (screen.width() - dialog.width()) / 2);
        EXPECT_NEAR(dialog.y(), screen.y() + (screen.height() - dialog.height()) / 2 - lift, 1);
        dialog.show();
        EXPECT_EQ(dialog.utcField()->text(), "5");
        dialog.callField()->setText("K1ABC/4");
        dialog.utcField()->setText(r.typed);
        dialog.findChild<QPushButton*>("cmdDone")->click();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, r.accepted);
        EXPECT_EQ(dialog.utcField()->text(), r.shown);
        if (r.accepted) {
            EXPECT_TRUE(dialogs.calls.empty());
        } else {
            ASSERT_EQ(dialogs.calls.size(), 1u);
            EXPECT_EQ(dialogs.calls[0].text, utcOffsetOutOfRangeText());
            EXPECT_EQ(dialogs.calls[0].title, "UTC Offset");
            EXPECT_EQ(dialog.focusWidget(), dialog.utcField());
            EXPECT_TRUE(dialog.isVisible());
        }
        dialog.applyTo(p);
        EXPECT_EQ(p.utcOffset, r.stored);
        EXPECT_EQ(p.ownCall, "K1ABC/4");
    }
}
