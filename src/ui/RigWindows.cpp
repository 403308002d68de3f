#include "ui/RigWindows.h"

#include "log/Station.h"
#include "rig/RigPoller.h"
#include "ui/RigSetupWindow.h"
#include "ui/RigTuneWindow.h"

#include <QKeySequence>
#include <QShortcut>

RigWindows::RigWindows(Station& station, Dialogs& dialogs, QWidget* parent)
    : QObject(parent), m_station(station), m_dialogs(dialogs), m_parent(parent)
{
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
        m_rigControl = new RigSetupWindow(m_station, m_dialogs, m_parent);
    return *m_rigControl;
}

RigPoller& RigWindows::poller()
{
    return rigControl().poller();
}

void RigWindows::showRigControl()
{
    rigControl().show();
    rigControl().raise();
    rigControl().activateWindow();
}

void RigWindows::showRigTune()
{
    if (!m_tune)
        m_tune = new RigTuneWindow(poller(), m_parent);
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

void RigWindows::ChangeFrequency(float mhz)
{
    poller().ChangeFrequency(mhz);
}

void RigWindows::ChangeMode(float mhz, const QString& mode)
{
    poller().ChangeMode(mhz, mode);
}
