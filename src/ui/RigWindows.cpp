#include "ui/RigWindows.h"

#include "log/Station.h"
#include "rig/RigPoller.h"
#include "ui/RigSetupWindow.h"
#include "ui/RigTuneWindow.h"
#include "ui/WindowPlacement.h"
#include "util/Dialogs.h"

#include <QKeySequence>
#include <QShortcut>
#include <QTimer>

RigWindows::RigWindows(Station& station, RigPoller& poller, Dialogs& dialogs, QWidget* parent)
    : QObject(parent), m_station(station), m_poller(poller), m_dialogs(dialogs), m_parent(parent)
{
    // The poller reports from its timers; a modal box opened there would run a nested event
    // loop inside the poll. The message waits until the poller's slot has returned.
    connect(&m_poller, &RigPoller::failed, this, [this](const QString& text, const QString& title, Dialogs::Icon icon) {
        QTimer::singleShot(0, this, [this, text, title, icon] { m_dialogs.message(text, title, icon); });
    });
}

RigWindows::~RigWindows() = default;

void RigWindows::installShortcuts(QWidget* mainWindow)
{
    auto* r = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), mainWindow);
    connect(r, &QShortcut::activated, this, &RigWindows::showRigControl);
    auto* g = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), mainWindow);
    connect(g, &QShortcut::activated, this, &RigWindows::showRigTune);
}

RigSetupWindow& RigWindows::rigControl()
{
    if (!m_rigControl)
        m_rigControl = new RigSetupWindow(m_station, m_poller, m_dialogs, m_parent);
    return *m_rigControl;
}

RigPoller& RigWindows::poller()
{
    return m_poller;
}

void RigWindows::showRigControl()
{
    if (!rigControl().isVisible())
        centreOver(&rigControl(), m_parent);
    rigControl().show();
    rigControl().raise();
    rigControl().activateWindow();
}

void RigWindows::showRigTune()
{
    if (!m_tune)
        m_tune = new RigTuneWindow(poller(), m_parent);
    m_tune->showFieldDayBandsOnly(m_station.rules() == RulesEdition::FieldDay2025);
    if (!m_tune->isVisible())
        centreOver(m_tune, m_parent);
    m_tune->show();
    m_tune->raise();
    m_tune->activateWindow();
}

void RigWindows::openAtStartup()
{
    if (m_station.prefs().rigType == QLatin1String("None") || m_station.prefs().rigType.isEmpty())
        return;
    rigControl().test();
}

void RigWindows::shutdown()
{
    if (m_rigControl)
        m_rigControl->shutdown();
}

void RigWindows::ChangeFrequency(Frequency f)
{
    poller().ChangeFrequency(f);
}

void RigWindows::ChangeMode(Frequency f, const QString& mode)
{
    poller().ChangeMode(f, mode);
}
