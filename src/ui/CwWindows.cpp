#include "ui/CwWindows.h"

#include "keying/CwKeyer.h"
#include "keying/WinKeyClient.h"
#include "ui/CodePracticeWindow.h"
#include "ui/CwSetupWindow.h"
#include "ui/CwStringsPanel.h"
#include "ui/WinKeyWindow.h"
#include "util/Dialogs.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QTimer>

namespace {
bool isWindowShortcut(const QKeyEvent& e)
{
    return e.modifiers() == Qt::ControlModifier &&
           (e.key() == Qt::Key_W || e.key() == Qt::Key_C || e.key() == Qt::Key_S);
}
} // namespace

CwWindows::CwWindows(CwKeyer& keyer, Dialogs& dialogs, std::function<QString()> ownCall, QWidget* mainWindow)
    : QObject(mainWindow), m_keyer(keyer), m_dialogs(dialogs), m_ownCall(std::move(ownCall)), m_main(mainWindow)
{
    const auto shortcut = [this](int key, void (CwWindows::*show)()) {
        auto* s = new QShortcut(QKeySequence(Qt::CTRL | key), m_main);
        connect(s, &QShortcut::activated, this, show);
    };
    shortcut(Qt::Key_W, &CwWindows::showStrings);
    shortcut(Qt::Key_C, &CwWindows::showSetup);
    shortcut(Qt::Key_S, &CwWindows::showSetup);
    // The entry fields would take Ctrl+C as Copy before the window saw it.
    for (QLineEdit* edit : m_main->findChildren<QLineEdit*>())
        edit->installEventFilter(this);
    if (auto* menu = m_main->findChild<QMenu*>(QStringLiteral("mnuOptions"))) {
        QAction* setupItem = menu->addAction(QStringLiteral("&CW Setup...\tCtrl+C"));
        setupItem->setObjectName(QStringLiteral("mnuCWSetup"));
        connect(setupItem, &QAction::triggered, this, &CwWindows::showSetup);
        QAction* winKeyItem = menu->addAction(QStringLiteral("&WinKey Setup..."));
        winKeyItem->setObjectName(QStringLiteral("mnuWinKey"));
        connect(winKeyItem, &QAction::triggered, this, &CwWindows::showWinKey);
        QAction* practiceItem = menu->addAction(QStringLiteral("Code &Practice..."));
        practiceItem->setObjectName(QStringLiteral("mnuCodePractice"));
        connect(practiceItem, &QAction::triggered, this, &CwWindows::showCodePractice);
    }
    // Told from the event loop, never from inside the port poll that found it.
    connect(&m_keyer, &CwKeyer::winKeyOpened, this, [this](int result, int version) {
        if (result == WinKeyClient::AlreadyOpen || version > 0)
            return;
        const QString port = QString::number(m_keyer.winKeySettings().port);
        QTimer::singleShot(0, this, [this, port] {
            m_dialogs.message(QStringLiteral("Unable to establish connection with WinKey on com port %1.  Please check "
                                             "to make sure that you have specified the correct port and that the "
                                             "Winkey device is properly connected.")
                                  .arg(port),
                              QStringLiteral("Unable to establish connection with Winkey."));
        });
    });
}

bool CwWindows::eventFilter(QObject* watched, QEvent* event)
{
    // Left unaccepted, the override lets the window's shortcut have the key.
    if (event->type() == QEvent::ShortcutOverride && isWindowShortcut(*static_cast<QKeyEvent*>(event)))
        return true;
    return QObject::eventFilter(watched, event);
}

CwSetupWindow& CwWindows::setup()
{
    if (!m_setup) {
        m_setup = new CwSetupWindow(m_keyer, m_dialogs, m_main);
        connect(m_setup, &CwSetupWindow::showStringsMinimised, this, [this] { strings().showMinimized(); });
        connect(m_setup, &CwSetupWindow::configureWinKey, this, &CwWindows::showWinKey);
    }
    return *m_setup;
}

CwStringsPanel& CwWindows::strings()
{
    if (!m_strings)
        m_strings = new CwStringsPanel(m_keyer, m_main);
    return *m_strings;
}

WinKeyWindow& CwWindows::winKey()
{
    if (!m_winKey)
        m_winKey = new WinKeyWindow(m_keyer, m_dialogs, m_ownCall, m_main);
    return *m_winKey;
}

CodePracticeWindow& CwWindows::codePractice()
{
    if (!m_practice)
        m_practice = new CodePracticeWindow(m_keyer, m_main);
    return *m_practice;
}

void CwWindows::showCodePractice()
{
    showRestored(&codePractice());
}

void CwWindows::showRestored(QWidget* w)
{
    w->showNormal();
    w->raise();
    w->activateWindow();
}

void CwWindows::showSetup()
{
    showRestored(&setup());
}

void CwWindows::showStrings()
{
    showRestored(&strings());
}

void CwWindows::showWinKey()
{
    showRestored(&winKey());
}
