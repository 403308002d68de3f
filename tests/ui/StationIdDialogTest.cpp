#include "ui/StationIdDialog.h"
#include "log/UtcOffsetCheck.h"
#include "settings/Preferences.h"
#include "support/ScriptedDialogs.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

// A UTC offset typed as 44 for 4 would date every contact two days away: Done refuses it,
// says why and leaves the cursor in the field.
TEST(StationIdDialog, DoneRefusesAnOffsetOutsideMinus12To14)
{
    struct Row {
        const char* typed;
        bool accepted;
        float stored;
    };
    const Row rows[] = {
        {"44", false, 5.0f}, {"-13", false, 5.0f},  {"100000", false, 5.0f}, {"14.5", false, 5.0f},
        {"14", true, 14.0f}, {"-12", true, -12.0f}, {"5.5", true, 5.5f},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.typed);
        Preferences p;
        p.utcOffset = 5;
        ScriptedDialogs dialogs;
        StationIdDialog dialog(p, nullptr, &dialogs);
        dialog.show();
        dialog.utcField()->setText(r.typed);
        dialog.findChild<QPushButton*>("cmdDone")->click();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, r.accepted);
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
    }
}
