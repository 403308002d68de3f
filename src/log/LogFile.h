#pragma once

#include "log/ContactRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <vector>

// The log file format (fdlog.dat, LogBkUp.dat): 8-bit text, one contact per line, ten
// comma-separated fields each in double quotes (the nine record fields and an always-empty
// tenth), lines ended by CR LF. Reading accepts LF alone. What a field may hold is LogField's
// rule, which the reader and the writer share.

// One whole line, CR LF included.
QByteArray formatLogLine(const ContactRecord& r);

// Splits one line (without its line end) into the record. A quoted field runs to its closing
// quote, an unquoted one to the next comma. False for a line that is not 9 or 10 fields or
// has a field LogField refuses (a quote inside an unquoted field among them); letters a-z are
// read as capitals.
bool parseLogLine(QByteArrayView line, ContactRecord& out);

// Reads and writes one log file. Every operation opens the file, does its one job and
// closes it again; nothing stays open between operations.
class LogFile {
public:
    enum class ReadStatus { Ok, OpenFailed, NotRegularFile, BadLine, TooManyLines };
    struct ReadResult {
        ReadStatus status = ReadStatus::Ok;
        int badLine = 0;      // 1-based number of the first unreadable line, or of the first line past capacity
        int badLineCount = 0; // unreadable lines in the whole file
        QString error;        // why the file could not be opened
    };

    enum class AppendStatus { Ok, InvalidField, UnfinishedLastLine, NotRegularFile, WriteFailed };

    // The low-level write and sync of an append, replaceable so tests can make them fail as a
    // full disk does. Both return what ::write / ::fsync return and set errno the same way.
    struct Io {
        std::function<qint64(int fd, const char* data, qint64 size)> write;
        std::function<int(int fd)> sync;
    };

    explicit LogFile(QString path) : m_path(std::move(path)) {}
    const QString& path() const { return m_path; }

    // Appends the records of the file to `out`, at most `capacity` records in total. An
    // unreadable line is passed over (counted, the first one named) so every readable line
    // is read; reading stops at the first line past capacity. A FIFO or a device is refused.
    ReadResult read(std::vector<ContactRecord>& out, int capacity) const;

    // Appends one line with a single write, then flushes it to the disk before returning.
    // Refuses a record LogField does not accept and a file whose last line has no line end
    // (LogRepair mends it first); a failed or short write is cut back off the file.
    AppendStatus appendRecord(const ContactRecord& r, QString* error = nullptr) const;
    bool append(const ContactRecord& r, QString* error = nullptr) const
    {
        return appendRecord(r, error) == AppendStatus::Ok;
    }

    // Replaces the whole file. The old file stays whole until the new one is complete; a
    // record LogField does not accept leaves the file untouched.
    bool rewrite(const std::vector<ContactRecord>& records, QString* error = nullptr) const;

    void setIo(Io io) { m_io = std::move(io); }

    // False (with the reason) when the path exists but is not a regular file: opening a FIFO
    // blocks and a device never ends.
    static bool isRegularOrMissing(const QString& path, QString* error = nullptr);

private:
    QString m_path;
    Io m_io;
};
