#include "settings/DataPaths.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

// Where the documents go for each state of the user's profile: "$" is the temporary folder,
// "file X" a plain file standing where folder X would be created.
TEST(DocumentsFolder, PicksTheFirstUsableFolderInAnyLetterCase)
{
    const QString sub1 = "/VESKA Software";
    // clang-format off
    const struct {
        const char* what;
        QStringList before; // folders made first ("file X": a file named X)
        FolderEnvironment env;
        const char* sub2;
        QString want;          // the folder returned
        QString root;          // the root set ("" : not checked)
        QStringList made;      // folders that must exist afterwards
        QStringList only = {}; // when given: the only folders in the temporary folder afterwards
    } rows[] = {
        {"My Documents made", {}, {"$", "$/AppData", "$/fallback"}, "/Field Day", "$/My Documents" + sub1,
         "$/My Documents", {"$/My Documents" + sub1 + "/Field Day"}},
        {"any letter case", {"MY DOCUMENTS"}, {"$", "$/AppData", {}}, "/Shared", "$/My Documents" + sub1,
         "$/My Documents", {}, {"MY DOCUMENTS"}},
        {"Documents when My Documents cannot be made", {"Documents", "file My Documents"}, {"$", "$/AppData", {}},
         "/Field Day", "$/Documents" + sub1, {}, {"$/Documents" + sub1 + "/Field Day"}},
        {"no profile", {}, {{}, {}, "$/My Documents"}, "/Field Day", "$/My Documents" + sub1, {},
         {"$/My Documents" + sub1 + "/Field Day"}},
        {"AppData when neither will do", {"file My Documents", "AppData"}, {"$", "$/AppData", {}}, "/Shared",
         "$/AppData" + sub1, {}, {"$" + sub1 + "/Shared", "$/AppData" + sub1 + "/Shared"}},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TempDataDir dir;
        ScriptedDialogs dialogs;
        const auto fill = [&](QString s) { return s.isEmpty() ? s : s.replace('$', dir.path()); };
        for (const QString& b : row.before) {
            if (b.startsWith("file "))
                writeBytes(dir.file(b.mid(5)), "x");
            else
                ASSERT_TRUE(QDir(dir.path()).mkdir(b));
        }
        const FolderEnvironment env{fill(row.env.userProfile), fill(row.env.appData), fill(row.env.fallbackRoot)};
        QString root;
        EXPECT_EQ(ResolveDocumentsFolder(env, root, sub1, row.sub2, dialogs), fill(row.want));
        if (!row.root.isEmpty()) {
            EXPECT_EQ(root, fill(row.root));
        }
        for (const QString& m : row.made)
            EXPECT_TRUE(QDir(fill(m)).exists()) << m.toStdString();
        if (!row.only.isEmpty()) {
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), row.only);
        }
        EXPECT_TRUE(dialogs.calls.empty());
    }
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
