#include "keying/WinKeySettings.h"

#include "keying/SettingsLines.h"
#include "keying/WinKeyClient.h"

#include <QFile>
#include <QSaveFile>

namespace {

// WK.txt has always taken a line with an open quote as it stands.
std::optional<QString> value(QFile& f)
{
    return SettingsLines::value(f, true);
}

std::optional<int> number(QFile& f)
{
    return SettingsLines::number(f, true);
}

// The number the text reads as, as the numeric test of the field rules sees it.
std::optional<double> numeric(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

} // namespace

bool WinKeySettings::load(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    [&] {
        const std::optional<int> p = number(f);
        if (!p)
            return;
        port = *p;
        for (QString* t : {&wpm, &weight, &leadIn, &tail, &ratio}) {
            const std::optional<QString> v = value(f);
            if (!v)
                return;
            *t = *v;
        }
        if (const std::optional<int> v = number(f))
            pins = *v;
        else
            return;
        if (const std::optional<int> v = number(f))
            mode = *v;
    }();
    return true;
}

bool WinKeySettings::save(const QString& path) const
{
    QByteArray out = QByteArray::number(port) + "\r\n";
    for (const QString* t : {&wpm, &weight, &leadIn, &tail, &ratio})
        out += '"' + t->toLatin1() + "\"\r\n";
    out += QByteArray::number(pins) + "\r\n" + QByteArray::number(mode) + "\r\n";
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(out);
    return f.commit();
}

QString* WinKeySettings::text(Field field)
{
    switch (field) {
    case Field::Speed:
        return &wpm;
    case Field::Weight:
        return &weight;
    case Field::LeadIn:
        return &leadIn;
    case Field::Tail:
        return &tail;
    case Field::Ratio:
        break;
    }
    return &ratio;
}

void WinKeySettings::fieldLeft(Field field, WinKeyClient& keyer)
{
    const auto inRange = [](std::optional<double> v, double low, double high) { return v && *v >= low && *v <= high; };
    switch (field) {
    case Field::Speed: {
        const std::optional<double> v = numeric(wpm);
        if (!v)
            wpm = QStringLiteral("18");
        else if (inRange(v, 0, 99))
            keyer.setSpeed(int(*v));
        break;
    }
    case Field::Weight:
        if (inRange(numeric(weight), 0, 99))
            keyer.setWeight(int(*numeric(weight)));
        else
            weight = QStringLiteral("50");
        break;
    case Field::Ratio:
        if (inRange(numeric(ratio), 32, 67))
            keyer.setRatio(int(*numeric(ratio)));
        else
            ratio = QStringLiteral("50");
        break;
    case Field::LeadIn:
    case Field::Tail:
        if (numeric(leadIn) && numeric(tail))
            keyer.setLeadTail(int(*numeric(leadIn)), int(*numeric(tail)));
        else
            *text(field) = QStringLiteral("0");
        break;
    }
}

void WinKeySettings::applyAll(WinKeyClient& keyer)
{
    for (const Field f : {Field::Speed, Field::Weight, Field::LeadIn, Field::Ratio})
        fieldLeft(f, keyer);
    keyer.setPinConfig(pins);
    keyer.setMode(mode);
    keyer.setupSpeedPot(PotMinWpm, PotRangeWpm);
    keyer.readSpeedPot();
}

void WinKeySettings::resetToDefaults()
{
    const WinKeySettings defaults;
    weight = defaults.weight;
    leadIn = defaults.leadIn;
    tail = defaults.tail;
    ratio = defaults.ratio;
    pins = defaults.pins;
    mode = defaults.mode;
}
