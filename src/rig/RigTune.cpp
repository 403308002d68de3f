#include "rig/RigTune.h"

#include "rig/RigPoller.h"

#include <array>
#include <cmath>

namespace {
struct StepRow {
    qint64 hz;
    const char* caption;
};
constexpr std::array<StepRow, 10> kStepRows{{
    {10, "10 Hz"},
    {-10, "10 Hz"},
    {1'000'000, "1 MHz"},
    {-1'000'000, "1 MHz"},
    {5'000, "5 kHz"},
    {-5'000, "5 kHz"},
    {1'000, "1 kHz"},
    {-1'000, "1 kHz"},
    {100, "100 Hz"},
    {-100, "100 Hz"},
}};
constexpr std::array<qint64, 16> kBandPresetsKHz{1900,  3750,  5368,  7150,   10130,  14175,  18118,  21225,
                                                 24940, 28500, 52000, 146000, 223500, 435000, 915000, 1270000};
constexpr std::array<StepRow, 5> kScanRows{{
    {500, "500 Hz"},
    {100, "100 Hz"},
    {30, "30 Hz"},
    {10, "10 Hz"},
    {2'500, "2.5 kHz"},
}};

// The scan shows five decimals: it steps on what is shown, to the nearest 10 Hz.
qint64 toTens(Frequency f)
{
    return f.hz >= 0 ? (f.hz + 5) / 10 * 10 : -((-f.hz + 5) / 10 * 10);
}
} // namespace

qint64 RigTune::stepHz(int index)
{
    return index >= 0 && index < kSteps ? kStepRows[index].hz : 0;
}

QString RigTune::stepCaption(int index)
{
    return index >= 0 && index < kSteps ? QString::fromLatin1(kStepRows[index].caption) : QString();
}

Frequency RigTune::bandPreset(int index)
{
    return index >= 0 && index < kBands ? Frequency::fromHz(kBandPresetsKHz[index] * 1000) : Frequency{};
}

qint64 RigTune::scanStepHz(int option)
{
    return option >= 1 && option <= kScanSteps ? kScanRows[option - 1].hz : 0;
}

QString RigTune::scanStepCaption(int option)
{
    return option >= 1 && option <= kScanSteps ? QString::fromLatin1(kScanRows[option - 1].caption) : QString();
}

std::optional<Frequency> RigTune::numeric(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::abs(v) > 1e6)
        return std::nullopt;
    return Frequency::fromMHz(v);
}

bool RigTune::keyPasses(QChar c)
{
    const ushort u = c.unicode();
    return u == 8 || (u >= 46 && u <= 57);
}

void RigTune::go(const QString& text)
{
    const auto f = numeric(text);
    if (!f || !f->isValid() || m_poller.settings().rigType == QLatin1String(RigCatalog::kNone))
        return;
    m_poller.ChangeFrequency(*f);
}

std::optional<QString> RigTune::step(const QString& text, int index)
{
    const auto f = numeric(text);
    if (!f || f->hz + stepHz(index) <= 0)
        return std::nullopt;
    const QString next = Frequency::fromHz(f->hz + stepHz(index)).toShortMHzText();
    go(next);
    return next;
}

QString RigTune::scanText(Frequency f)
{
    QString s = f.toReadout();
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
    // Landing on the top edge as shown still counts as inside it.
    qint64 f = toTens(*f0) + scanStepHz(option);
    if (f > toTens(*hi))
        f = toTens(*lo);
    if (f <= 0)
        return std::nullopt;
    const QString text = scanText(Frequency::fromHz(f));
    go(text);
    return text;
}

void RigTune::setMode(const QString& mode)
{
    m_poller.ChangeMode(Frequency{}, mode);
}
