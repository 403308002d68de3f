#pragma once

#include "log/ContactRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

// The log file format (fdlog.dat, LogBkUp.dat): 8-bit text, one contact per line, ten
// comma-separated fields each in double quotes (the nine record fields and an always-empty
// tenth), lines ended by CR LF. Reading accepts LF alone; quotes inside a field are never
// written because the entry filters keep them out.

// One whole line, CR LF included.
QByteArray formatLogLine(const ContactRecord& r);

// Splits one line (without its line end) into the record. A quoted field runs to its closing
// quote, an unquoted one to the next comma. False for a line that is not 9 or 10 fields,
// holds a control character, or is implausibly long.
bool parseLogLine(QByteArrayView line, ContactRecord& out);

// Reads and writes one log file. Every operation opens the file, does its one job and
// closes it again; nothing stays open between operations.
class LogFile {
public:
    enum class ReadStatus { Ok, OpenFailed, BadLine, TooManyLines };
    struct ReadResult {
        ReadStatus status = ReadStatus::Ok;
        int badLine = 0;  // 1-based line number of the first unreadable line
    };

    explicit LogFile(QString path) : m_path(std::move(path)) {}
    const QString& path() const { return m_path; }

    // Appends the records of the file to `out`, at most `capacity` records in total. Stops at
    // the first unreadable line, keeping what was read before it.
    ReadResult read(std::vector<ContactRecord>& out, int capacity) const;

    // Appends one line with a single write, then flushes it to the disk before returning.
    bool append(const ContactRecord& r, QString* error = nullptr) const;

    // Replaces the whole file. The old file stays whole until the new one is complete.
    bool rewrite(const std::vector<ContactRecord>& records, QString* error = nullptr) const;

private:
    QString m_path;
};
