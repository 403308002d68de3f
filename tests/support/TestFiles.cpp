#include "support/TestFiles.h"

#include <QFile>
#include <gtest/gtest.h>

TempDataDir::TempDataDir() { EXPECT_TRUE(m_dir.isValid()); }

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(data);
}
