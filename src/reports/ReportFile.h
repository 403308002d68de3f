#pragma once

#include <QByteArray>
#include <QString>

class Dialogs;

// Replaces a report file with `content` in one go (the old file stays whole until the new one
// is complete). On failure the error's own description is shown under "Unable to write file.".
bool writeReportFile(const QString& path, const QByteArray& content, Dialogs& dialogs);

// The same without a message: false and the description in `error`.
bool writeWholeFile(const QString& path, const QByteArray& content, QString* error);
