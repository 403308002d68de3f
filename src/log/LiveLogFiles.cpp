#include "log/LiveLogFiles.h"

#include "util/Dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace {

const char* const LiveNames[] = {"fdlog.dat", "LogBkUp.dat", "fdlog.damaged"};

bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a), fb(b);
    // Existing files: links and "../" spellings resolve to one path.
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    // A file about to be created: the same folder and the same name. The name is compared
    // ignoring case because the data folder may live on a file system that does so.
    const QString da = QFileInfo(fa.absolutePath()).canonicalFilePath();
    const QString db = QFileInfo(fb.absolutePath()).canonicalFilePath();
    return !da.isEmpty() && da == db && fa.fileName().compare(fb.fileName(), Qt::CaseInsensitive) == 0;
}

} // namespace

bool isLiveLogFile(const QString& dataDir, const QString& target)
{
    if (target.trimmed().isEmpty())
        return false;
    const QDir data(dataDir);
    for (const char* name : LiveNames) {
        if (sameFile(target, data.filePath(QLatin1String(name))))
            return true;
    }
    return false;
}

QString liveLogRefusal(const QString& target)
{
    return QStringLiteral("%1 is one of the files the program keeps the log in (fdlog.dat, LogBkUp.dat, "
                          "fdlog.damaged), so nothing was written")
        .arg(QDir::toNativeSeparators(target));
}

bool refuseLiveLogTarget(const QString& dataDir, const QString& target, Dialogs& dialogs)
{
    if (!isLiveLogFile(dataDir, target))
        return false;
    dialogs.beep();
    dialogs.message(liveLogRefusal(target) + QStringLiteral(".  Please choose another file name."),
                    QStringLiteral("Invalid File Name"), Dialogs::Icon::Warning);
    return true;
}
