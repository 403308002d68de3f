#include "rig/RigParsers.h"

#include <QList>
#include <cmath>

namespace RigParsers {

namespace {

bool allDigits(const QByteArray& s)
{
    if (s.isEmpty())
        return false;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

std::optional<double> hexValue(const QByteArray& hexDigits)
{
    if (hexDigits.isEmpty())
        return std::nullopt;
    double v = 0;
    for (char c : hexDigits) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return std::nullopt;
        v = v * 16 + d;
    }
    return v;
}

QString cwOrPh(bool cw)
{
    return QLatin1String(cw ? "CW" : "PH");
}

void parseKenwood(const ParseContext& ctx, const QByteArray& b, RigReading& r)
{
    const QByteArray tag = ctx.freqBox.left(2).toLatin1();
    if (!tag.isEmpty()) {
        const qsizetype at = b.indexOf(tag);
        if (at >= 0 && b.size() >= at + tag.size() + 11) {
            const QByteArray d = b.mid(at + tag.size(), 11);
            if (allDigits(d))
                r.frequency = megahertz(d.toDouble());
        }
    }
    const qsizetype md = b.indexOf("MD");
    if (md >= 0 && md + 2 < b.size())
        r.mode = cwOrPh(b[md + 2] == '3' || b[md + 2] == '7');
}

void parseKenwood2(const QByteArray& b, RigReading& r)
{
    const qsizetype at = b.indexOf("IF");
    if (at < 0 || b.size() - at <= 12)
        return;
    const QByteArray d = b.mid(at + 2, 11);
    if (allDigits(d))
        r.frequency = megahertz(d.toDouble());
    if (at + 29 < b.size())
        r.mode = cwOrPh(b[at + 29] == '3');
    if (at + 30 < b.size() && (b[at + 30] == '0' || b[at + 30] == '1'))
        r.vfoFlag = b[at + 30] - '0';
}

// The FTdx9000 answers in the Kenwood manner with fewer digits: "FA14025000;", "MD03;".
void parseFtdx(const ParseContext& ctx, const QByteArray& b, RigReading& r)
{
    const qsizetype fa = b.indexOf("FA");
    if (fa >= 0) {
        const qsizetype end = b.indexOf(';', fa);
        const QByteArray d = end > 0 ? b.mid(fa + 2, end - fa - 2) : QByteArray();
        if (allDigits(d) && d.size() <= 11)
            r.frequency = megahertz(d.toDouble());
    }
    const QByteArray tag = ctx.modeBox.left(3).toLatin1();
    if (tag.size() == 3) {
        const qsizetype md = b.indexOf(tag);
        if (md >= 0 && md + 3 < b.size() && b[md + 3] != ';')
            r.mode = cwOrPh(b[md + 3] == '3' || b[md + 3] == '7');
    }
}

// CI-V: frames may come with our own request echoed in front (single-wire bus); an echo has
// no data bytes and is passed over.
void parseIcom(RigFamily family, const QByteArray& b, RigReading& r)
{
    enum { Idle, GotFirstFE, GotSecondFE, WaitForFD } state = Idle;
    int skip = 0;
    quint8 command = 0;
    QByteArray data;
    for (char ch : b) {
        const auto c = static_cast<quint8>(ch);
        switch (state) {
        case Idle:
            if (c == 0xFE)
                state = GotFirstFE;
            break;
        case GotFirstFE:
            if (c == 0xFE) {
                state = GotSecondFE;
                skip = 2;
            } else {
                state = Idle;
            }
            break;
        case GotSecondFE:
            if (skip > 0) {
                --skip;
                break;
            }
            if (c == 0x03 || c == 0x04) {
                command = c;
                data.clear();
                state = WaitForFD;
            } else {
                state = Idle;
            }
            break;
        case WaitForFD:
            if (c != 0xFD) {
                data.append(static_cast<char>(c));
                break;
            }
            state = Idle;
            if (data.isEmpty())
                break;
            if (command == 0x03) {
                QByteArray digits;
                bool bcd = true;
                for (char d : data) {
                    const auto v = static_cast<quint8>(d);
                    bcd = bcd && (v >> 4) <= 9 && (v & 0x0F) <= 9;
                    digits.prepend(QByteArray::number(v & 0x0F));
                    digits.prepend(QByteArray::number(v >> 4));
                }
                if (bcd && digits.size() <= 12) {
                    double hz = digits.toDouble();
                    if (family == RigFamily::Icom735)
                        hz /= 100.0;
                    r.frequency = megahertz(hz);
                }
            } else {
                r.mode = cwOrPh(static_cast<quint8>(data.back()) == 0x03);
            }
            break;
        }
    }
}

void parseYaesu(const QByteArray& b, RigReading& r)
{
    if (b.size() < 5)
        return;
    const QByteArray d = b.left(4).toHex();
    if (allDigits(d))
        r.frequency = static_cast<float>((d.left(3) + '.' + d.mid(3)).toDouble());
    switch (static_cast<quint8>(b[4])) {
    case 0x00:
    case 0x01:
    case 0x04:
    case 0x08:
    case 0x84:
    case 0x88:
        r.mode = QStringLiteral("PH");
        break;
    case 0x02:
    case 0x03:
    case 0x82:
    case 0x83:
        r.mode = QStringLiteral("CW");
        break;
    default:
        break;
    }
}

// Digits of H from 1-based position `from`; empty when H is too short.
QByteArray hDigits(const QByteArray& h, int from, int count)
{
    return h.size() >= from - 1 + count ? h.mid(from - 1, count) : QByteArray();
}

void parseYaesuBlock(RigFamily family, const QByteArray& b, RigReading& r)
{
    if (b.size() < 5)
        return;
    const QByteArray h = b.toHex().toUpper();
    auto setHexFreq = [&](int from, int count, double divisor) {
        if (const auto v = hexValue(hDigits(h, from, count)))
            r.frequency = static_cast<float>(std::round(*v / divisor * 1e5) / 1e5);
    };
    auto setBlockMode = [&](bool (*isCw)(int)) {
        const auto v = hexValue(hDigits(h, 16, 1));
        if (!v)
            return;
        const int m = static_cast<int>(*v);
        if (isCw(m))
            r.mode = QStringLiteral("CW");
        else if (m <= 7 || family == RigFamily::Yaesu920)
            r.mode = QStringLiteral("PH");
    };
    auto cwIsTwo = [](int m) { return m == 2; };
    switch (family) {
    case RigFamily::Yaesu890:
        setHexFreq(5, 6, 100000);
        setBlockMode(cwIsTwo);
        break;
    case RigFamily::Yaesu1000:
        setHexFreq(4, 6, 100000);
        setBlockMode(cwIsTwo);
        break;
    case RigFamily::Yaesu990:
        setHexFreq(3, 6, 100000);
        setBlockMode(cwIsTwo);
        break;
    case RigFamily::Yaesu920:
        setHexFreq(3, 8, 1000000);
        setBlockMode([](int m) { return m == 1; });
        break;
    case RigFamily::Yaesu757: {
        const QByteArray d = hDigits(h, 17, 2) + hDigits(h, 15, 2) + hDigits(h, 13, 2) + hDigits(h, 11, 2);
        if (d.size() == 8 && allDigits(d))
            r.frequency = static_cast<float>(std::round(d.toDouble() / 100000 * 1e5) / 1e5);
        const QByteArray m = hDigits(h, 19, 2);
        if (allDigits(m)) {
            static const char* modes[] = {"PH", "PH", "CW", "CW", "AM", "FM"};
            const int v = m.toInt();
            if (v <= 5)
                r.mode = QLatin1String(modes[v]);
        }
        break;
    }
    default:
        break;
    }
}

void parseFrontPanel(const ParseContext& ctx, const QByteArray& b, RigReading& r)
{
    const QByteArray h = b.toHex().toUpper();
    if (ctx.lastCommand == 0) {
        if (const auto v = hexValue(hDigits(h, 3, 8)))
            r.frequency = megahertz(*v);
    } else if (const auto v = hexValue(hDigits(h, 4, 1))) {
        const int m = static_cast<int>(*v);
        if (m == 3)
            r.mode = QStringLiteral("CW");
        else if (m <= 4)
            r.mode = QStringLiteral("PH");
    }
}

void parseOrion(const QByteArray& b, RigReading& r)
{
    const qsizetype af = b.indexOf("@AF");
    if (af >= 0) {
        const qsizetype cr = b.indexOf('\r', af);
        const QByteArray d = cr > 0 ? b.mid(af + 3, cr - af - 3) : QByteArray();
        if (allDigits(d) && d.size() <= 11)
            r.frequency = megahertz(d.toDouble());
    }
    const qsizetype rm = b.indexOf("@RMM");
    if (rm >= 0 && rm + 4 < b.size())
        r.mode = cwOrPh(b[rm + 4] == '2' || b[rm + 4] == '3');
}

// "14025000\nCW\n500\n": the first number is the frequency, a word the mode, the number after
// it the passband. "RPRT n" lines answer our set commands.
void parseRigctld(const QByteArray& b, RigReading& r)
{
    bool sawMode = false;
    for (const QByteArray& raw : b.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith("RPRT"))
            continue;
        bool ok = false;
        const double v = line.toDouble(&ok);
        if (ok) {
            if (!sawMode && !r.frequency && v > 0 && v < 1e12)
                r.frequency = megahertz(v);
        } else if (!sawMode) {
            sawMode = true;
            r.mode = cwOrPh(line == "CW" || line == "CWR");
        }
    }
}

} // namespace

float megahertz(double hz)
{
    return static_cast<float>(std::round(hz / 1e6 * 1e5) / 1e5);
}

RigReading parseReply(const ParseContext& ctx, const QByteArray& buffer)
{
    using F = RigFamily;
    RigReading r;
    switch (ctx.family) {
    case F::Kenwood:
    case F::Elecraft:
        parseKenwood(ctx, buffer, r);
        break;
    case F::Kenwood2:
        parseKenwood2(buffer, r);
        break;
    case F::YaesuFTdx9000:
        parseFtdx(ctx, buffer, r);
        break;
    case F::Icom:
    case F::Icom735:
    case F::OmniVI:
        parseIcom(ctx.family, buffer, r);
        break;
    case F::Yaesu:
        parseYaesu(buffer, r);
        break;
    case F::Yaesu757:
    case F::Yaesu890:
    case F::Yaesu920:
    case F::Yaesu990:
    case F::Yaesu1000:
        parseYaesuBlock(ctx.family, buffer, r);
        break;
    case F::FrontPanel:
        parseFrontPanel(ctx, buffer, r);
        break;
    case F::Orion:
        parseOrion(buffer, r);
        break;
    case F::Rigctld:
        parseRigctld(buffer, r);
        break;
    case F::None:
    case F::Pegasus:
    case F::Other:
        break;
    }
    return r;
}

qsizetype unfinishedTail(RigFamily family, const QByteArray& buffer)
{
    using F = RigFamily;
    char end = 0;
    switch (family) {
    case F::Kenwood:
    case F::Kenwood2:
    case F::Elecraft:
    case F::YaesuFTdx9000:
        end = ';';
        break;
    case F::Orion:
        end = '\r';
        break;
    case F::Rigctld:
        end = '\n';
        break;
    case F::Icom:
    case F::Icom735:
    case F::OmniVI:
        end = '\xFD';
        break;
    default:
        return 0;
    }
    constexpr qsizetype kLongestFrame = 64;
    const qsizetype tail = buffer.size() - (buffer.lastIndexOf(end) + 1);
    if (tail <= 0 || tail > kLongestFrame)
        return 0;
    // A CI-V tail without a preamble byte is noise, not a frame.
    if (end == '\xFD' && !buffer.right(tail).contains('\xFE'))
        return 0;
    return tail;
}

RigReading parsePegasusOut(const QByteArray& text)
{
    RigReading r;
    const QList<QByteArray> fields = text.trimmed().split(',');
    bool ok = false;
    const float f = fields.value(0).trimmed().toFloat(&ok);
    if (ok)
        r.frequency = f;
    const QByteArray m = fields.value(1).trimmed().replace('"', "");
    if (!m.isEmpty())
        r.mode = cwOrPh(m == "CW");
    return r;
}

QString modeByFrequency(float mhz)
{
    struct SubBand {
        float lower, upper;
        const char* mode;
    };
    static constexpr SubBand table[] = {
        {3.5f, 3.6f, "CW"},      {3.6f, 4.0f, "PH"},     {7.0f, 7.125f, "CW"},   {7.125f, 7.3f, "PH"},
        {10.1f, 10.15f, "CW"},   {14.0f, 14.15f, "CW"},  {14.15f, 14.35f, "PH"}, {18.068f, 18.11f, "CW"},
        {18.11f, 18.168f, "PH"}, {21.0f, 21.2f, "CW"},   {21.2f, 21.45f, "PH"},  {24.89f, 24.93f, "CW"},
        {24.93f, 24.99f, "PH"},  {28.0f, 28.3f, "CW"},   {28.3f, 29.7f, "PH"},   {50.0f, 50.1f, "CW"},
        {50.1f, 54.0f, "PH"},    {144.0f, 144.1f, "CW"}, {144.1f, 148.0f, "PH"},
    };
    for (const SubBand& s : table) {
        if (mhz >= s.lower && mhz < s.upper)
            return QLatin1String(s.mode);
    }
    return {};
}

QString formatReadout(float mhz)
{
    // Through the single's shortest text, so 1296.1 shows as 1296.10000 and not 1296.09998.
    QString s = QString::number(QString::number(static_cast<double>(mhz), 'g', 7).toDouble(), 'f', 5);
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    return s;
}

} // namespace RigParsers
