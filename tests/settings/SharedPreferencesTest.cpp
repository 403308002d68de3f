#include "settings/SharedPreferences.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

TEST(SharedPreferences, NewDocumentAppendsAndReplacesElements)
{
    TempDataDir dir;
    const QString path = dir.file("SharedUserPreferences.xml");
    SharedPreferences s;
    s.LoadSharedPreferences(path);
    EXPECT_EQ(s.document(), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>"));

    s.SetSharedPreference("own_club_name", "Hilltop ARC", false);
    s.SetSharedPreference("OWN_EMAIL", "k1abc@example.org", false);
    s.SetSharedPreference("Own_Club_Name", "Valley Radio Club", true);
    const QByteArray expected = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
                                "<OWN_CLUB_NAME>Valley Radio Club</OWN_CLUB_NAME>\r\n"
                                "<OWN_EMAIL>k1abc@example.org</OWN_EMAIL>\r\n";
    EXPECT_EQ(readBytes(path), expected);
    EXPECT_EQ(s.value("own_email"), "k1abc@example.org");

    // Reading drops the writer's line end, so a load-save round trip is byte for byte.
    SharedPreferences again;
    again.LoadSharedPreferences(path);
    ASSERT_TRUE(again.save());
    EXPECT_EQ(readBytes(path), expected);
}

TEST(SharedPreferences, EditsLeaveOtherProgramsTextAlone)
{
    TempDataDir dir;
    const QString path = dir.file("shared.xml");
    writeBytes(path,
               "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<OTHER>x y  z</OTHER>\r\n<OWN_EMAIL></OWN_EMAIL>\r\n");
    SharedPreferences s;
    s.LoadSharedPreferences(path);
    s.SetSharedPreference("OWN_EMAIL", "a@b.c", true);
    EXPECT_EQ(readBytes(path), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<OTHER>x y  z</OTHER>\r\n"
                                          "<OWN_EMAIL>a@b.c</OWN_EMAIL>\r\n"));
}
