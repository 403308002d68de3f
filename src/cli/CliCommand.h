#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// One sub-command of fdlog-cli. `run` gets the arguments after the command name and the
// data folder, prints errors to stderr itself, and returns the process exit code.
struct CliCommand {
    QString name;
    QString usage;  // one line, e.g. "score [--power 5|150|150+]"
    QString help;   // what it does
    std::function<int(const QStringList& args, const QString& dataDir)> run;
};

// Each family of commands lives in its own file.
std::vector<CliCommand> reportCommands();
std::vector<CliCommand> rigCommands();
