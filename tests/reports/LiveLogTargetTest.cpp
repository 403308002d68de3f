#include "log/LiveLogFiles.h"
#include "reports/AdifExport.h"
#include "reports/CabrilloExport.h"
#include "reports/SummarySheet.h"
#include "reports/TextReports.h"
#include "settings/SharedPreferences.h"
#include "settings/UserSettingsStore.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace {

const std::vector<ContactRecord> Log{{"W1AW", "1A", "CT", "2026/06/27", "18:00:00", "20", "CW", "", ""}};

// Every report that asks for a file to write, answered up to its save dialog.
struct Export {
    const char* name;
    std::function<bool(const QString& dataDir, ScriptedDialogs&)> run;
};

const Export Exports[] = {
    {"ADIF",
     [](const QString& dataDir, ScriptedDialogs& d) {
         d.inputAnswers = {QString("100"), QString(), QString("PH")};
         d.yesNoAnswers = {true};
         return exportAdif(Log, dataDir, "d", d);
     }},
    {"Cabrillo",
     [](const QString& dataDir, ScriptedDialogs& d) {
         UserSettingsStore store(dataDir + "/user.ini");
         d.inputAnswers = {QString("150"), QString("K1ABC")};
         return exportCabrillo(Log, {{"K1ABC", "2A", "CT"}, {}, "", ""}, dataDir, d, store);
     }},
    {"ASCII log",
     [](const QString& dataDir, ScriptedDialogs& d) {
         StationIdentity id{"K1ABC", "2A", "CT"};
         return writeAsciiLog(Log, id, dataDir, d);
     }},
    {"dupe sheet",
     [](const QString& dataDir, ScriptedDialogs& d) {
         StationIdentity id{"K1ABC", "2A", "CT"};
         return writeDupeSheet(Log, id, dataDir, d);
     }},
    {"summary",
     [](const QString& dataDir, ScriptedDialogs& d) {
         UserSettingsStore store(dataDir + "/user.ini");
         SharedPreferences shared;
         SummaryValues v;
         v.callUsed = "K1ABC";
         return WriteSummaryFile(v, {}, 1, dataDir, QDate(2026, 6, 28), d, store, shared);
     }},
};

} // namespace

TEST(LiveLogTargets, NoExportWritesOverTheLogItsBackupOrTheDamagedLines)
{
    TempDataDir dir;
    writeBytes(dir.file("fdlog.dat"), "log\r\n");
    writeBytes(dir.file("LogBkUp.dat"), "backup\r\n");
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    // fdlog.damaged does not exist yet: a new file there is refused as well.
    const QStringList targets{dir.file("fdlog.dat"), dir.file("LogBkUp.dat"), dir.file("fdlog.damaged"),
                              dir.file("sub/../fdlog.dat"), dir.file("FDLOG.DAMAGED")};
    for (const Export& e : Exports) {
        for (const QString& target : targets) {
            ScriptedDialogs d;
            d.fileAnswers = {target};
            EXPECT_FALSE(e.run(dir.path(), d)) << e.name << " " << target.toStdString();
            EXPECT_EQ(d.last().title, "Invalid File Name") << e.name;
            EXPECT_EQ(d.last().text, target + " is one of the files the program keeps the log in (fdlog.dat, "
                                              "LogBkUp.dat, fdlog.damaged), so nothing was written.  Please "
                                              "choose another file name.")
                << e.name;
            EXPECT_EQ(readBytes(dir.file("fdlog.dat")), QByteArray("log\r\n")) << e.name;
            EXPECT_EQ(readBytes(dir.file("LogBkUp.dat")), QByteArray("backup\r\n")) << e.name;
            EXPECT_FALSE(QFile::exists(dir.file("fdlog.damaged"))) << e.name;
        }
        // Any other name in the data folder is written as before.
        ScriptedDialogs d;
        d.fileAnswers = {dir.file("report.out")};
        EXPECT_TRUE(e.run(dir.path(), d)) << e.name;
        EXPECT_TRUE(QFile::remove(dir.file("report.out"))) << e.name;
    }
}

TEST(LiveLogTargets, LinksAndOtherFoldersAreJudgedByTheFileTheyName)
{
    TempDataDir dir;
    writeBytes(dir.file("fdlog.dat"), "log\r\n");
    ASSERT_TRUE(QFile::link(dir.file("fdlog.dat"), dir.file("link.dat")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("other"));
    const struct {
        QString target;
        bool live;
    } rows[] = {
        {dir.file("link.dat"), true},
        {dir.file("./fdlog.dat"), true},
        {dir.file("other/fdlog.dat"), false},
        {dir.file("fdlog.dat.bak"), false},
        {QString(), false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(isLiveLogFile(dir.path(), row.target), row.live) << row.target.toStdString();
}
