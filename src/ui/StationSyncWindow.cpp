#include "ui/StationSyncWindow.h"

#include "settings/UserSettingsStore.h"
#include "sync/StationSync.h"
#include "sync/SyncSession.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

StationSyncWindow::StationSyncWindow(StationSync& sync, UserSettingsStore& store, int year, QWidget* parent)
    : QDialog(parent), m_sync(sync), m_store(store)
{
    setObjectName(QStringLiteral("frmStationSync"));
    setWindowTitle(QStringLiteral("Log Sharing"));
    const StationSync::Config c = StationSync::Config::load(store, year);
    const auto field = [this](const char* name, const QString& text) {
        auto* e = new QLineEdit(text, this);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    m_broker = field("txtBroker", c.broker);
    m_station = field("txtStation", c.station);
    m_user = field("txtUser", c.user);
    m_password = field("txtPassword", c.password);
    m_password->setEchoMode(QLineEdit::Password);
    m_event = field("txtEvent", c.event);
    m_master = new QCheckBox(QStringLiteral("This station is the &time master"), this);
    m_master->setObjectName(QStringLiteral("chkTimeMaster"));
    m_master->setChecked(c.timeMaster);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Broker (host:port):"), m_broker);
    form->addRow(QStringLiteral("&Station name:"), m_station);
    form->addRow(QStringLiteral("&User:"), m_user);
    form->addRow(QStringLiteral("&Password:"), m_password);
    form->addRow(QStringLiteral("&Event:"), m_event);
    form->addRow(m_master);

    m_connect = new QPushButton(QStringLiteral("&Connect"), this);
    m_connect->setObjectName(QStringLiteral("cmdConnect"));
    m_disconnect = new QPushButton(QStringLiteral("&Disconnect"), this);
    m_disconnect->setObjectName(QStringLiteral("cmdDisconnect"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_connect);
    buttons->addWidget(m_disconnect);
    buttons->addStretch();

    m_state = new QLabel(QStringLiteral("Not sharing."), this);
    m_state->setObjectName(QStringLiteral("lblState"));
    m_state->setWordWrap(true);
    m_offset = new QLabel(this);
    m_offset->setObjectName(QStringLiteral("lblClockOffset"));
    m_peers = new QTableWidget(0, 7, this);
    m_peers->setObjectName(QStringLiteral("lstStations"));
    m_peers->setHorizontalHeaderLabels({QStringLiteral("Station"), QStringLiteral("Band"), QStringLiteral("Mode"),
                                        QStringLiteral("Contacts"), QStringLiteral("Last Contact"),
                                        QStringLiteral("Clock (ms)"), QStringLiteral("Last Heard")});
    m_peers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_peers->horizontalHeader()->setStretchLastSection(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(m_state);
    layout->addWidget(m_offset);
    layout->addWidget(m_peers);

    connect(m_connect, &QPushButton::clicked, this, &StationSyncWindow::connectStation);
    connect(m_disconnect, &QPushButton::clicked, this, &StationSyncWindow::disconnectStation);
    connect(&m_sync, &StationSync::stateText, m_state, &QLabel::setText);
    connect(&m_sync, &StationSync::peersChanged, this, &StationSyncWindow::showPeers);
    connect(&m_sync, &StationSync::clockOffsetMeasured, this, &StationSyncWindow::showOffset);
}

void StationSyncWindow::addMenuItem(QMenu* options, StationSync& sync, UserSettingsStore& store, int year)
{
    QAction* a = options->addAction(QStringLiteral("&Log Sharing..."));
    a->setObjectName(QStringLiteral("mnuStationSync"));
    // Made on first use and kept (owned by the main window), so its table follows the session.
    QObject::connect(a, &QAction::triggered, options, [options, &sync, &store, year] {
        auto* window = options->parentWidget()->findChild<StationSyncWindow*>(QString(), Qt::FindDirectChildrenOnly);
        if (!window) {
            window = new StationSyncWindow(sync, store, year, options->parentWidget());
            window->setWindowFlag(Qt::Window);
        }
        window->show();
        window->raise();
    });
}

void StationSyncWindow::connectStation()
{
    StationSync::Config c;
    c.broker = m_broker->text().trimmed();
    c.station = m_station->text().trimmed().toUpper();
    c.user = m_user->text();
    c.password = m_password->text();
    c.event = m_event->text().trimmed();
    c.timeMaster = m_master->isChecked();
    c.save(m_store);
    m_offset->setText(c.timeMaster ? QStringLiteral("This station keeps the site's time.") : QString());
    QString error;
    if (!m_sync.start(c, &error))
        m_state->setText(error);
}

void StationSyncWindow::disconnectStation()
{
    m_sync.stop();
    m_state->setText(QStringLiteral("Not sharing."));
}

void StationSyncWindow::showOffset(qint64 ms)
{
    QString text = QStringLiteral("This clock is %1 ms %2 the time master's; contacts are stamped with the master's "
                                  "time.")
                       .arg(qAbs(ms))
                       .arg(ms >= 0 ? QStringLiteral("behind") : QStringLiteral("ahead of"));
    if (qAbs(ms) > 2000)
        text = QStringLiteral("WARNING: ") + text + QStringLiteral("  More than 2 s: check this computer's clock.");
    m_offset->setText(text);
}

void StationSyncWindow::showPeers()
{
    const SyncSession* s = m_sync.session();
    m_peers->setRowCount(0);
    if (!s)
        return;
    for (const auto& [name, p] : s->peers()) {
        const int row = m_peers->rowCount();
        m_peers->insertRow(row);
        const QStringList cells = {name,
                                   p.online ? p.band : QStringLiteral("(offline)"),
                                   p.mode,
                                   QString::number(p.contacts),
                                   p.lastCall,
                                   QString::number(p.offsetMs),
                                   p.lastHeard.toString(QStringLiteral("HH:mm:ss"))};
        for (int col = 0; col < cells.size(); ++col)
            m_peers->setItem(row, col, new QTableWidgetItem(cells[col]));
    }
}
