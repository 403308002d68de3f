// fdlog-cli: the logger's domain code without a window, for after the event and for scripts.
#include "cli/CommandLine.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fdlog-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FDLOG_VERSION));
    std::vector<CliCommand> commands = reportCommands();
    for (CliCommand& c : rigCommands())
        commands.push_back(std::move(c));
    for (CliCommand& c : cwCommands())
        commands.push_back(std::move(c));
    for (CliCommand& c : spotCommands())
        commands.push_back(std::move(c));
    for (CliCommand& c : checkCommands())
        commands.push_back(std::move(c));
    for (CliCommand& c : phoneCommands())
        commands.push_back(std::move(c));
    for (CliCommand& c : syncCommands())
        commands.push_back(std::move(c));
    return CommandLine(std::move(commands)).run(QCoreApplication::arguments());
}
