#pragma once

#include "cli/CliCommand.h"
#include "cli/CliReporter.h"

#include <QStringList>
#include <vector>

// The one argument parser of fdlog-cli: finds the command, parses its options together with
// the common ones (--data DIR, --help, --version) wherever they stand, checks what the
// command needs and runs it.
class CommandLine {
public:
    explicit CommandLine(std::vector<CliCommand> commands);

    // `arguments` starts with the program's name, as QCoreApplication::arguments() does.
    // Returns the exit code.
    int run(const QStringList& arguments);

private:
    QString commandName(const QStringList& arguments) const;
    const CliCommand* find(const QString& name) const;
    void printHelp() const;
    void printCommandHelp(const CliCommand& command) const;

    std::vector<CliCommand> m_commands;
    CliReporter m_reporter;
};
