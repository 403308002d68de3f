#include "reports/ReportFile.h"

#include "util/Dialogs.h"

#include <QSaveFile>

bool writeWholeFile(const QString& path, const QByteArray& content, QString* error)
{
    QSaveFile f(path);
    if (f.open(QIODevice::WriteOnly) && f.write(content) == content.size() && f.commit())
        return true;
    if (error)
        *error = f.errorString();
    return false;
}

bool writeReportFile(const QString& path, const QByteArray& content, Dialogs& dialogs)
{
    QString error;
    if (writeWholeFile(path, content, &error))
        return true;
    dialogs.message(error, QStringLiteral("Unable to write file."), Dialogs::Icon::Critical);
    return false;
}
