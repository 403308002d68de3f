#pragma once

#include "spots/SpotStore.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

class Clock;

// One row of the main window's spot list: the call and seven columns (1 frequency in MHz,
// 4 spotter and comment, 5 and 7 the cluster's trailing text, 6 the spot's time).
struct SpotRow {
    QString call;
    QStringList columns; // seven entries, index 0 is column 1
    bool dupe = false;   // already worked on the current band and mode
};

// Where every recognised spot ends: the own-call warning, the 50-slot store for the band maps
// and the 200-row spot list, each row marked when its call is a dupe where the station is now.
class SpotBoard : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxRows = 200;

    explicit SpotBoard(const Clock& clock, QObject* parent = nullptr);

    void setOwnCall(const QString& call) { m_ownCall = call; }
    QString ownCall() const { return m_ownCall; }
    // Tells whether a call is already worked on the current band and mode.
    void setWorkedCheck(std::function<bool(const QString&)> worked) { m_worked = std::move(worked); }

    // A spot: warns when the call is the station's own, and when the frequency text (kHz) is a
    // number, stores it and adds a list row. True when it reached the store.
    bool BandMapSpots(const QString& call, const QString& frequencyKHz, const QString& record);
    // Marks the rows again, after the log, band or mode changed.
    void refreshDupes();

    const SpotStore& store() const { return m_store; }
    SpotStore& store() { return m_store; }
    const std::deque<SpotRow>& rows() const { return m_rows; } // newest first

    // The row for a record, columns as the list shows them.
    static SpotRow rowFor(const QString& call, Frequency frequency, const QString& record);
    static QString spottedDialogText() { return QStringLiteral("You've been spotted! "); }
    static QString spottedBoxText(const QString& record) { return QStringLiteral("You've been spotted!  ") + record; }

signals:
    // The station's own call was spotted: beep, and show the two texts above on white.
    void ownCallSpotted(const QString& record);
    // The store and the list changed: redraw the maps and the list.
    void spotAdded();

private:
    const Clock& m_clock;
    QString m_ownCall;
    std::function<bool(const QString&)> m_worked;
    SpotStore m_store;
    std::deque<SpotRow> m_rows;
};
