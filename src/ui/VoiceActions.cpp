#include "ui/VoiceActions.h"

#include "audio/QtWavePlayer.h"
#include "audio/WaveRecorder.h"
#include "entry/EntryWorkflow.h"
#include "keying/CwKeyer.h"
#include "keying/KeyerPortSharing.h"
#include "keying/VoiceKeyer.h"
#include "keying/VoicePrompter.h"
#include "log/Station.h"
#include "ui/MainWindow.h"
#include "ui/PhoneSetupWindow.h"
#include "ui/VoiceNavigationWindow.h"
#include "util/Dialogs.h"

#include <QAction>
#include <QMenu>

VoiceActions::VoiceActions(MainWindow& window, Station& station, CwKeyer& cw, Dialogs& dialogs, Clock& clock)
    : m_window(window), m_station(station), m_cw(cw), m_dialogs(dialogs),
      m_messagePlayer(std::make_unique<QtWavePlayer>()), m_promptPlayer(std::make_unique<QtWavePlayer>()),
      m_recorder(std::make_unique<WaveRecorder>())
{
    const QString dataDir = station.paths().dataDir;
    m_keyer = std::make_unique<VoiceKeyer>(dataDir, *m_messagePlayer, clock);
    m_prompter = std::make_unique<VoicePrompter>(dataDir, *m_promptPlayer);

    m_keyer->next = &cw;
    window.setKeyer(m_keyer.get());
    KeyerPortSharing::join(*m_keyer, cw);
    // Told from the event loop, never from inside the key handling that found it.
    connect(
        m_keyer.get(), &VoiceKeyer::setupFailed, this,
        [this](const QString& text, const QString& title) {
            m_dialogs.beep();
            m_dialogs.message(text, title);
            if (!m_phoneWindow || !m_phoneWindow->isVisible())
                showPhoneSetup();
        },
        Qt::QueuedConnection);
    m_keyer->loadSettings();

    window.entry().audioPrompt = [this](const QString& name) {
        m_prompter->entryPrompt(name, m_station.prefs().voiceNavigation);
    };

    auto* phone = new QAction(QStringLiteral("&Phone Setup...\tCtrl+P"), &window);
    phone->setObjectName(QStringLiteral("mnuPhone"));
    phone->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    phone->setShortcutContext(Qt::WindowShortcut);
    connect(phone, &QAction::triggered, this, &VoiceActions::showPhoneSetup);
    auto* nav = new QAction(QStringLiteral("&Voice Navigation..."), &window);
    nav->setObjectName(QStringLiteral("mnuBlind"));
    connect(nav, &QAction::triggered, this, &VoiceActions::showVoiceNavigation);
    window.QWidget::addAction(phone);
    if (auto* options = window.findChild<QMenu*>(QStringLiteral("mnuOptions"))) {
        options->addAction(phone);
        options->addAction(nav);
    }
}

VoiceActions::~VoiceActions()
{
    // The main window and the CW keyer stay a little longer: nothing of ours may be reached.
    m_window.entry().audioPrompt = nullptr;
    m_window.setKeyer(&m_cw);
    KeyerPortSharing::leave(*m_keyer, m_cw);
    m_keyer.reset();
    m_prompter.reset();
}

void VoiceActions::showPhoneSetup()
{
    if (!m_phoneWindow)
        m_phoneWindow = new PhoneSetupWindow(*m_keyer, *m_recorder, m_dialogs, &m_window);
    m_phoneWindow->showSettings();
    m_phoneWindow->show();
    m_phoneWindow->raise();
}

void VoiceActions::showVoiceNavigation()
{
    if (!m_navWindow)
        m_navWindow = new VoiceNavigationWindow(m_station, *m_prompter, &m_window);
    m_navWindow->show();
    m_navWindow->raise();
}
