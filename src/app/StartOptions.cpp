#include "app/StartOptions.h"

#include <QCommandLineParser>
#include <QDir>

namespace {

QString expandHome(const QString& path)
{
    if (path == QLatin1String("~"))
        return QDir::homePath();
    if (path.startsWith(QLatin1String("~/")))
        return QDir::homePath() + path.mid(1);
    return path;
}

} // namespace

StartOptions StartOptions::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption data(QStringLiteral("data"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    parser.addOptions({data, help, version});

    StartOptions result;
    const bool parsed = parser.parse(arguments);
    // --help and --version win over a bad option elsewhere on the line, as in most programs.
    if (parser.isSet(help)) {
        result.action = Action::PrintHelp;
        result.text = helpText();
    } else if (parser.isSet(version)) {
        result.action = Action::PrintVersion;
        result.text = versionText();
    } else if (!parsed) {
        result.action = Action::BadUsage;
        result.text = parser.errorText();
    } else if (!parser.positionalArguments().isEmpty()) {
        result.action = Action::BadUsage;
        result.text = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    } else if (parser.isSet(data) && parser.value(data).isEmpty()) {
        result.action = Action::BadUsage;
        result.text = QStringLiteral("--data needs a folder.");
    }
    if (result.action != Action::Run)
        return result;

    result.dataDir = parser.isSet(data)
                         ? QDir::cleanPath(QDir::current().absoluteFilePath(expandHome(parser.value(data))))
                         : QDir::currentPath();
    return result;
}

QString StartOptions::helpText()
{
    return QStringLiteral("Usage: fdlog [--data DIR]\n"
                          "\n"
                          "Options:\n"
                          "  --data DIR     keep the log, the preferences and the backups in DIR (created when\n"
                          "                 missing; a leading ~ is the home folder); default: the current folder\n"
                          "  -h, --help     print this help and exit\n"
                          "  -v, --version  print the version and exit\n");
}

QString StartOptions::versionText()
{
    return QStringLiteral("fdlog " FDLOG_VERSION "\n");
}
