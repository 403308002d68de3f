#include "cli/CommandLine.h"

#include "settings/RulesSetting.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <utility>

namespace {

const QString Program = QStringLiteral("fdlog-cli [--data DIR] [--rules 2025|written]");

const CliOption DataOption{QStringLiteral("data"), QStringLiteral("DIR"),
                           QStringLiteral("the data folder holding fdlog.dat and fdpref.dat (default: the current "
                                          "directory); before or after the command")};

const CliOption RulesOption{QStringLiteral("rules"), QStringLiteral("2025|written"),
                            QStringLiteral("the Field Day rules: the 2025 edition or the rules as written (default: "
                                           "the data folder's choice in fdrules.dat)")};

QCommandLineOption toQt(const CliOption& o)
{
    return QCommandLineOption(o.name, o.description, o.valueName);
}

// "  --power 5|150|150+   description" lines, the descriptions in one column.
void printOptions(const std::vector<std::pair<QString, QString>>& rows)
{
    qsizetype width = 0;
    for (const auto& [left, text] : rows)
        width = std::max(width, left.size());
    for (const auto& [left, text] : rows)
        std::printf("  %s  %s\n", qPrintable(left.leftJustified(width)), qPrintable(text));
}

std::pair<QString, QString> optionRow(const CliOption& o)
{
    QString left = QStringLiteral("--") + o.name;
    if (!o.valueName.isEmpty())
        left += QLatin1Char(' ') + o.valueName;
    return {left, o.required ? o.description + QStringLiteral(" (required)") : o.description};
}

const std::pair<QString, QString> CommonRows[] = {
    {QStringLiteral("-h, --help"), QStringLiteral("this help; COMMAND --help shows one command's options")},
    {QStringLiteral("-v, --version"), QStringLiteral("prints the program's version")},
};

// Worded like the other errors: lower case, the option with its dashes.
QString parseError(const QCommandLineParser& parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return QStringLiteral("unknown option '%1%2'")
            .arg(unknown[0].size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), unknown[0]);
    QString text = parser.errorText();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text.isEmpty() ? text : text[0].toLower() + text.mid(1);
}

} // namespace

QString CliCommand::usage() const
{
    QString text = name;
    for (const CliOption& o : options) {
        QString part = QStringLiteral("--") + o.name;
        if (!o.valueName.isEmpty())
            part += QLatin1Char(' ') + o.valueName;
        text += QLatin1Char(' ') + (o.required ? part : QLatin1Char('[') + part + QLatin1Char(']'));
    }
    if (!file.isEmpty())
        text += QLatin1Char(' ') + file;
    return text;
}

CommandLine::CommandLine(std::vector<CliCommand> commands) : m_commands(std::move(commands)) {}

const CliCommand* CommandLine::find(const QString& name) const
{
    for (const CliCommand& c : m_commands) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

// The first argument that is neither an option nor an option's value. Options with a value
// are the same in every command, so their values can be skipped before the command is known.
QString CommandLine::commandName(const QStringList& arguments) const
{
    QStringList valueOptions{DataOption.name, RulesOption.name};
    for (const CliCommand& c : m_commands) {
        for (const CliOption& o : c.options) {
            if (!o.valueName.isEmpty())
                valueOptions << o.name;
        }
    }
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--"))
            return i + 1 < arguments.size() ? arguments[i + 1] : QString();
        if (a.startsWith(QLatin1String("--"))) {
            if (!a.contains(QLatin1Char('=')) && valueOptions.contains(a.mid(2)))
                ++i;
            continue;
        }
        if (a.size() > 1 && a.startsWith(QLatin1Char('-')))
            continue;
        return a;
    }
    return {};
}

int CommandLine::run(const QStringList& arguments)
{
    const QString name = commandName(arguments);
    const CliCommand* command = find(name);
    m_reporter.setUsage(command ? Program + QLatin1Char(' ') + command->usage()
                                : Program + QStringLiteral(" COMMAND [OPTIONS]  (fdlog-cli --help lists them)"));
    if (!name.isEmpty() && !command)
        return m_reporter.usageError(QStringLiteral("unknown command '%1'").arg(name));

    QCommandLineParser parser;
    parser.addOption(toQt(DataOption));
    parser.addOption(toQt(RulesOption));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, CommonRows[0].second);
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    if (command) {
        for (const CliOption& o : command->options)
            parser.addOption(toQt(o));
    }
    if (!parser.parse(arguments))
        return m_reporter.usageError(parseError(parser));
    if (parser.isSet(help)) {
        command ? printCommandHelp(*command) : printHelp();
        return ExitOk;
    }
    if (parser.isSet(version)) {
        std::printf("%s\n", qPrintable(QCoreApplication::applicationVersion()));
        return ExitOk;
    }
    if (!command)
        return m_reporter.usageError(QStringLiteral("no command given"));

    for (const CliOption& o : command->options) {
        if (o.required && !parser.isSet(o.name))
            return m_reporter.usageError(QStringLiteral("--%1 is required").arg(o.name));
    }
    const QStringList files = parser.positionalArguments().mid(1);
    const qsizetype wanted = command->file.isEmpty() ? 0 : 1;
    if (files.size() > wanted)
        return m_reporter.usageError(QStringLiteral("unexpected argument '%1'").arg(files[wanted]));
    if (files.size() < wanted)
        return m_reporter.usageError(QStringLiteral("missing %1").arg(command->file));

    const QString dataDir = parser.isSet(DataOption.name) ? parser.value(DataOption.name) : QDir::currentPath();
    RulesEdition rules = RulesSetting::read(dataDir);
    if (parser.isSet(RulesOption.name)) {
        const auto chosen = parseRulesEdition(parser.value(RulesOption.name));
        if (!chosen || parser.value(RulesOption.name).contains(QLatin1Char(' ')))
            return m_reporter.usageError(QStringLiteral("--rules takes 2025 or written"));
        rules = *chosen;
    }
    return command->run(CliArgs{parser, files, dataDir, rules}, m_reporter);
}

void CommandLine::printHelp() const
{
    std::printf("usage: %s COMMAND [OPTIONS]\n\n", qPrintable(Program));
    std::printf("options:\n");
    printOptions({optionRow(DataOption), optionRow(RulesOption), CommonRows[0], CommonRows[1]});
    std::printf("\ncommands:\n");
    for (const CliCommand& c : m_commands)
        std::printf("  %s\n      %s\n", qPrintable(c.usage()), qPrintable(c.help));
    std::printf("\nExit codes: 0 done, 1 failed (the reason on stderr), 2 bad usage, 3 check found problems.\n");
}

void CommandLine::printCommandHelp(const CliCommand& command) const
{
    std::printf("usage: %s %s\n  %s\n\noptions:\n", qPrintable(Program), qPrintable(command.usage()),
                qPrintable(command.help));
    std::vector<std::pair<QString, QString>> rows;
    for (const CliOption& o : command.options)
        rows.push_back(optionRow(o));
    rows.push_back(optionRow(DataOption));
    rows.push_back(optionRow(RulesOption));
    rows.push_back(CommonRows[0]);
    rows.push_back(CommonRows[1]);
    printOptions(rows);
}
