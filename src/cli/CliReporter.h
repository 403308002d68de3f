#pragma once

#include <QString>

// The exit codes of every fdlog-cli command.
enum CliExit : int { ExitOk = 0, ExitFailure = 1, ExitBadUsage = 2 };

// Everything fdlog-cli says on stderr goes through here, so every command words its errors
// the same way: "fdlog-cli: what went wrong", one line, and after a usage error the usage.
class CliReporter {
public:
    // The usage line of the command being run, shown after a usage error.
    void setUsage(const QString& usage) { m_usage = usage; }
    const QString& usage() const { return m_usage; }

    // A line that does not end the command (a contact left out, a rig warning).
    void note(const QString& text) const;
    // The command could not do its work: one line, exit code 1.
    int fail(const QString& text) const;
    // The command line does not make sense: the reason, then the usage; exit code 2.
    int usageError(const QString& text) const;

private:
    QString m_usage;
};
