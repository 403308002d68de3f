#include "settings/SharedPreferences.h"

#include <QFile>
#include <QSaveFile>

QByteArray SharedPreferences::declaration() { return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>"); }

void SharedPreferences::LoadSharedPreferences(const QString& path)
{
    m_path = path;
    QFile f(path);
    if (f.exists() && f.open(QIODevice::ReadOnly)) {
        m_doc = f.readAll();
        m_doc.chop(qMin<qsizetype>(2, m_doc.size()));
    } else {
        m_doc = declaration();
    }
}

void SharedPreferences::SetSharedPreference(const QString& tag, const QString& value, bool saveNow)
{
    const QByteArray t = tag.toUpper().toUtf8();
    const QByteArray open = '<' + t + '>';
    const QByteArray close = "</" + t + '>';
    const QByteArray v = value.toUtf8();
    const qsizetype start = m_doc.indexOf(open);
    const qsizetype end = start < 0 ? -1 : m_doc.indexOf(close, start + open.size());
    if (start >= 0 && end >= 0) {
        const qsizetype valueStart = start + open.size();
        m_doc.replace(valueStart, end - valueStart, v);
    } else {
        m_doc += "\r\n" + open + v + close;
    }
    if (saveNow)
        save();
}

bool SharedPreferences::SaveSharedPreferences(const QString& path) const
{
    if (path.isEmpty())
        return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(m_doc + "\r\n");
    return f.commit();
}

QString SharedPreferences::value(const QString& tag) const
{
    const QByteArray t = tag.toUpper().toUtf8();
    const QByteArray open = '<' + t + '>';
    const qsizetype start = m_doc.indexOf(open);
    if (start < 0)
        return {};
    const qsizetype valueStart = start + open.size();
    const qsizetype end = m_doc.indexOf("</" + t + '>', valueStart);
    if (end < 0)
        return {};
    return QString::fromUtf8(m_doc.mid(valueStart, end - valueStart));
}
