#pragma once

#include "log/Frequency.h"

#include <QObject>
#include <QString>
#include <functional>

struct Preferences;

// The band, mode, frequency, UTC offset and operator that every new contact is stamped with.
// Band, mode, offset and operator live in the preferences (and are saved with them); the
// frequency lives only in memory. The rig poller calls BandFreqConversion and ModeSelection.
class OperatingState : public QObject {
    Q_OBJECT
public:
    explicit OperatingState(Preferences& prefs, QObject* parent = nullptr);

    QString band() const;
    QString mode() const;
    QString frequency() const { return m_frequency; }
    // The stored offset; one outside -12..+14 hours (a damaged or hand-edited file) gives the
    // computer's own instead, so no contact is dated days away.
    float utcOffset() const;
    void setComputedUtcOffset(std::function<float()> computed) { m_computedUtcOffset = std::move(computed); }
    QString operatorInitials() const;

    // Band and mode menus; an unknown label is ignored.
    void selectBand(const QString& band);
    void selectMode(const QString& mode);
    // Clicks on the band display: left goes to the next band, other buttons to the previous
    // one, wrapping between "SAT" and "160". The mode display cycles CW, DIG, PH.
    void nextBand();
    void previousBand();
    void nextMode();

    // A frequency from the rig: selects the band whose range holds it and keeps the
    // frequency text for the next contact.
    void BandFreqConversion(Frequency f);
    void BandFreqConversion(float mhz) { BandFreqConversion(Frequency::fromSingleMHz(mhz)); } // MHz
    // A mode from the rig, "PH", "CW" or "DIG"; anything else changes nothing.
    void ModeSelection(const QString& mode);
    // Emptied after each logging attempt so a contact carries only a fresh rig frequency.
    void clearFrequency();

    // False (and nothing changes) for an offset outside -12..+14 hours.
    bool setUtcOffset(float hours);
    void setOperatorInitials(const QString& initials);

signals:
    void bandChanged(const QString& band);
    void modeChanged(const QString& mode);
    void frequencyChanged(const QString& frequency);
    // A stored setting changed: the preferences file must be written.
    void preferencesChanged();

private:
    Preferences& m_prefs;
    QString m_frequency;
    std::function<float()> m_computedUtcOffset;
};
