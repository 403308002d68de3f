#include "settings/Preferences.h"

#include "settings/FormScaling.h"

#include <QFile>
#include <QList>
#include <QSaveFile>

namespace {

QByteArray quoted(const QString& s)
{
    return '"' + s.toLatin1() + '"';
}

// A line is a quoted text or a bare number; quotes are dropped either way.
QString unquote(QByteArray line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    line = line.trimmed();
    if (line.size() >= 2 && line.startsWith('"') && line.endsWith('"'))
        line = line.mid(1, line.size() - 2);
    return QString::fromLatin1(line);
}

template <typename T> bool readInt(const QString& text, T& out, qint64 lo, qint64 hi)
{
    bool ok = false;
    const qint64 v = text.toLongLong(&ok);
    if (!ok || v < lo || v > hi)
        return false;
    out = static_cast<T>(v);
    return true;
}

} // namespace

QByteArray formatSingle(float value)
{
    QByteArray s = QByteArray::number(static_cast<double>(value), 'g', 7);
    return s;
}

QByteArray formatPreferences(const Preferences& p)
{
    const QList<QByteArray> lines{
        quoted(p.ownCall),
        quoted(p.ownClass),
        quoted(p.ownSection),
        formatSingle(p.utcOffset),
        quoted(p.mode),
        quoted(p.band),
        QByteArray::number(p.workedColour),
        QByteArray::number(p.notWorkedColour),
        QByteArray::number(p.formSizePercent),
        QByteArray::number(p.voiceNavigation),
        quoted(p.rigType),
        QByteArray::number(p.taskbarFit),
        QByteArray::number(p.listPrevious),
        quoted(p.operatorInitials),
        QByteArray::number(p.permanentBackup),
        QByteArray::number(p.extraBackup),
        quoted(p.extraBackupFolder),
    };
    QByteArray out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

bool SavePref(const QString& path, const Preferences& prefs)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(formatPreferences(prefs));
    return f.commit();
}

bool isUtcOffsetInRange(double hours)
{
    return hours >= kMinUtcOffsetHours && hours <= kMaxUtcOffsetHours;
}

bool ReadPreferences(const QString& path, Preferences& p, float computedUtcOffset)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    // The file is 17 short lines; a huge file is damage and is not read past that.
    const QByteArray data = f.read(64 * 1024);
    f.close();
    const QList<QByteArray> raw = data.split('\n');
    QStringList v;
    for (const auto& l : raw)
        v << unquote(l);

    auto text = [&](int i, QString& out) {
        if (i >= v.size())
            return false;
        out = v[i];
        return true;
    };
    auto single = [&](int i, float& out) {
        if (i >= v.size())
            return false;
        bool ok = false;
        const float f = v[i].toFloat(&ok);
        if (ok)
            out = isUtcOffsetInRange(f) ? f : computedUtcOffset;
        return ok;
    };
    auto byte = [&](int i, quint8& out, int hi = 255) { return i < v.size() && readInt(v[i], out, 0, hi); };
    auto colour = [&](int i, quint32& out) { return i < v.size() && readInt(v[i], out, 0, 0xFFFFFFFFLL); };

    // A size the window cannot be drawn at (0 gives no window at all) is read as the whole screen.
    auto formSize = [&](int i, quint8& out) {
        if (!byte(i, out))
            return false;
        if (out < FormScaling::MinPercent || out > FormScaling::MaxPercent)
            out = FormScaling::MaxPercent;
        return true;
    };

    return text(0, p.ownCall) && text(1, p.ownClass) && text(2, p.ownSection) && single(3, p.utcOffset) &&
           text(4, p.mode) && text(5, p.band) && colour(6, p.workedColour) && colour(7, p.notWorkedColour) &&
           formSize(8, p.formSizePercent) && byte(9, p.voiceNavigation) && text(10, p.rigType) &&
           byte(11, p.taskbarFit, 1) && byte(12, p.listPrevious, 1) && text(13, p.operatorInitials) &&
           byte(14, p.permanentBackup, 1) && byte(15, p.extraBackup, 1) && text(16, p.extraBackupFolder);
}
