#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of the logger: run on a data folder, or only print something.
struct StartOptions {
    enum class Action { Run, PrintVersion, PrintHelp, BadUsage };

    Action action = Action::Run;
    // Absolute. Without --data it is the working folder, as when started by hand in it.
    QString dataDir;
    // The version or help text to print, or what was wrong with the command line.
    QString text;

    // arguments: the program name first, then what follows it (Qt's own options already
    // removed, or ignored by the caller when it only looks for --version and --help).
    // A leading "~" in --data is the home folder: a desktop entry starts the program without a
    // shell, so "~/FieldDay" arrives unexpanded.
    static StartOptions parse(const QStringList& arguments);

    static QString helpText();
    static QString versionText();
};
