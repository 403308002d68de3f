#include "ui/AboutBox.h"

#include "util/Dialogs.h"

#include <QtGlobal>

QString aboutText()
{
    // The Qt the program runs on, which a distribution upgrade can change under the same build.
    return QStringLiteral("Field Day Logger\nVersion %1\n\nQt %2")
        .arg(QStringLiteral(FDLOG_VERSION), QString::fromLatin1(qVersion()));
}

void showAboutBox(Dialogs& dialogs)
{
    dialogs.message(aboutText(), QStringLiteral("About Field Day Logger"), Dialogs::Icon::Information);
}
