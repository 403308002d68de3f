#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <vector>

// Puts lines the log reader cannot read out of the way without losing a byte of them: each
// one is appended to the damaged-lines file beside the log (fdlog.damaged), under a heading
// line with its line number and the time, exactly as it stood in the log. Only after that
// file is on the disk is the log itself changed.
class LogRepair {
public:
    struct MovedLine {
        int lineNo = 0;   // 1-based, in the log as it was
        QByteArray bytes; // the line as it stood, without its line end
    };
    struct Result {
        bool ok = true;
        QString error;
        std::vector<MovedLine> moved;
        int kept = 0;              // readable lines written back (repair only)
        bool lineEndAdded = false; // a complete last line was given its CR LF
    };

    LogRepair(QString logPath, QString damagedPath)
        : m_logPath(std::move(logPath)), m_damagedPath(std::move(damagedPath))
    {
    }

    // fdlog.damaged in the log's folder.
    static QString damagedPathFor(const QString& logPath);

    // Moves every unreadable line to the damaged-lines file and rewrites the log atomically
    // with all readable lines, CR LF ended. Nothing is written when every line reads.
    Result repair(const QDateTime& now) const;

    // A last line without its line end (a write cut off by a power cut): a complete record
    // gets its CR LF, anything else is moved to the damaged-lines file and cut from the log.
    // Costs one read of the last byte when the log ends as it should.
    Result mendLastLine(const QDateTime& now) const;

private:
    bool saveMoved(const std::vector<MovedLine>& moved, const QDateTime& now, QString* error) const;

    QString m_logPath;
    QString m_damagedPath;
};
