#include "ui/RttyLinkActions.h"

#include "log/Station.h"
#include "ui/MainWindow.h"
#include "util/Dialogs.h"
#include "util/RttyLink.h"

#include <QMenu>

RttyLinkActions::RttyLinkActions(MainWindow& window, Station& station, RttyLink& link, Dialogs& dialogs)
    : QObject(&window), m_window(window), m_station(station), m_link(link), m_dialogs(dialogs)
{
    if (auto* options = window.findChild<QMenu*>(QStringLiteral("mnuOptions"))) {
        QAction* a = options->addAction(QStringLiteral("Connect to &TOLV RTTY"));
        a->setObjectName(QStringLiteral("mnuTOLV"));
        connect(a, &QAction::triggered, this, &RttyLinkActions::connectToTerminal);
    }
    // Queued: the messages are modal and must not run inside the socket's own slot.
    connect(&link, &RttyLink::connected, this, &RttyLinkActions::linked, Qt::QueuedConnection);
    connect(
        &link, &RttyLink::failed, this,
        [this] {
            m_dialogs.message(
                QStringLiteral(
                    "Please start TOLV RTTY and click Options > Transmit > Connect to TOLV RTTY to try again."),
                QStringLiteral("Unable to find TOLV RTTY."), Dialogs::Icon::Critical);
        },
        Qt::QueuedConnection);
    connect(&link, &RttyLink::itemReceived, this, &RttyLinkActions::received);
    connect(&window.entry(), &EntryWorkflow::currentCallChanged, this, [this](const QString& call) {
        if (m_station.state().mode() == QLatin1String("DIG") && m_link.linkFlag() == 1)
            m_link.poke(QStringLiteral("txtBUrCall"), call);
    });
}

void RttyLinkActions::connectToTerminal()
{
    m_link.connectToTerminal();
}

void RttyLinkActions::linked()
{
    m_dialogs.message(QStringLiteral("Connected with TOLV!\n\nFor best display of both programs on your screen, click "
                                     "Options > Appearance > Form Size and enter 85 from this program's menu options."),
                      QStringLiteral("Connected with TOLV!"), Dialogs::Icon::Information);
    sendOwnStation();
}

void RttyLinkActions::sendOwnStation()
{
    const Preferences& p = m_station.prefs();
    m_link.SendToTOLV(p.ownCall, p.ownClass, p.ownSection);
}

void RttyLinkActions::received(const QString& item, const QString& value)
{
    EntryField field = EntryField::None;
    if (item == QLatin1String("txtSUrCall"))
        field = EntryField::Call;
    else if (item == QLatin1String("txtSField1"))
        field = EntryField::Class;
    else if (item == QLatin1String("txtSField2"))
        field = EntryField::Section;
    if (field == EntryField::None)
        return;
    m_window.entry().setFieldText(field, value.toUpper());
    m_window.redrawEntry();
}
