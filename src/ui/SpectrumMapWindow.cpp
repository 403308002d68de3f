#include "ui/SpectrumMapWindow.h"

#include "ui/BandMapView.h"

#include <QVBoxLayout>

SpectrumMapWindow::SpectrumMapWindow(const SpotStore& store, const Clock& clock, std::function<float()> utcOffsetHours,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("SpectrumMap"));
    setWindowTitle(QStringLiteral("HF Spectrum Map"));
    m_map = new BandMapView(store, clock, std::move(utcOffsetHours), this);
    m_map->setObjectName(QStringLiteral("SpectrumMapView"));
    static const char* const kNames[] = {"160", "80", "40", "30", "20", "17", "15", "12", "10", "6", "2"};
    std::vector<std::pair<QString, BandMap::Range>> bands;
    for (size_t i = 0; i < BandMap::spectrumRows().size(); ++i)
        bands.emplace_back(QLatin1String(kNames[i]), BandMap::spectrumRows()[i]);
    m_map->setBands(bands);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_map);
    resize(800, 11 * 44);
}

void SpectrumMapWindow::BandMapLabelDisplay()
{
    if (isVisible())
        m_map->redraw();
}
