#include "rig/RigTune.h"

#include "rig/RigFrames.h"
#include "rig/RigPoller.h"

#include <array>
#include <cmath>

namespace {
struct StepRow {
    double mhz;
    const char* caption;
};
constexpr std::array<StepRow, 10> kStepRows{{
    {0.00001, "10 Hz"},
    {-0.00001, "10 Hz"},
    {1, "1 MHz"},
    {-1, "1 MHz"},
    {0.005, "5 KHz"},
    {-0.005, "5 KHz"},
    {0.001, "1 KHz"},
    {-0.001, "1 KHz"},
    {0.0001, "100 Hz"},
    {-0.0001, "100 Hz"},
}};
constexpr std::array<double, 16> kBandPresets{1.9,   3.75, 5.368, 7.15, 10.13, 14.175, 18.118, 21.225,
                                              24.94, 28.5, 52,    146,  223.5, 435,    915,    1270};
constexpr std::array<StepRow, 5> kScanRows{{
    {0.0005, "500 Hz"},
    {0.0001, "100 Hz"},
    {0.00003, "30 Hz"},
    {0.00001, "10 Hz"},
    {0.0025, "2.5 KHz"},
}};
} // namespace

double RigTune::stepMHz(int index)
{
    return index >= 0 && index < kSteps ? kStepRows[index].mhz : 0;
}

QString RigTune::stepCaption(int index)
{
    return index >= 0 && index < kSteps ? QString::fromLatin1(kStepRows[index].caption) : QString();
}

double RigTune::bandPresetMHz(int index)
{
    return index >= 0 && index < kBands ? kBandPresets[index] : 0;
}

double RigTune::scanStepMHz(int option)
{
    return option >= 1 && option <= kScanSteps ? kScanRows[option - 1].mhz : 0;
}

QString RigTune::scanStepCaption(int option)
{
    return option >= 1 && option <= kScanSteps ? QString::fromLatin1(kScanRows[option - 1].caption) : QString();
}

std::optional<float> RigTune::numeric(const QString& text)
{
    bool ok = false;
    const float v = text.trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool RigTune::keyPasses(QChar c)
{
    const ushort u = c.unicode();
    return u == 8 || (u >= 46 && u <= 57);
}

void RigTune::go(const QString& text)
{
    const auto f = numeric(text);
    if (!f || m_poller.settings().rigType == QLatin1String(RigCatalog::kNone))
        return;
    m_poller.ChangeFrequency(Frequency::fromSingleMHz(*f));
}

std::optional<QString> RigTune::step(const QString& text, int index)
{
    const auto f = numeric(text);
    if (!f)
        return std::nullopt;
    const QString next = RigFrames::decimalText(*f + static_cast<float>(stepMHz(index)));
    go(next);
    return next;
}

QString RigTune::scanText(double mhz)
{
    QString s = QString::number(mhz, 'f', 5);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    return s;
}

std::optional<QString> RigTune::scanTick(const QString& current, const QString& from, const QString& to, int option)
{
    const auto f0 = numeric(current);
    const auto lo = numeric(from);
    const auto hi = numeric(to);
    if (!f0 || !lo || !hi)
        return std::nullopt;
    // Rounded to the display's five decimals so that landing on the top edge still counts as
    // inside it.
    auto round5 = [](double v) { return std::round(v * 1e5) / 1e5; };
    double f = round5(RigFrames::decimalText(*f0).toDouble() + scanStepMHz(option));
    if (f > round5(RigFrames::decimalText(*hi).toDouble()))
        f = round5(RigFrames::decimalText(*lo).toDouble());
    const QString text = scanText(f);
    go(text);
    return text;
}

void RigTune::setMode(const QString& mode)
{
    m_poller.ChangeMode(Frequency{}, mode);
}
