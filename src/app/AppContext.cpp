#include "app/AppContext.h"

#include "keying/CwKeyer.h"
#include "keying/KeyingClock.h"
#include "log/BackupScheduler.h"
#include "log/Station.h"
#include "log/UtcOffsetCheck.h"
#include "rig/RigPoller.h"
#include "rig/SerialPort.h"
#include "settings/DataPaths.h"
#include "settings/WsjtxSettings.h"
#include "spots/SpotBoard.h"
#include "spots/SpotSession.h"
#include "sync/SiteClock.h"
#include "sync/StationSync.h"
#include "ui/CwWindows.h"
#include "ui/MainWindow.h"
#include "ui/PacketSpotWindow.h"
#include "ui/RigWindows.h"
#include "ui/SpotDisplays.h"
#include "ui/RttyLinkActions.h"
#include "ui/StationIdDialog.h"
#include "ui/StationSyncWindow.h"
#include "ui/StationViews.h"
#include "ui/VoiceActions.h"
#include "ui/WsjtxOptionsWindow.h"
#include "util/DataFolderLock.h"
#include "util/Dialogs.h"
#include "util/RttyLink.h"
#include "util/WsjtxListener.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>

AppContext::AppContext(Options options, Dialogs& dialogs, Clock& clock)
    : m_options(std::move(options)), m_dialogs(dialogs), m_clock(clock)
{
    if (!m_options.runStationId)
        m_options.runStationId = [](StationIdDialog& d) { return d.exec() == QDialog::Accepted; };
}

AppContext::~AppContext()
{
    // Windows go first: they hold references into the station.
    m_voice.reset();
    m_sync.reset();
    m_window.reset();
    m_cwKeyer.reset();
    m_wsjtx.reset();
    m_rtty.reset();
    m_rigPoller.reset();
    m_backups.reset();
    m_station.reset();
    m_lock.reset();
}

bool AppContext::start()
{
    m_lock = std::make_unique<DataFolderLock>(m_options.dataDir);
    if (!m_lock->tryLock()) {
        m_dialogs.message(m_lock->refusal() + QStringLiteral("  This copy will close now."),
                          QStringLiteral("Program Already Running"), Dialogs::Icon::Critical);
        m_lock.reset();
        return false;
    }

    const DataPaths paths = m_options.documentsRoot.isEmpty()
                                ? DataPaths::resolveForPlatform(m_options.dataDir, m_dialogs)
                                : DataPaths::resolve(m_options.dataDir, m_options.documentsRoot, m_dialogs);

    m_siteClock = std::make_unique<SiteClock>(m_clock);
    m_station = std::make_unique<Station>(paths, m_dialogs, *m_siteClock, m_options.userStore);
    // A missing or short preferences file leaves the defaults; the next save writes it whole.
    m_station->ReadPreferences();
    m_station->LoadSharedPreferences();

    // The poller belongs to the run, not to a window: the rig windows and the main window's
    // band and mode follow it, and only the program's end stops it.
    m_rigPoller = std::make_unique<RigPoller>(m_station->state(), paths.dataDir);
    m_window = std::make_unique<MainWindow>(*m_station, m_dialogs, *m_rigPoller);
    CheckUtcOffset(m_clock, m_station->state(), m_dialogs);
    m_window->fitToScreen();

    StationIdDialog setup(m_station->prefs(), m_window.get(), &m_dialogs);
    setup.setRules(m_station->rules());
    if (m_options.runStationId(setup)) {
        setup.applyTo(m_station->prefs());
        m_station->setRules(setup.rules());
        m_window->showStationIdentity();
        m_station->SavePref();
    }

    m_station->ensureLogFileExists();
    m_station->logbook().reload();

    m_backups = std::make_unique<BackupScheduler>(m_station->logbook(), m_station->prefs(), paths, m_clock, m_dialogs);
    startCwKeyer();
    // The voice keyer takes the main window's keys first and passes the rest to the CW keyer.
    m_voice = std::make_unique<VoiceActions>(*m_window, *m_station, *m_cwKeyer, m_dialogs, m_clock);
    m_window->rig().openAtStartup();
    m_window->loadBackupWindow(*m_backups);
    m_backups->setKeyboardCwWaiting([this] { return m_cwKeyer->keyboardCwWaiting(); });
    new StationViews(*m_window, *m_station, m_dialogs); // owned by the window
    m_rtty = std::make_unique<RttyLink>();
    new RttyLinkActions(*m_window, *m_station, *m_rtty, m_dialogs); // owned by the window
    startWsjtxListener();
    startSpotting();
    startSharing();
    return true;
}

void AppContext::startCwKeyer()
{
    m_keyingClock = std::make_unique<MonotonicKeyingClock>();
    m_cwKeyer = std::make_unique<CwKeyer>(m_options.dataDir, m_options.userStore, *m_keyingClock);
    EntryWorkflow& entry = m_window->entry();
    m_cwKeyer->hisCall = [&entry] { return entry.currentCall(); };
    m_cwKeyer->logContact = [&entry] { entry.Mains(); };
    QObject::connect(m_cwKeyer.get(), &CwKeyer::dialogShown, m_window.get(), &MainWindow::showKeyerMessage);
    // Told from the event loop, never from inside the key handling that found it.
    QObject::connect(
        m_cwKeyer.get(), &CwKeyer::setupFailed, m_window.get(),
        [this](const QString& text, const QString& title) { m_dialogs.message(text, title); }, Qt::QueuedConnection);
    m_window->setKeyer(m_cwKeyer.get());
    m_cwKeyer->LoadCWSettings();
    new CwWindows(*m_cwKeyer, m_dialogs, [this] { return m_station->prefs().ownCall.trimmed(); }, m_window.get());
}

void AppContext::startWsjtxListener()
{
    m_wsjtx = std::make_unique<WsjtxListener>();
    EntryWorkflow& entry = m_window->entry();
    // Queued: a refusal or a write failure may show a message box, never from inside the socket's slot.
    QObject::connect(
        m_wsjtx.get(), &WsjtxListener::qsoLogged, &entry,
        [&entry](const Wsjtx::QsoLogged& q) { entry.logDigitalContact(digitalContactFromWsjtx(q)); },
        Qt::QueuedConnection);
    QObject::connect(m_wsjtx.get(), &WsjtxListener::failed, &entry, &EntryWorkflow::showMessage, Qt::QueuedConnection);
    if (auto* options = m_window->findChild<QMenu*>(QStringLiteral("mnuOptions")))
        WsjtxOptionsWindow::addMenuItem(options, *m_wsjtx, m_station->userStore(), m_dialogs);
    m_wsjtx->apply(WsjtxSettings::load(m_station->userStore()));
}

void AppContext::startSpotting()
{
    m_spotBoard = std::make_unique<SpotBoard>(m_clock);
    m_spotBoard->setOwnCall(m_station->prefs().ownCall.trimmed());
    m_spotSession = std::make_unique<SpotSession>(*m_spotBoard);
    m_spotSession->tnc().port().setTable(m_rigPoller->port().table());
    ReadSpotSettings(m_options.dataDir + QStringLiteral("/PackSpot.txt"), m_spotSession->settings());
    m_spotSession->loadAgwAddress(m_station->userStore());
    // Queued: never a message box from inside a socket's or the timer's slot.
    QObject::connect(
        m_spotSession.get(), &SpotSession::message, m_window.get(),
        [this](const QString& text, const QString& title) { m_dialogs.message(text, title); }, Qt::QueuedConnection);
    auto* open = new QAction(QStringLiteral("&DX Spotting Setup...\tCtrl+D"), m_window.get());
    open->setObjectName(QStringLiteral("mnuPacketSpot"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    open->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(open, &QAction::triggered, m_window.get(), [this] { showSpotting(); });
    m_window->QWidget::addAction(open);
    if (auto* view = m_window->findChild<QMenu*>(QStringLiteral("mnuView")))
        view->addAction(open);

    auto* displays = new SpotDisplays(*m_window, *m_station, *m_spotBoard, *m_spotSession, *m_rigPoller, m_dialogs);
    QObject::connect(displays, &SpotDisplays::spottingWanted, m_window.get(), [this] { showSpotting(); });
    auto* map = new QAction(QStringLiteral("HF Spectrum &Map...\tCtrl+B"), m_window.get());
    map->setObjectName(QStringLiteral("mnuSpectrumMap"));
    map->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    map->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(map, &QAction::triggered, displays, &SpotDisplays::showSpectrumMap);
    m_window->QWidget::addAction(map);
    if (auto* view = m_window->findChild<QMenu*>(QStringLiteral("mnuView")))
        view->addAction(map);
}

void AppContext::startSharing()
{
    m_sync = std::make_unique<StationSync>(m_station->logbook(), m_options.dataDir, m_clock, *m_siteClock);
    OperatingState& state = m_station->state();
    const auto follow = [this, &state] { m_sync->setBandMode(state.band(), state.mode()); };
    QObject::connect(&state, &OperatingState::bandChanged, m_sync.get(), follow);
    QObject::connect(&state, &OperatingState::modeChanged, m_sync.get(), follow);
    follow();
    QObject::connect(m_sync.get(), &StationSync::warningChanged, m_window.get(),
                     [this](const QString& text) { m_window->statusBar()->showMessage(text); });
    // Queued: the failure comes from inside a network callback, where no dialog may run.
    QObject::connect(
        m_sync.get(), &StationSync::storeFailed, m_window.get(),
        [this](const QString& text) {
            m_dialogs.message(text, QStringLiteral("Contact Not Stored"), Dialogs::Icon::Critical);
        },
        Qt::QueuedConnection);
    if (auto* options = m_window->findChild<QMenu*>(QStringLiteral("mnuOptions")))
        StationSyncWindow::addMenuItem(options, *m_sync, m_station->userStore(), m_clock.utcNow().date().year());
}

void AppContext::showSpotting()
{
    // Made on first use and kept, so the source stays open while the window is hidden.
    if (!m_spotWindow) {
        m_spotWindow = new PacketSpotWindow(*m_spotSession, m_options.dataDir + QStringLiteral("/PackSpot.txt"),
                                            &m_station->userStore(), m_window.get());
        m_spotWindow->setWindowFlag(Qt::Window);
    }
    m_spotWindow->show();
    m_spotWindow->raise();
}
