#include "ui/StationViews.h"

#include "log/SectionTable.h"
#include "log/Station.h"
#include "reports/StationStats.h"
#include "ui/BandPlanWindow.h"
#include "ui/MainWindow.h"
#include "ui/ScoreboardWindow.h"
#include "ui/SectionMapWidget.h"
#include "ui/StatisticsWindows.h"

#include <QColorDialog>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QVBoxLayout>

StationViews::StationViews(MainWindow& window, Station& station, Dialogs& dialogs)
    : QObject(&window), m_window(window), m_station(station), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("stationViews"));
    buildMenu();
    auto* bandPlan = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), &window);
    connect(bandPlan, &QShortcut::activated, this, &StationViews::showBandPlan);
    // The totals show while the pointer rests on a section label of the main window's grid.
    connect(&window, &MainWindow::sectionPointedAt, this, &StationViews::showSectionTotals);
}

void StationViews::buildMenu()
{
    QMenuBar* bar = m_window.menuBar();
    QMenu* help = m_window.findChild<QMenu*>(QStringLiteral("mnuHelp"));
    QMenu* view = new QMenu(QStringLiteral("&View"), bar);
    view->setObjectName(QStringLiteral("mnuView"));
    bar->insertMenu(help ? help->menuAction() : nullptr, view);
    const auto add = [this](QMenu* menu, const char* name, const QString& text, void (StationViews::*slot)()) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
    };
    add(view, "mnuOperatorStats", QStringLiteral("Contacts by &Operator"), &StationViews::showOperatorView);
    add(view, "mnuGraph", QStringLiteral("Activity &Graph"), &StationViews::showActivityGraph);
    add(view, "mnuBandPlan", QStringLiteral("Frequency &Privileges\tCtrl+F"), &StationViews::showBandPlan);
    add(view, "mnuSectionMap", QStringLiteral("Section &Map"), &StationViews::showSectionMap);
    add(view, "mnuScoreboard", QStringLiteral("&Scoreboard (Full Screen)"), &StationViews::showScoreboard);
    view->addSeparator();
    add(view, "mnuColors", QStringLiteral("Section &Colors..."), &StationViews::showSectionColours);
    if (help)
        add(help, "mnuHelpPage", QStringLiteral("&Help Page"), &StationViews::showHelp);
}

void StationViews::showSectionTotals(const QString& abbr)
{
    // Through the entry's message line, so the next redraw of the entry keeps it.
    const SectionTable& table = m_station.log().sections();
    const int i = table.indexOf(abbr);
    const QString name = i >= 0 ? table.at(i).name : abbr;
    m_window.entry().showNote(StationStats::sectionTotalsText(m_station.log(), abbr, name));
}

void StationViews::showOperatorView()
{
    if (!m_operators)
        m_operators = new OperatorViewWindow(m_station.log(), &m_window);
    m_operators->fill();
    m_operators->show();
    m_operators->raise();
}

void StationViews::showActivityGraph()
{
    if (!m_graph)
        m_graph = new ActivityGraphWindow(m_station.log(), m_dialogs, &m_window);
    m_graph->fill();
    m_graph->show();
    m_graph->raise();
}

void StationViews::showSectionColours()
{
    if (!m_colours) {
        m_colours = new SectionColoursWindow(
            m_station.prefs(), [this](const QColor& start) { return QColorDialog::getColor(start, m_colours); },
            &m_window);
        connect(m_colours, &SectionColoursWindow::coloursChanged, this, [this] {
            m_station.SavePref();
            m_window.refreshFromLog();
        });
    }
    m_colours->show();
    m_colours->raise();
}

void StationViews::showHelp()
{
    if (!m_help)
        m_help = new HelpWindow(m_station.paths().dataDir, &m_window);
    m_help->show();
    m_help->raise();
}

void StationViews::showBandPlan()
{
    if (!m_bandPlan)
        m_bandPlan = new BandPlanWindow(m_station.paths().dataDir, m_dialogs, &m_window);
    if (m_bandPlan->load()) {
        m_bandPlan->show();
        m_bandPlan->raise();
    }
}

void StationViews::showSectionMap()
{
    if (!m_map) {
        m_map = new QWidget(&m_window, Qt::Window);
        m_map->setObjectName(QStringLiteral("frmMap"));
        m_map->setWindowTitle(QStringLiteral("Sections Worked"));
        auto* layout = new QVBoxLayout(m_map);
        layout->addWidget(new SectionMapWidget(m_station.log(), m_map));
        m_map->resize(760, 460);
    }
    m_map->findChild<SectionMapWidget*>()->refresh();
    m_map->show();
    m_map->raise();
}

void StationViews::showScoreboard()
{
    if (!m_scoreboard)
        m_scoreboard = new ScoreboardWindow(m_station, &m_window);
    m_scoreboard->refresh();
    m_scoreboard->showFullScreen();
}
