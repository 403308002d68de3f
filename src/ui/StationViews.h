#pragma once

#include <QObject>

class BandPlanWindow;
class ActivityGraphWindow;
class Dialogs;
class HelpWindow;
class MainWindow;
class OperatorViewWindow;
class SectionColoursWindow;
class ScoreboardWindow;
class SectionMapWidget;
class Station;

// The statistics and reference windows as the main window sees them: the View menu, the band
// plan key (Ctrl+F), the section totals under the pointer and the help page. Each window is
// created on first use and stays loaded.
class StationViews : public QObject {
    Q_OBJECT
public:
    StationViews(MainWindow& window, Station& station, Dialogs& dialogs);

    void showOperatorView();
    void showActivityGraph();
    void showSectionColours();
    void showHelp();
    void showBandPlan();
    void showSectionMap();
    void showScoreboard();

private:
    void showSectionTotals(const QString& abbr);
    void buildMenu();

    MainWindow& m_window;
    Station& m_station;
    Dialogs& m_dialogs;
    OperatorViewWindow* m_operators = nullptr;
    ActivityGraphWindow* m_graph = nullptr;
    SectionColoursWindow* m_colours = nullptr;
    HelpWindow* m_help = nullptr;
    BandPlanWindow* m_bandPlan = nullptr;
    QWidget* m_map = nullptr;
    ScoreboardWindow* m_scoreboard = nullptr;
};
