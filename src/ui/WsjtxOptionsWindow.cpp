#include "ui/WsjtxOptionsWindow.h"

#include "settings/WsjtxSettings.h"
#include "ui/WindowPlacement.h"
#include "util/Dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

WsjtxOptionsWindow::WsjtxOptionsWindow(WsjtxListener& listener, UserSettingsStore& store, Dialogs& dialogs,
                                       QWidget* parent)
    : QDialog(parent), m_listener(listener), m_store(store), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmWsjtxOptions"));
    setWindowTitle(QStringLiteral("WSJT-X Link"));
    const WsjtxListener::Settings s = listener.settings();
    m_enabled = new QCheckBox(QStringLiteral("&Log the contacts WSJT-X reports"), this);
    m_enabled->setObjectName(QStringLiteral("chkListen"));
    m_enabled->setChecked(s.enabled);
    m_address = new QLineEdit(s.address, this);
    m_address->setObjectName(QStringLiteral("txtAddress"));
    m_port = new QLineEdit(QString::number(s.port), this);
    m_port->setObjectName(QStringLiteral("txtPort"));
    m_group = new QLineEdit(s.multicastGroup, this);
    m_group->setObjectName(QStringLiteral("txtMulticastGroup"));
    m_group->setPlaceholderText(QStringLiteral("none (e.g. 239.255.0.1)"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));

    auto* form = new QFormLayout;
    form->addRow(m_enabled);
    form->addRow(QStringLiteral("&Address:"), m_address);
    form->addRow(QStringLiteral("&Port:"), m_port);
    form->addRow(QStringLiteral("&Multicast group:"), m_group);
    auto* note = new QLabel(QStringLiteral("In WSJT-X: Settings > Reporting > UDP Server, the same address and port, "
                                           "with \"Accept UDP requests\" as you like. Put the received exchange "
                                           "(\"2A EMA\") in the log window's Exch Rcvd or Comments."),
                            this);
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* done = buttons->addButton(QStringLiteral("&Done"), QDialogButtonBox::AcceptRole);
    done->setObjectName(QStringLiteral("cmdDone"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (applyEntered())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
    showStatus();
    centreSecondaryWindow(this);
}

void WsjtxOptionsWindow::addMenuItem(QMenu* options, WsjtxListener& listener, UserSettingsStore& store,
                                     Dialogs& dialogs)
{
    QAction* a = options->addAction(QStringLiteral("WSJT-X &Link..."));
    a->setObjectName(QStringLiteral("mnuWsjtx"));
    QObject::connect(a, &QAction::triggered, options, [options, &listener, &store, &dialogs] {
        WsjtxOptionsWindow w(listener, store, dialogs, options->parentWidget());
        w.exec();
    });
}

WsjtxListener::Settings WsjtxOptionsWindow::enteredSettings() const
{
    WsjtxListener::Settings s;
    s.enabled = m_enabled->isChecked();
    s.address = m_address->text().trimmed();
    s.port = static_cast<quint16>(m_port->text().trimmed().toUInt());
    s.multicastGroup = m_group->text().trimmed();
    return s;
}

bool WsjtxOptionsWindow::applyEntered()
{
    bool ok = false;
    const uint port = m_port->text().trimmed().toUInt(&ok);
    if (!ok || port < 1 || port > 65535) {
        m_dialogs.message(QStringLiteral("The port must be a number from 1 to 65535."), QStringLiteral("WSJT-X Link"),
                          Dialogs::Icon::Warning);
        return false;
    }
    const WsjtxListener::Settings s = enteredSettings();
    QString failure;
    const auto c = connect(&m_listener, &WsjtxListener::failed, this, [&failure](const QString& t) { failure = t; });
    const bool started = m_listener.apply(s);
    disconnect(c);
    showStatus();
    if (!started) {
        m_dialogs.message(failure, QStringLiteral("WSJT-X Link"), Dialogs::Icon::Warning);
        return false;
    }
    WsjtxSettings::save(m_store, s);
    return true;
}

void WsjtxOptionsWindow::showStatus()
{
    const WsjtxListener::Settings& s = m_listener.settings();
    if (!m_listener.listening())
        m_status->setText(QStringLiteral("Not listening."));
    else
        m_status->setText(QStringLiteral("Listening on %1 port %2.")
                              .arg(s.multicastGroup.isEmpty() ? s.address : s.multicastGroup)
                              .arg(m_listener.boundPort()));
}
