#include "settings/DataPaths.h"

#include "util/Dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

bool folderExists(const QString& path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (name.isEmpty())
        return QDir(path).exists();
    const QStringList entries = info.dir().entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& e : entries) {
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool CreateFolderIfMissing(const QString& path, Dialogs& dialogs)
{
    if (path.isEmpty()) {
        dialogs.message(QStringLiteral("Invalid Path"), QStringLiteral("Unable to Create Directory"));
        return false;
    }
    if (folderExists(path))
        return true;
    return QDir().mkdir(path);
}

QString ResolveDocumentsFolder(const FolderEnvironment& env, QString& root, const QString& sub1,
                               const QString& sub2, Dialogs& dialogs)
{
    auto createBoth = [&](const QString& base) {
        return CreateFolderIfMissing(base + sub1, dialogs) && CreateFolderIfMissing(base + sub1 + sub2, dialogs);
    };

    if (env.userProfile.isEmpty()) {
        root = env.fallbackRoot;
        if (CreateFolderIfMissing(root, dialogs))
            createBoth(root);
        return root + sub1;
    }

    const QString myDocuments = env.userProfile + QStringLiteral("/My Documents");
    const QString documents = env.userProfile + QStringLiteral("/Documents");
    if (!folderExists(myDocuments))
        CreateFolderIfMissing(myDocuments, dialogs);
    if (folderExists(myDocuments)) {
        root = myDocuments;
    } else if (folderExists(documents)) {
        root = documents;
    } else {
        if (!createBoth(env.userProfile))
            return root + sub1;
        root = env.appData;
    }
    createBoth(root);
    return root + sub1;
}

DataPaths DataPaths::resolve(const QString& dataDir, const QString& documentsRoot, Dialogs& dialogs)
{
    const QString sub1 = QStringLiteral("/VESKA Software");
    const QString base = documentsRoot + sub1;
    QDir().mkpath(documentsRoot);
    CreateFolderIfMissing(base, dialogs);
    CreateFolderIfMissing(base + QStringLiteral("/Field Day"), dialogs);
    CreateFolderIfMissing(base + QStringLiteral("/Shared"), dialogs);
    return DataPaths{QDir(dataDir).absolutePath(), base + QStringLiteral("/Field Day"), base + QStringLiteral("/Shared")};
}

DataPaths DataPaths::resolveForPlatform(const QString& dataDir, Dialogs& dialogs)
{
#ifdef Q_OS_WIN
    FolderEnvironment env{qEnvironmentVariable("USERPROFILE"), qEnvironmentVariable("APPDATA"),
                          QStringLiteral("c:/My Documents")};
    QString root;
    ResolveDocumentsFolder(env, root, QStringLiteral("/VESKA Software"), QStringLiteral("/Field Day"), dialogs);
    const QString base = ResolveDocumentsFolder(env, root, QStringLiteral("/VESKA Software"), QStringLiteral("/Shared"), dialogs);
    return DataPaths{QDir(dataDir).absolutePath(), base + QStringLiteral("/Field Day"), base + QStringLiteral("/Shared")};
#else
    QString root = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (root.isEmpty())
        root = QDir::homePath() + QStringLiteral("/Documents");
    return resolve(dataDir, root, dialogs);
#endif
}
