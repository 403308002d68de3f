#include "log/OperatingState.h"

#include "log/Bands.h"
#include "settings/Preferences.h"

OperatingState::OperatingState(Preferences& prefs, QObject* parent) : QObject(parent), m_prefs(prefs) {}

QString OperatingState::band() const
{
    return m_prefs.band;
}
QString OperatingState::mode() const
{
    return m_prefs.mode;
}
float OperatingState::utcOffset() const
{
    if (isUtcOffsetInRange(m_prefs.utcOffset))
        return m_prefs.utcOffset;
    return m_computedUtcOffset ? m_computedUtcOffset() : 0.0f;
}
QString OperatingState::operatorInitials() const
{
    return m_prefs.operatorInitials;
}

void OperatingState::selectBand(const QString& band)
{
    if (Bands::indexOf(band) < 0)
        return;
    m_prefs.band = band;
    emit bandChanged(band);
    emit preferencesChanged();
}

void OperatingState::selectMode(const QString& mode)
{
    if (!Bands::modes().contains(mode))
        return;
    m_prefs.mode = mode;
    emit modeChanged(mode);
    emit preferencesChanged();
}

void OperatingState::nextBand()
{
    const auto& l = Bands::labels();
    const int i = Bands::indexOf(band());
    selectBand(l[(i + 1) % l.size()]);
}

void OperatingState::previousBand()
{
    const auto& l = Bands::labels();
    const int i = Bands::indexOf(band());
    selectBand(l[(i <= 0 ? l.size() : i) - 1]);
}

void OperatingState::nextMode()
{
    const auto& m = Bands::modes();
    const int i = static_cast<int>(m.indexOf(mode()));
    selectMode(m[(i + 1) % m.size()]);
}

void OperatingState::BandFreqConversion(Frequency f)
{
    // The band bounds are singles; the frequency itself is shown from its hertz.
    const QString b = Bands::bandForFrequency(f.toSingleMHz());
    if (!b.isEmpty() && b != band())
        selectBand(b);
    m_frequency = f.toMHzText();
    emit frequencyChanged(m_frequency);
}

void OperatingState::ModeSelection(const QString& mode)
{
    if (mode.isEmpty() || mode == this->mode())
        return;
    if (mode == QLatin1String("PH") || mode == QLatin1String("CW") || mode == QLatin1String("DIG"))
        selectMode(mode);
}

void OperatingState::clearFrequency()
{
    if (m_frequency.isEmpty())
        return;
    m_frequency.clear();
    emit frequencyChanged(m_frequency);
}

bool OperatingState::setUtcOffset(float hours)
{
    if (!isUtcOffsetInRange(hours))
        return false;
    m_prefs.utcOffset = hours;
    emit preferencesChanged();
    return true;
}

void OperatingState::setOperatorInitials(const QString& initials)
{
    m_prefs.operatorInitials = initials;
    emit preferencesChanged();
}
