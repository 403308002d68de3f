#include "app/AppContext.h"
#include "ui/MainWindow.h"
#include "ui/QtDialogs.h"
#include "util/Clock.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Field Day Logger"));

    SystemClock clock;
    QtDialogs dialogs;
    AppContext::Options options;
    // The data folder is the directory the program is started in.
    options.dataDir = QDir::currentPath();
    AppContext context(std::move(options), dialogs, clock);
    if (!context.start())
        return 1;
    dialogs.setParent(&context.window());
    context.window().show();
    return app.exec();
}
