#pragma once

#include "log/Frequency.h"
#include "ui/SpectrumMapWindow.h"

#include <QObject>
#include <QPointer>
#include <functional>

class BandMapView;
class Dialogs;
class MainWindow;
class RigPoller;
class SpotBoard;
class SpotListWidget;
class SpotSession;
class Station;

// The spots on the main window: the spot list or the band map strip (as the spotting window's
// display choice says; neither while no source is chosen), the spectrum map window, the own-call
// warning, and what a click on a spot does: its call into the entry box and the rig tuned.
class SpotDisplays : public QObject {
    Q_OBJECT
public:
    SpotDisplays(MainWindow& window, Station& station, SpotBoard& board, SpotSession& session, RigPoller& rig,
                 Dialogs& dialogs);

    // Shows the list, the strip or neither, and redraws the strip.
    void refreshMainDisplay();
    void showSpectrumMap();

    SpotListWidget* list() const { return m_list; }
    BandMapView* strip() const { return m_strip; }
    SpectrumMapWindow* spectrumMap() const { return m_spectrum; }

signals:
    // The spot list's caption was clicked: the spotting window is wanted.
    void spottingWanted();
    // A click asked the rig to go to a spot (only sent when a rig is selected).
    void tuneRequested(Frequency f);

private:
    void spotAdded();
    void redrawMaps();
    void putCallInEntry(const QString& call, bool tabOn);
    void labelPressed(int slot, Qt::MouseButton button);
    void tune(Frequency f);
    void markDupes();

    MainWindow& m_window;
    Station& m_station;
    SpotBoard& m_board;
    SpotSession& m_session;
    RigPoller& m_rig;
    Dialogs& m_dialogs;
    SpotListWidget* m_list;
    BandMapView* m_strip;
    QPointer<SpectrumMapWindow> m_spectrum;
};
