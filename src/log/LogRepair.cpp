#include "log/LogRepair.h"

#include "log/LogFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

bool syncToDisk(QFile& f)
{
    if (!f.flush())
        return false;
#ifdef Q_OS_UNIX
    return ::fsync(f.handle()) == 0;
#else
    return true;
#endif
}

QString failure(const QFileDevice& f)
{
    const int e = errno;
    return e != 0 ? QString::fromLocal8Bit(std::strerror(e)) : f.errorString();
}

bool isBlank(QByteArrayView line)
{
    return line.trimmed().isEmpty();
}

} // namespace

QString LogRepair::damagedPathFor(const QString& logPath)
{
    return QFileInfo(logPath).dir().filePath(QStringLiteral("fdlog.damaged"));
}

bool LogRepair::saveMoved(const std::vector<MovedLine>& moved, const QDateTime& now, QString* error) const
{
    if (moved.empty())
        return true;
    if (!LogFile::isRegularOrMissing(m_damagedPath, error))
        return false;
    const QString stamp = now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    const QString logName = QFileInfo(m_logPath).fileName();
    QByteArray out;
    for (const MovedLine& m : moved) {
        out += QStringLiteral("# line %1 of %2, moved %3\r\n").arg(m.lineNo).arg(logName, stamp).toLatin1();
        out += m.bytes;
        out += "\r\n";
    }
    QFile f(m_damagedPath);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append) || f.write(out) != out.size() || !syncToDisk(f)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(m_damagedPath, failure(f));
        return false;
    }
    return true;
}

LogRepair::Result LogRepair::repair(const QDateTime& now) const
{
    Result result;
    if (!LogFile::isRegularOrMissing(m_logPath, &result.error)) {
        result.ok = false;
        return result;
    }
    QFile in(m_logPath);
    if (!in.open(QIODevice::ReadOnly)) {
        result.ok = false;
        result.error = in.errorString();
        return result;
    }
    const QByteArray data = in.readAll();
    in.close();

    QByteArray keep;
    keep.reserve(data.size() + data.size() / 40);
    ContactRecord scratch;
    qsizetype pos = 0;
    int lineNo = 0;
    while (pos < data.size()) {
        qsizetype end = data.indexOf('\n', pos);
        if (end < 0)
            end = data.size();
        QByteArrayView line(data.constData() + pos, end - pos);
        pos = end + 1;
        ++lineNo;
        QByteArrayView content = line;
        if (content.endsWith('\r'))
            content.chop(1);
        if (isBlank(content))
            continue;
        if (parseLogLine(content, scratch)) {
            keep += content;
            keep += "\r\n";
            ++result.kept;
        } else {
            result.moved.push_back({lineNo, content.toByteArray()});
        }
    }
    const bool endsWell = data.isEmpty() || data.endsWith('\n');
    if (result.moved.empty() && endsWell)
        return result;
    // The damaged lines reach the disk before the log loses them.
    if (!saveMoved(result.moved, now, &result.error)) {
        result.ok = false;
        return result;
    }
    QSaveFile out(m_logPath);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly) || out.write(keep) != keep.size() || !out.commit()) {
        result.ok = false;
        result.error = QStringLiteral("%1: %2").arg(m_logPath, failure(out));
        out.cancelWriting();
    }
    result.lineEndAdded = result.moved.empty() && !endsWell;
    return result;
}

LogRepair::Result LogRepair::mendLastLine(const QDateTime& now) const
{
    Result result;
    if (!LogFile::isRegularOrMissing(m_logPath, &result.error)) {
        result.ok = false;
        return result;
    }
    QFile f(m_logPath);
    if (!f.exists())
        return result;
    errno = 0;
    if (!f.open(QIODevice::ReadWrite)) {
        result.ok = false;
        result.error = f.errorString();
        return result;
    }
    const qint64 size = f.size();
    char last = '\n';
    if (size > 0 && (!f.seek(size - 1) || f.read(&last, 1) != 1)) {
        result.ok = false;
        result.error = f.errorString();
        return result;
    }
    if (last == '\n')
        return result;

    f.seek(0);
    const QByteArray data = f.readAll();
    const qsizetype start = data.lastIndexOf('\n') + 1;
    QByteArrayView line = QByteArrayView(data).sliced(start);
    QByteArrayView content = line;
    if (content.endsWith('\r'))
        content.chop(1);
    ContactRecord scratch;
    errno = 0;
    if (!isBlank(content) && parseLogLine(content, scratch)) {
        const QByteArray end = line.endsWith('\r') ? QByteArray("\n") : QByteArray("\r\n");
        f.seek(size);
        if (f.write(end) != end.size() || !syncToDisk(f)) {
            result.ok = false;
            result.error = failure(f);
        }
        result.lineEndAdded = result.ok;
        return result;
    }
    if (!isBlank(content)) {
        result.moved.push_back({static_cast<int>(data.count('\n')) + 1, content.toByteArray()});
        if (!saveMoved(result.moved, now, &result.error)) {
            result.ok = false;
            return result;
        }
    }
    errno = 0;
    if (!f.resize(start) || !syncToDisk(f)) {
        result.ok = false;
        result.error = failure(f);
    }
    return result;
}
