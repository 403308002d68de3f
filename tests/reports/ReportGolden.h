#pragma once

#include <QFile>
#include <gtest/gtest.h>

// A file from data/, byte for byte.
inline QByteArray dataFile(const char* name)
{
    QFile f(QStringLiteral(FDLOG_REPORTS_DATA "/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

// A whole expected report from data/. The files keep LF line ends; every report is written
// with CRLF.
inline QByteArray golden(const char* name)
{
    return dataFile(name).replace("\n", "\r\n");
}
