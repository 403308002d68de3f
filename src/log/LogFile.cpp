#include "log/LogFile.h"

#include <QFile>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// A log line is nine short fields; anything much longer is damage, not data.
constexpr qsizetype MaxLineLength = 4096;

void appendQuoted(QByteArray& out, const QString& field)
{
    out += '"';
    out += field.toLatin1();
    out += '"';
}

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

}  // namespace

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
    if (line.size() > MaxLineLength)
        return false;
    QString* fields[] = {&out.call, &out.cls, &out.section, &out.date, &out.time,
                         &out.band, &out.mode, &out.op, &out.freq};
    int n = 0;  // fields read so far
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
        for (char c : value) {
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
        }
        if (n < 9) {
            // Most fields repeat from line to line (class, date, band, mode, operator); reusing
            // the previous line's string when the bytes match spares an allocation per field.
            QString& f = *fields[n];
            if (!(f.size() == value.size() && QLatin1StringView(value.data(), value.size()) == f))
                f = QString::fromLatin1(value);
        }
        ++n;
        if (n > 10)
            return false;
        if (i >= len)
            break;
        ++i;  // the comma
    }
    return n == 9 || n == 10;
}

LogFile::ReadResult LogFile::read(std::vector<ContactRecord>& out, int capacity) const
{
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return {ReadStatus::OpenFailed, 0};
    const QByteArray data = f.readAll();
    f.close();

    ReadResult result;
    ContactRecord scratch;  // parsed into in place, so unchanged fields keep their shared strings
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
        if (static_cast<int>(out.size()) >= capacity)
            return {ReadStatus::TooManyLines, lineNo};
        if (!parseLogLine(line, scratch))
            return {ReadStatus::BadLine, lineNo};
        out.push_back(scratch);
    }
    return result;
}

bool LogFile::append(const ContactRecord& r, QString* error) const
{
    QFile f(m_path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    const QByteArray line = formatLogLine(r);
    const bool ok = f.write(line) == line.size() && syncToDisk(f);
    if (!ok && error)
        *error = f.errorString();
    f.close();
    return ok;
}

bool LogFile::rewrite(const std::vector<ContactRecord>& records, QString* error) const
{
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
    if (f.write(data) != data.size() || !f.commit()) {
        if (error)
            *error = f.errorString();
        f.cancelWriting();
        return false;
    }
    return true;
}
