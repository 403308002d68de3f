#pragma once

#include <QString>

class Dialogs;

// The environment the documents folder is chosen from; injected so tests run in a
// temporary directory.
struct FolderEnvironment {
    QString userProfile;   // USERPROFILE on Windows
    QString appData;       // APPDATA on Windows
    QString fallbackRoot;  // used when userProfile is empty ("c:/My Documents" on Windows)
};

// Creates one folder level when no entry of its parent matches its name ignoring case.
// An empty path shows "Invalid Path" and creates nothing. False when nothing exists afterwards.
bool CreateFolderIfMissing(const QString& path, Dialogs& dialogs);

// True when the parent folder lists a sub-folder whose name equals the path's last component,
// ignoring letter case.
bool folderExists(const QString& path);

// Chooses the documents root from the environment, creates root+sub1 and root+sub1+sub2 when
// missing and returns root+sub1. sub1 and sub2 start with a separator ("/VESKA Software").
QString ResolveDocumentsFolder(const FolderEnvironment& env, QString& root, const QString& sub1,
                               const QString& sub2, Dialogs& dialogs);

// Where the program keeps and writes its files.
struct DataPaths {
    QString dataDir;       // the working directory at start-up: log, preferences, backups
    QString documentsDir;  // exports and archives
    QString sharedDir;     // SharedUserPreferences.xml

    QString logFile() const { return dataDir + QStringLiteral("/fdlog.dat"); }
    QString backupFile() const { return dataDir + QStringLiteral("/LogBkUp.dat"); }
    QString preferencesFile() const { return dataDir + QStringLiteral("/fdpref.dat"); }
    QString sharedPreferencesFile() const { return sharedDir + QStringLiteral("/SharedUserPreferences.xml"); }

    // Resolves the documents and shared folders below `documentsRoot` and creates them.
    static DataPaths resolve(const QString& dataDir, const QString& documentsRoot, Dialogs& dialogs);
    // The same with the platform's own documents location.
    static DataPaths resolveForPlatform(const QString& dataDir, Dialogs& dialogs);
};
