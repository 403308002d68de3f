#include "app/AppContext.h"
#include "app/StartOptions.h"
#include "ui/MainWindow.h"
#include "ui/QtDialogs.h"
#include "util/Clock.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    // --version and --help are answered before any window system is touched, so they work over
    // ssh and when the manual pages are generated. Qt's own options are not known yet here.
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    const StartOptions early = StartOptions::parse(rawArguments);
    if (early.action == StartOptions::Action::PrintHelp || early.action == StartOptions::Action::PrintVersion) {
        std::fputs(qPrintable(early.text), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Field Day Logger"));
    QApplication::setApplicationVersion(QStringLiteral(FDLOG_VERSION));
    // Lets the desktop match the window to the installed menu entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("fdlog"));

    const StartOptions start = StartOptions::parse(QApplication::arguments());
    if (start.action == StartOptions::Action::BadUsage) {
        std::fprintf(stderr, "fdlog: %s\n%s", qPrintable(start.text), qPrintable(StartOptions::helpText()));
        return 2;
    }

    SystemClock clock;
    QtDialogs dialogs;
    if (!QDir().mkpath(start.dataDir)) {
        dialogs.message(
            QStringLiteral("Cannot create the data folder %1.").arg(QDir::toNativeSeparators(start.dataDir)),
            QStringLiteral("Field Day Logger"), Dialogs::Icon::Critical);
        return 1;
    }
    // The data folder stays the working folder, as when the program is started by hand in it.
    QDir::setCurrent(start.dataDir);
    AppContext::Options options;
    options.dataDir = start.dataDir;
    AppContext context(std::move(options), dialogs, clock);
    if (!context.start())
        return 1;
    dialogs.setParent(&context.window());
    context.window().show();
    return app.exec();
}
