#include "rig/RigFrames.h"

#include <QHash>

namespace RigFrames {

namespace {

int hexDigit(QChar c)
{
    const char ch = c.toUpper().toLatin1();
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

int hexPair(const QString& text, qsizetype at)
{
    if (at + 1 >= text.size())
        return -1;
    const int hi = hexDigit(text[at]);
    const int lo = hexDigit(text[at + 1]);
    return (hi < 0 || lo < 0) ? -1 : hi * 16 + lo;
}

QString digits(qint64 value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

// "0014025000" -> "0050021400": the pairs from the last to the first.
QString reversedPairs(const QString& d)
{
    QString out;
    for (qsizetype i = d.size() - 2; i >= 0; i -= 2)
        out += d.mid(i, 2);
    return out;
}

QString icomAddress(const QString& freqBox)
{
    return freqBox.mid(6, 2);
}

} // namespace

QByteArray HexPairsToBytes(const QString& hex)
{
    QByteArray out;
    for (qsizetype i = 0; i + 1 < hex.size(); i += 2) {
        const int v = hexPair(hex, i);
        out.append(static_cast<char>(v < 0 ? 0 : v));
    }
    return out;
}

QByteArray spacedHexToBytes(const QString& text, int maxBytes)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size() && (maxBytes < 0 || out.size() < maxBytes); i += 3) {
        const int v = hexPair(text, i);
        out.append(static_cast<char>(v < 0 ? 0 : v));
    }
    return out;
}

QString bytesToSpacedHex(const QByteArray& bytes)
{
    QStringList pairs;
    for (char b : bytes)
        pairs << QStringLiteral("%1").arg(static_cast<quint8>(b), 2, 16, QLatin1Char('0')).toUpper();
    return pairs.join(QLatin1Char(' '));
}

QByteArray frequencyFrame(RigFamily family, Frequency f, const QString& freqBox, int vfoFlag)
{
    using F = RigFamily;
    // Nothing a transceiver could be tuned to: no frame at all rather than a mangled one.
    const qint64 hz = f.hz;
    if (!(hz > 0 && hz < 100000 * qint64(1000000)))
        return {};
    const qint64 tens = (hz + 5) / 10;
    switch (family) {
    case F::Kenwood:
        return (freqBox.left(2) + digits(hz, 11) + QLatin1Char(';')).toLatin1();
    case F::Kenwood2:
        return (QLatin1String(vfoFlag == 1 ? "FB" : "FA") + digits(hz, 11) + QLatin1Char(';')).toLatin1();
    case F::Elecraft:
        return (QStringLiteral("FA") + digits(hz, 11) + QLatin1Char(';')).toLatin1();
    case F::YaesuFTdx9000:
        return (freqBox.left(2) + digits(hz, 8) + QLatin1Char(';')).toLatin1();
    case F::Icom:
    case F::OmniVI:
        return HexPairsToBytes(QStringLiteral("FEFE") + icomAddress(freqBox) + QStringLiteral("E005") +
                               reversedPairs(digits(hz, 10)) + QStringLiteral("FD"));
    case F::Icom735:
        // Four BCD bytes: eight digits of hertz, which end below 100 MHz.
        if (hz > 99999999)
            return {};
        return HexPairsToBytes(QStringLiteral("FEFE") + icomAddress(freqBox) + QStringLiteral("E005") +
                               reversedPairs(digits(hz, 8)) + QStringLiteral("FD"));
    case F::Yaesu:
        // Eight BCD digits of 10 Hz end below 1000 MHz; a longer number would tune elsewhere.
        if (tens > 99999999)
            return {};
        return HexPairsToBytes(digits(tens, 8) + QStringLiteral("01"));
    case F::Yaesu757:
    case F::Yaesu890:
    case F::Yaesu920:
    case F::Yaesu990:
    case F::Yaesu1000:
        if (tens > 99999999)
            return {};
        return HexPairsToBytes(reversedPairs(digits(tens, 8)) + QStringLiteral("0A"));
    case F::FrontPanel:
        return HexPairsToBytes(QStringLiteral("2A41") +
                               QStringLiteral("%1").arg(hz, 8, 16, QLatin1Char('0')).toUpper() + QStringLiteral("0D"));
    case F::Orion:
        // Set in whole hertz, as the radio reports it.
        return (QStringLiteral("*AF%1\r").arg(hz)).toLatin1();
    case F::Rigctld:
        return (QStringLiteral("F %1\n").arg(hz)).toLatin1();
    case F::None:
    case F::Pegasus:
    case F::Other:
        break;
    }
    return {};
}

int frequencyPauseMs(RigFamily family)
{
    switch (family) {
    case RigFamily::Elecraft:
        return 1000;
    case RigFamily::Icom:
    case RigFamily::Icom735:
        return 140;
    case RigFamily::OmniVI:
        return 140 + 220;
    case RigFamily::Yaesu1000:
        return 10;
    case RigFamily::Rigctld:
        return 0;
    default:
        return 205;
    }
}

std::optional<QByteArray> modeFrame(RigFamily family, const QString& mode, const QString& freqBox,
                                    const QString& modeBox)
{
    using F = RigFamily;
    struct Row {
        const char* mode;
        const char* kenwood;
        const char* ftdx;
        const char* yaesu;
        const char* block;
        const char* icom;
    };
    // Empty: no frame for that family.
    static constexpr Row rows[] = {
        {"LSB", "MD1;", "1;", "0000000007", "000000000C", "E00600FD"},
        {"USB", "MD2;", "2;", "0100000007", "000000010C", "E00601FD"},
        {"CW", "MD3;", "3;", "0200000007", "000000020C", "E00603FD"},
        {"CW-R", "", "7;", "", "000000030C", "E00607FD"},
        {"FM", "MD4;", "4;", "0800000007", "000000060C", "E00605FD"},
        {"AM", "MD5;", "5;", "0400000007", "000000040C", "E00602FD"},
        {"RTTY", "MD6;", "6;", "0A00000007", "000000080C", "E00604FD"},
        {"RTTY-R", "", "", "", "", "E00608FD"},
        {"FSK", "MD6;", "", "", "", ""},
        {"DIG", "", "", "0A00000007", "", ""},
        {"PKT", "", "", "0C00000007", "0000000A0C", ""},
    };
    const Row* row = nullptr;
    for (const Row& r : rows) {
        if (mode == QLatin1String(r.mode))
            row = &r;
    }
    if (!row)
        return std::nullopt;
    auto some = [](const char* s) { return s[0] != '\0'; };
    switch (family) {
    case F::Kenwood:
    case F::Kenwood2:
    case F::Elecraft:
        if (some(row->kenwood))
            return QByteArray(row->kenwood);
        break;
    case F::YaesuFTdx9000:
        if (some(row->ftdx))
            return (modeBox.left(3) + QLatin1String(row->ftdx)).toLatin1();
        break;
    case F::Yaesu:
        if (some(row->yaesu))
            return HexPairsToBytes(QLatin1String(row->yaesu));
        break;
    case F::Yaesu757:
    case F::Yaesu890:
    case F::Yaesu920:
    case F::Yaesu990:
    case F::Yaesu1000:
        if (some(row->block))
            return HexPairsToBytes(QLatin1String(row->block));
        break;
    case F::Icom:
    case F::OmniVI:
        if (some(row->icom))
            return HexPairsToBytes(QStringLiteral("FEFE") + icomAddress(freqBox) + QLatin1String(row->icom));
        break;
    case F::Rigctld: {
        const QString m = rigctldMode(mode);
        if (!m.isEmpty())
            return QStringLiteral("M %1 0\n").arg(m).toLatin1();
        break;
    }
    default:
        break;
    }
    return std::nullopt;
}

QList<QByteArray> pollCommands(RigFamily family, const QString& freqBox, const QString& modeBox, bool convertToHex,
                               int& toggle)
{
    using F = RigFamily;
    QList<QByteArray> out;
    auto alternate = [&](const QString& a, const QString& b) -> const QString& {
        const QString& pick = toggle == 0 ? a : b;
        toggle = toggle == 0 ? 1 : 0;
        return pick;
    };
    switch (family) {
    case F::Kenwood:
    case F::Kenwood2:
    case F::Elecraft:
        if (!freqBox.isEmpty())
            out << freqBox.toLatin1();
        if (!modeBox.isEmpty())
            out << modeBox.toLatin1();
        // Kenwoods since the TS-590 say USB for USB-DATA and tell the data part apart. Asked
        // first, so that its answer is in by the time the mode's answer is read.
        if (!out.isEmpty() && family != F::Elecraft)
            out.prepend(QByteArrayLiteral("DA;"));
        break;
    case F::Icom:
    case F::Icom735:
    case F::OmniVI: {
        const QString& box = alternate(freqBox, modeBox);
        if (box.size() >= 17)
            out << spacedHexToBytes(box, 6);
        break;
    }
    case F::Yaesu:
    case F::Yaesu757:
    case F::Yaesu890:
    case F::Yaesu920:
    case F::Yaesu990:
    case F::Yaesu1000:
        if (freqBox.size() >= 14)
            out << spacedHexToBytes(freqBox, 5);
        break;
    case F::YaesuFTdx9000: {
        const QString& box = alternate(freqBox, modeBox);
        if (box.size() >= 2)
            out << box.toLatin1();
        break;
    }
    case F::FrontPanel: {
        const QString& box = alternate(freqBox, modeBox);
        if (box.size() >= 7)
            out << spacedHexToBytes(box, 3);
        break;
    }
    case F::Orion:
        if (!freqBox.isEmpty())
            out << freqBox.toLatin1() + '\r';
        if (!modeBox.isEmpty())
            out << modeBox.toLatin1() + '\r';
        break;
    case F::Other:
        for (const QString* box : {&freqBox, &modeBox}) {
            if (!box->isEmpty())
                out << (convertToHex ? spacedHexToBytes(*box) : box->toLatin1());
        }
        break;
    case F::Rigctld:
        out << QByteArray("f\nm\n");
        break;
    case F::None:
    case F::Pegasus:
        break;
    }
    return out;
}

QByteArray yaesuOpenBytes()
{
    return QByteArray(5, '\0');
}

QByteArray yaesuCloseBytes()
{
    return QByteArray::fromHex("0000000080");
}

QByteArray orionStartBytes()
{
    return QByteArrayLiteral("X\r");
}

QByteArray pegasusInText(Frequency f, const QString& lastMode)
{
    return (f.toShortMHzText() + QStringLiteral("\r\n") + lastMode.trimmed() + QStringLiteral("\r\n")).toLatin1();
}

QString rigctldMode(const QString& mode)
{
    static const QHash<QString, QString> map{
        {"LSB", "LSB"},   {"USB", "USB"},      {"CW", "CW"},    {"CW-R", "CWR"},   {"AM", "AM"},      {"FM", "FM"},
        {"RTTY", "RTTY"}, {"RTTY-R", "RTTYR"}, {"FSK", "RTTY"}, {"DIG", "PKTUSB"}, {"PKT", "PKTUSB"},
    };
    return map.value(mode);
}

} // namespace RigFrames
