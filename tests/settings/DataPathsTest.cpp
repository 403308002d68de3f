#include "settings/DataPaths.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
const QString sub1 = "/VESKA Software";
}

TEST(DocumentsFolder, PrefersMyDocumentsCreatingItWhenMissing)
{
    TempDataDir dir;
    ScriptedDialogs dialogs;
    FolderEnvironment env{dir.path(), dir.file("AppData"), dir.file("fallback")};
    QString root;
    EXPECT_EQ(ResolveDocumentsFolder(env, root, sub1, "/Field Day", dialogs), dir.path() + "/My Documents" + sub1);
    EXPECT_EQ(root, dir.path() + "/My Documents");
    EXPECT_TRUE(QDir(root + sub1 + "/Field Day").exists());
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST(DocumentsFolder, AcceptsExistingFoldersInAnyLetterCase)
{
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ASSERT_TRUE(QDir(dir.path()).mkdir("MY DOCUMENTS"));
    FolderEnvironment env{dir.path(), dir.file("AppData"), {}};
    QString root;
    ResolveDocumentsFolder(env, root, sub1, "/Shared", dialogs);
    EXPECT_EQ(root, dir.path() + "/My Documents");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"MY DOCUMENTS"});
}

TEST(DocumentsFolder, FallsBackToDocumentsWhenMyDocumentsCannotBeMade)
{
    TempDataDir dir;
    ScriptedDialogs dialogs;
    ASSERT_TRUE(QDir(dir.path()).mkdir("Documents"));
    // A file of that name stands where "My Documents" would be created.
    writeBytes(dir.file("My Documents"), "x");
    FolderEnvironment env{dir.path(), dir.file("AppData"), {}};
    QString root;
    EXPECT_EQ(ResolveDocumentsFolder(env, root, sub1, "/Field Day", dialogs), dir.path() + "/Documents" + sub1);
    EXPECT_TRUE(QDir(dir.path() + "/Documents" + sub1 + "/Field Day").exists());
}

TEST(DocumentsFolder, NoProfileUsesTheFallbackRoot)
{
    TempDataDir dir;
    ScriptedDialogs dialogs;
    FolderEnvironment env{{}, {}, dir.file("My Documents")};
    QString root;
    EXPECT_EQ(ResolveDocumentsFolder(env, root, sub1, "/Field Day", dialogs), dir.file("My Documents") + sub1);
    EXPECT_TRUE(QDir(dir.file("My Documents") + sub1 + "/Field Day").exists());
}

TEST(DocumentsFolder, NeitherFolderUsableFallsBackToAppData)
{
    TempDataDir dir;
    ScriptedDialogs dialogs;
    writeBytes(dir.file("My Documents"), "x");
    ASSERT_TRUE(QDir(dir.path()).mkdir("AppData"));
    FolderEnvironment env{dir.path(), dir.file("AppData"), {}};
    QString root;
    EXPECT_EQ(ResolveDocumentsFolder(env, root, sub1, "/Shared", dialogs), dir.file("AppData") + sub1);
    EXPECT_TRUE(QDir(dir.path() + sub1 + "/Shared").exists());
    EXPECT_TRUE(QDir(dir.file("AppData") + sub1 + "/Shared").exists());
}

TEST(DocumentsFolder, EmptyPathIsReported)
{
    ScriptedDialogs dialogs;
    EXPECT_FALSE(CreateFolderIfMissing("", dialogs));
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.last().text, "Invalid Path");
    EXPECT_EQ(dialogs.last().title, "Unable to Create Directory");
}

TEST(DataPaths, ResolveCreatesFieldDayAndSharedFolders)
{
    TempDataDir dir;
    ScriptedDialogs dialogs;
    const DataPaths p = DataPaths::resolve(dir.file("data"), dir.file("docs"), dialogs);
    EXPECT_EQ(p.documentsDir, dir.file("docs") + "/VESKA Software/Field Day");
    EXPECT_EQ(p.sharedPreferencesFile(), dir.file("docs") + "/VESKA Software/Shared/SharedUserPreferences.xml");
    EXPECT_TRUE(QDir(p.documentsDir).exists());
    EXPECT_TRUE(QDir(p.sharedDir).exists());
    EXPECT_EQ(p.logFile(), dir.file("data") + "/fdlog.dat");
}
