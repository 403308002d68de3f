#include "app/StartOptions.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using Action = StartOptions::Action;

TEST(StartOptions, DataFolderComesFromOptionOrWorkingFolder)
{
    const QString cwd = QDir::currentPath();
    const QString home = QDir::homePath();
    const struct {
        QStringList arguments;
        QString expected;
    } cases[] = {
        {{}, cwd},
        {{"--data", "/srv/fd"}, "/srv/fd"},
        {{"--data", "~/FieldDay"}, home + "/FieldDay"},
        {{"--data", "~"}, home},
        {{"--data", "logs/2026"}, cwd + "/logs/2026"},
        {{"--data", "/srv/../srv/fd"}, "/srv/fd"},
        // Only the home folder of the user running the program is expanded.
        {{"--data", "/x/~/y"}, "/x/~/y"},
        {{"--data", "~other"}, cwd + "/~other"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const StartOptions o = StartOptions::parse(QStringList{"fdlog"} + c.arguments);
        EXPECT_EQ(o.action, Action::Run);
        EXPECT_EQ(o.dataDir, c.expected);
    }
}

TEST(StartOptions, PrintsOrRefuses)
{
    const struct {
        QStringList arguments;
        Action action;
        QString textStart;
    } cases[] = {
        {{"--version"}, Action::PrintVersion, "fdlog " FDLOG_VERSION "\n"},
        {{"-v"}, Action::PrintVersion, "fdlog " FDLOG_VERSION "\n"},
        {{"--help"}, Action::PrintHelp, "Usage: fdlog [--data DIR]\n"},
        {{"-h"}, Action::PrintHelp, "Usage: fdlog [--data DIR]\n"},
        // Answered even with options only Qt knows, which are still on the line before Qt starts.
        {{"-platform", "offscreen", "--version"}, Action::PrintVersion, "fdlog " FDLOG_VERSION "\n"},
        {{"--dta", "/srv"}, Action::BadUsage, "Unknown option 'dta'."},
        {{"--data"}, Action::BadUsage, "Missing value after '--data'."},
        {{"--data="}, Action::BadUsage, "--data needs a folder."},
        {{"/srv/fd"}, Action::BadUsage, "Unexpected argument '/srv/fd'."},
    };
    for (const auto& c : cases) {
        const StartOptions o = StartOptions::parse(QStringList{"fdlog"} + c.arguments);
        const std::string line = c.arguments.join(' ').toStdString();
        EXPECT_EQ(o.action, c.action) << line;
        EXPECT_TRUE(o.text.startsWith(c.textStart)) << line << ": " << o.text.toStdString();
        EXPECT_TRUE(o.dataDir.isEmpty()) << line;
    }
}

} // namespace
