#include "log/LogFile.h"

#include "log/LogField.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString errnoText(int e)
{
    return QString::fromLocal8Bit(std::strerror(e));
}

QString invalidFieldText(const ContactRecord& r, int field)
{
    return QStringLiteral("the %1 field of %2 holds a character the log cannot store or is longer than %3 characters")
        .arg(LogField::fieldName(field), r.call.left(20))
        .arg(LogField::MaxLength);
}

void appendQuoted(QByteArray& out, const QString& field)
{
    out += '"';
    out += field.toLatin1();
    out += '"';
}

} // namespace

QByteArray formatLogLine(const ContactRecord& r)
{
    QByteArray line;
    line.reserve(96);
    for (const QString* f : {&r.call, &r.cls, &r.section, &r.date, &r.time, &r.band, &r.mode, &r.op, &r.freq}) {
        appendQuoted(line, *f);
        line += ',';
    }
    line += "\"\"\r\n";
    return line;
}

bool parseLogLine(QByteArrayView line, ContactRecord& out)
{
    if (line.size() > LogField::MaxLineLength)
        return false;
    QString* fields[] = {&out.call, &out.cls,  &out.section, &out.date, &out.time,
                         &out.band, &out.mode, &out.op,      &out.freq};
    int n = 0; // fields read so far
    qsizetype i = 0;
    const qsizetype len = line.size();
    while (true) {
        QByteArrayView value;
        if (i < len && line[i] == '"') {
            const qsizetype close = line.indexOf('"', i + 1);
            if (close < 0)
                return false;
            value = line.sliced(i + 1, close - i - 1);
            i = close + 1;
            // Between a closing quote and the next comma only blanks may stand.
            while (i < len && line[i] == ' ')
                ++i;
            if (i < len && line[i] != ',')
                return false;
        } else {
            qsizetype comma = line.indexOf(',', i);
            if (comma < 0)
                comma = len;
            value = line.sliced(i, comma - i);
            i = comma;
        }
        // An unquoted field holding a quote is refused here too: written back in quotes it
        // would end the field early.
        if (!LogField::isReadable(value))
            return false;
        if (n < 9) {
            // Most fields repeat from line to line (class, date, band, mode, operator); reusing
            // the previous line's string when the bytes match spares an allocation per field.
            QString& f = *fields[n];
            if (!(f.size() == value.size() && QLatin1StringView(value.data(), value.size()) == f)) {
                f = QString::fromLatin1(value);
                f = LogField::storedCase(std::move(f));
            }
        }
        ++n;
        if (n > 10)
            return false;
        if (i >= len)
            break;
        ++i; // the comma
    }
    return n == 9 || n == 10;
}

bool LogFile::isRegularOrMissing(const QString& path, QString* error)
{
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return true; // missing (or unreachable): opening it reports the reason
    if (S_ISREG(st.st_mode))
        return true;
#else
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return true;
#endif
    if (error)
        *error = QStringLiteral("%1 is not a regular file").arg(path);
    return false;
}

LogFile::ReadResult LogFile::read(std::vector<ContactRecord>& out, int capacity) const
{
    ReadResult result;
    if (!isRegularOrMissing(m_path, &result.error))
        return {ReadStatus::NotRegularFile, 0, 0, result.error};
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return {ReadStatus::OpenFailed, 0, 0, f.errorString()};
    const QByteArray data = f.readAll();
    f.close();

    ContactRecord scratch; // parsed into in place, so unchanged fields keep their shared strings
    out.reserve(out.size() + static_cast<size_t>(qMin<qsizetype>(data.count('\n') + 1, capacity)));
    qsizetype pos = 0;
    int lineNo = 0;
    const qsizetype size = data.size();
    while (pos < size) {
        qsizetype end = data.indexOf('\n', pos);
        if (end < 0)
            end = size;
        QByteArrayView line(data.constData() + pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (static_cast<int>(out.size()) >= capacity) {
            if (result.status == ReadStatus::Ok)
                result = {ReadStatus::TooManyLines, lineNo, result.badLineCount, {}};
            break;
        }
        if (!parseLogLine(line, scratch)) {
            if (result.status == ReadStatus::Ok) {
                result.status = ReadStatus::BadLine;
                result.badLine = lineNo;
            }
            ++result.badLineCount;
            // The scratch record may be half overwritten; start the next line afresh.
            scratch = ContactRecord();
            continue;
        }
        out.push_back(scratch);
    }
    return result;
}

LogFile::AppendStatus LogFile::appendRecord(const ContactRecord& r, QString* error) const
{
    auto fail = [error](AppendStatus s, const QString& why) {
        if (error)
            *error = why;
        return s;
    };
    const int invalid = LogField::firstInvalidField(r);
    if (invalid >= 0)
        return fail(AppendStatus::InvalidField, invalidFieldText(r, invalid));
    QString why;
    if (!isRegularOrMissing(m_path, &why))
        return fail(AppendStatus::NotRegularFile, why);

    QFile f(m_path);
    if (!f.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return fail(AppendStatus::WriteFailed, f.errorString());
    const qint64 before = f.size();
    if (before > 0) {
        // A line without its line end (a write cut short by a power cut) would swallow this one.
        char last = 0;
        if (!f.seek(before - 1) || f.read(&last, 1) != 1)
            return fail(AppendStatus::WriteFailed, f.errorString());
        if (last != '\n')
            return fail(AppendStatus::UnfinishedLastLine,
                        QStringLiteral("the last line of %1 has no line end").arg(m_path));
    }
    const QByteArray line = formatLogLine(r);
#ifdef Q_OS_UNIX
    const int fd = f.handle();
    qint64 written = 0;
    int e = 0;
    while (written < line.size()) {
        errno = 0;
        const qint64 n = m_io.write
                             ? m_io.write(fd, line.constData() + written, line.size() - written)
                             : ::write(fd, line.constData() + written, static_cast<size_t>(line.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            e = errno ? errno : EIO;
            break;
        }
        written += n;
    }
    if (e == 0) {
        errno = 0;
        if ((m_io.sync ? m_io.sync(fd) : ::fsync(fd)) != 0)
            e = errno ? errno : EIO;
    }
    if (e != 0) {
        // Take the partial line back off, so the file ends where it ended before.
        if (::ftruncate(fd, before) == 0)
            ::fsync(fd);
        f.close();
        return fail(AppendStatus::WriteFailed, errnoText(e));
    }
#else
    if (f.write(line) != line.size() || !f.flush()) {
        const QString text = f.errorString();
        f.resize(before);
        f.close();
        return fail(AppendStatus::WriteFailed, text);
    }
#endif
    f.close();
    return AppendStatus::Ok;
}

bool LogFile::rewrite(const std::vector<ContactRecord>& records, QString* error) const
{
    for (const auto& r : records) {
        const int invalid = LogField::firstInvalidField(r);
        if (invalid >= 0) {
            if (error)
                *error = invalidFieldText(r, invalid);
            return false;
        }
    }
    if (!isRegularOrMissing(m_path, error))
        return false;
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    QByteArray data;
    data.reserve(static_cast<qsizetype>(records.size()) * 80);
    for (const auto& r : records)
        data += formatLogLine(r);
    errno = 0;
    if (f.write(data) != data.size() || !f.commit()) {
        // QSaveFile's own text for a failed sync is "Unknown error"; errno says what happened.
        const int e = errno;
        if (error)
            *error = e != 0 ? errnoText(e) : f.errorString();
        f.cancelWriting();
        return false;
    }
    return true;
}
