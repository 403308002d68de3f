#include "app/AppContext.h"

#include "log/BackupScheduler.h"
#include "log/Station.h"
#include "log/UtcOffsetCheck.h"
#include "rig/RigPoller.h"
#include "settings/DataPaths.h"
#include "ui/MainWindow.h"
#include "ui/RigWindows.h"
#include "ui/StationIdDialog.h"
#include "util/DataFolderLock.h"
#include "util/Dialogs.h"

AppContext::AppContext(Options options, Dialogs& dialogs, Clock& clock)
    : m_options(std::move(options)), m_dialogs(dialogs), m_clock(clock)
{
    if (!m_options.runStationId)
        m_options.runStationId = [](StationIdDialog& d) { return d.exec() == QDialog::Accepted; };
}

AppContext::~AppContext()
{
    // Windows go first: they hold references into the station.
    m_window.reset();
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

    m_station = std::make_unique<Station>(paths, m_dialogs, m_clock, m_options.userStore);
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
    m_window->rig().openAtStartup();
    m_window->loadBackupWindow(*m_backups);
    return true;
}
