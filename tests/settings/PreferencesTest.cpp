#include "settings/Preferences.h"
#include "settings/UserSettingsStore.h"
#include "support/TestFiles.h"

#include <QFile>

#include <gtest/gtest.h>

// data/fdpref.dat: the seventeen lines written by hand, quoted text and bare numbers.
TEST(Preferences, ReadsAndWritesTheSeventeenLines)
{
    const QString golden = QStringLiteral(SETTINGS_DATA "/fdpref.dat");
    Preferences p;
    ASSERT_TRUE(ReadPreferences(golden, p));
    const auto n = [](auto v) { return QString::number(v); };
    EXPECT_EQ(QStringList({p.ownCall, p.ownClass, p.ownSection, n(p.utcOffset), p.mode, p.band, n(p.workedColour),
                           n(p.notWorkedColour), n(p.formSizePercent), n(p.voiceNavigation), p.rigType, n(p.taskbarFit),
                           n(p.listPrevious), p.operatorInitials, n(p.permanentBackup), n(p.extraBackup),
                           p.extraBackupFolder}),
              QStringList({"K1ABC/4", "2A", "CT", "4.5", "CW", "20", "65280", "16777215", "90", "2", "Kenwood", "1",
                           "0", "JS", "1", "0", "/media/usb"}));
    TempDataDir dir;
    ASSERT_TRUE(SavePref(dir.file("fdpref.dat"), p));
    EXPECT_EQ(readBytes(dir.file("fdpref.dat")), readBytes(golden));
}

TEST(Preferences, MissingOrShortFileKeepsDefaultsForWhatIsNotThere)
{
    TempDataDir dir;
    Preferences p;
    EXPECT_FALSE(ReadPreferences(dir.file("absent.dat"), p));
    EXPECT_EQ(p, Preferences{});
    EXPECT_EQ(QStringList({p.band, p.mode, QString::number(p.formSizePercent)}), QStringList({"40", "PH", "100"}));

    writeBytes(dir.file("short.dat"), "\"W1AW\"\r\n\"1D\"\r\n");
    EXPECT_FALSE(ReadPreferences(dir.file("short.dat"), p));
    EXPECT_EQ(QStringList({p.ownCall, p.ownClass, p.band}), QStringList({"W1AW", "1D", "40"}));

    // A number where a number belongs, garbage after: the values before it are taken.
    Preferences q;
    writeBytes(dir.file("bad.dat"), "\"A\"\n\"B\"\n\"C\"\nnot-a-number\n\"CW\"\n");
    EXPECT_FALSE(ReadPreferences(dir.file("bad.dat"), q));
    EXPECT_EQ(QStringList({q.ownSection, QString::number(q.utcOffset), q.mode}), QStringList({"C", "0", "PH"}));

    Preferences r;
    writeBytes(dir.file("nul.dat"), QByteArray(100000, '\0'));
    EXPECT_FALSE(ReadPreferences(dir.file("nul.dat"), r));
}

TEST(UserSettingsStore, KeepsValuesUnderTheSettingsGroup)
{
    TempDataDir dir;
    UserSettingsStore store(dir.file("user.ini"));
    EXPECT_EQ(store.value("UserClubName"), "");
    store.setValue("UserClubName", "Hilltop ARC");
    EXPECT_EQ(UserSettingsStore(dir.file("user.ini")).value("UserClubName"), "Hilltop ARC");
    EXPECT_TRUE(readBytes(dir.file("user.ini")).contains("[Settings]"));
}

// A hand-edited or damaged file: values nothing sensible could mean are read as safe ones,
// and the lines after them are still read.
TEST(Preferences, OffsetAndFormSizeOutOfRangeAreReplacedWhenRead)
{
    struct Row {
        const char* offset;
        const char* formSize;
        float wantOffset;
        int wantSize;
    };
    const Row rows[] = {
        {"44", "0", 4.0f, 100},      {"100000", "29", 4.0f, 100}, {"-12.5", "101", 4.0f, 100},
        {"14.01", "255", 4.0f, 100}, {"1e9", "100", 4.0f, 100},   {"-12", "30", -12.0f, 30},
        {"14", "75", 14.0f, 75},     {"5.5", "100", 5.5f, 100},
    };
    TempDataDir dir;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.offset);
        Preferences p;
        p.rigType = "Kenwood";
        QByteArray text = formatPreferences(p);
        QList<QByteArray> lines = text.split('\n');
        lines[3] = QByteArray(r.offset) + '\r';
        lines[8] = QByteArray(r.formSize) + '\r';
        QFile f(dir.file("fdpref.dat"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(lines.join('\n'));
        f.close();
        Preferences back;
        EXPECT_TRUE(ReadPreferences(dir.file("fdpref.dat"), back, 4.0f));
        EXPECT_EQ(back.utcOffset, r.wantOffset);
        EXPECT_EQ(back.formSizePercent, r.wantSize);
        EXPECT_EQ(back.rigType, "Kenwood");
    }
}
