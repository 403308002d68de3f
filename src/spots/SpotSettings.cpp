#include "spots/SpotSettings.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <optional>

namespace {

// Splits at commas and line breaks outside double quotes; quoted fields lose their quotes.
QStringList fields(const QByteArray& text)
{
    QStringList out;
    QString cur;
    bool quoted = false;
    bool any = false;
    for (char ch : text) {
        const QChar c = QLatin1Char(ch);
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == QLatin1Char(',') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))) {
            if (any || !cur.trimmed().isEmpty() || c == QLatin1Char(','))
                out << cur.trimmed();
            cur.clear();
            any = false;
        } else {
            cur += c;
        }
    }
    if (any || !cur.trimmed().isEmpty())
        out << cur.trimmed();
    return out;
}

std::optional<int> number(const QString& s)
{
    bool ok = false;
    const int v = s.toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

QByteArray quoted(const QString& s)
{
    return '"' + s.toLatin1() + '"';
}

} // namespace

bool SpotSettings::parse(const QByteArray& text)
{
    const QStringList f = fields(text);
    QString* texts[] = {&baud, &parity, &dataBits, &stopBits};
    int i = 0;
    const auto have = [&] { return i < f.size(); };
    for (QString* t : texts) {
        if (!have())
            return false;
        *t = f[i++];
    }
    const auto takeNumber = [&](auto& field, int low, int high) {
        if (!have())
            return false;
        const auto v = number(f[i]);
        if (!v || *v < low || *v > high)
            return false;
        field = static_cast<std::remove_reference_t<decltype(field)>>(*v);
        ++i;
        return true;
    };
    if (!takeNumber(port, 0, 255) || !have())
        return false;
    powerLine = f[i++];
    if (!have())
        return false;
    source = f[i++];
    if (!takeNumber(convertToHex, -1, 1) || !takeNumber(handshaking, 0, 255) || !takeNumber(listDxOnly, -1, 1) ||
        !have())
        return false;
    const QString b = f[i].toUpper().remove(QLatin1Char('#'));
    if (b != QLatin1String("TRUE") && b != QLatin1String("FALSE") && b != QLatin1String("-1") &&
        b != QLatin1String("0"))
        return false;
    mainFormList = b == QLatin1String("TRUE") || b == QLatin1String("-1");
    ++i;
    QString* rest[] = {&tncCommandChar, &telnetPort, &telnetHost};
    for (QString* t : rest) {
        if (!have())
            return false;
        *t = f[i++];
    }
    return true;
}

QByteArray SpotSettings::format() const
{
    QByteArrayList f{quoted(baud),
                     quoted(parity),
                     quoted(dataBits),
                     quoted(stopBits),
                     QByteArray::number(port),
                     quoted(powerLine),
                     quoted(source),
                     QByteArray::number(convertToHex),
                     QByteArray::number(handshaking),
                     QByteArray::number(listDxOnly),
                     mainFormList ? "#TRUE#" : "#FALSE#",
                     quoted(tncCommandChar),
                     quoted(telnetPort),
                     quoted(telnetHost)};
    return f.join(',') + "\r\n";
}

bool ReadSpotSettings(const QString& path, SpotSettings& settings)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return settings.parse(file.read(64 * 1024));
}

bool SaveSpotSettings(const QString& path, const SpotSettings& settings)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(settings.format());
    return file.commit();
}
