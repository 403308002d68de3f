#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "support/QtPrinters.h"

// A temporary data folder for one test, removed afterwards.
class TempDataDir {
public:
    TempDataDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& data);
