// fdlog-cli: the logger's domain code without a window, for after the event and for scripts.
#include "cli/CliCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace {

std::vector<CliCommand> allCommands()
{
    std::vector<CliCommand> all = reportCommands();
    for (auto& c : rigCommands())
        all.push_back(std::move(c));
    return all;
}

void printHelp(const std::vector<CliCommand>& commands)
{
    std::printf("usage: fdlog-cli [--data DIR] COMMAND [OPTIONS]\n\n"
                "  --data DIR   the data folder holding fdlog.dat and fdpref.dat (default: the current directory)\n\n"
                "commands:\n");
    for (const auto& c : commands)
        std::printf("  %s\n      %s\n", qPrintable(c.usage), qPrintable(c.help));
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString dataDir = QDir::currentPath();
    const auto commands = allCommands();

    if (args.size() >= 2 && args[0] == QLatin1String("--data")) {
        dataDir = args[1];
        args = args.mid(2);
    }
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        printHelp(commands);
        return args.isEmpty() ? 2 : 0;
    }
    for (const auto& c : commands) {
        if (c.name == args[0]) {
            if (args.contains(QLatin1String("--help"))) {
                std::printf("usage: fdlog-cli [--data DIR] %s\n  %s\n", qPrintable(c.usage), qPrintable(c.help));
                return 0;
            }
            return c.run(args.mid(1), dataDir);
        }
    }
    std::fprintf(stderr, "fdlog-cli: unknown command '%s' (see fdlog-cli --help)\n", qPrintable(args[0]));
    return 2;
}
