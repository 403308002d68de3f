#pragma once

#include <QWidget>
#include <functional>

class BandMapView;
class Clock;
class SpotStore;

// "HF Spectrum Map": the spot store over eleven bands at once, 160 m to 2 m.
class SpectrumMapWindow : public QWidget {
    Q_OBJECT
public:
    SpectrumMapWindow(const SpotStore& store, const Clock& clock, std::function<float()> utcOffsetHours,
                      QWidget* parent = nullptr);
    BandMapView* map() const { return m_map; }
    // BandMapLabelDisplay: redrawn while it is open and visible.
    void BandMapLabelDisplay();

private:
    BandMapView* m_map;
};
