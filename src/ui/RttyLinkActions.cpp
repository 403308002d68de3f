#include "ui/RttyLinkActions.h"

#include "log/Station.h"
#include "ui/MainWindow.h"
#include "util/Dialogs.h"
#include "util/RttyLink.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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
    // In mode DIG the keys typed in the entry fields also go to the terminal.
    for (QLineEdit* field : window.findChildren<QLineEdit*>())
        field->installEventFilter(this);
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

int RttyLinkActions::terminalKeyCode(int key)
{
    if (key == Qt::Key_F10)
        return 124;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return 112 + (key - Qt::Key_F1);
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Space)
        return key; // Qt's codes for these are their ASCII capitals
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    default:
        return 0;
    }
}

bool RttyLinkActions::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || m_link.linkFlag() != 1 || m_station.state().mode() != QLatin1String("DIG"))
        return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int code = terminalKeyCode(key);
    if (code != 0)
        m_link.sendKeyCode(code);
    if (key == Qt::Key_F12) {
        m_keyboardRtty = !m_keyboardRtty;
        if (auto* status = m_window.findChild<QLabel*>(QStringLiteral("lblDialog"))) {
            QPalette p = status->palette();
            p.setColor(QPalette::Window, m_keyboardRtty ? QColor(255, 255, 192) : QColor(0, 192, 192));
            status->setAutoFillBackground(true);
            status->setPalette(p);
            status->setText(m_keyboardRtty ? QStringLiteral("Keyboard RTTY mode.  Press F12 to exit keyboard RTTY.")
                                           : QString());
        }
        return true;
    }
    // In keyboard RTTY mode the typing is for the terminal, not for the entry fields.
    return m_keyboardRtty || QObject::eventFilter(watched, event);
}
