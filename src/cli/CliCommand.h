#pragma once

#include "log/RulesEdition.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class CliReporter;

// One option of a command. Without a value name it is a flag.
struct CliOption {
    QString name;      // without the dashes: "power"
    QString valueName; // "5|150|150+"; empty for a flag
    QString description;
    bool required = false;
};

// What the parser made of the command line, handed to the command that runs.
struct CliArgs {
    const QCommandLineParser& parser;
    QStringList files; // the file names after the command name
    QString dataDir;
    RulesEdition rules = DefaultRulesEdition; // --rules, else the data folder's choice

    bool isSet(const QString& option) const { return parser.isSet(option); }
    // The option's value, or `fallback` when it was not given (an empty value is a value).
    QString value(const QString& option, const QString& fallback = {}) const
    {
        return parser.isSet(option) ? parser.value(option) : fallback;
    }
};

// One sub-command of fdlog-cli. The parser checks the options, the required ones and the
// number of file names before `run`; `run` reports through the reporter and returns the
// exit code (CliExit).
struct CliCommand {
    QString name;
    std::vector<CliOption> options;
    QString file; // the one file name it takes, e.g. "OUT.sum"; empty when it takes none
    QString help; // what it does
    std::function<int(const CliArgs&, CliReporter&)> run;

    // "score [--power 5|150|150+]"
    QString usage() const;
};

// Each family of commands lives in its own file.
std::vector<CliCommand> reportCommands();
std::vector<CliCommand> rigCommands();
std::vector<CliCommand> cwCommands();
std::vector<CliCommand> spotCommands();
std::vector<CliCommand> checkCommands();
std::vector<CliCommand> phoneCommands();
std::vector<CliCommand> syncCommands();
