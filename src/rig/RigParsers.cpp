#include "rig/RigParsers.h"

#include <QList>
#include <cmath>

namespace RigParsers {

namespace {

// Above every band a rig on this list covers (the 10 GHz band's top).
constexpr double kHighestMHz = 10500;

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

// A frequency we are willing to believe: zero or beyond any amateur band is a misread frame.
bool plausibleMHz(double mhz)
{
    return mhz > 0 && mhz <= kHighestMHz;
}

void setFrequency(RigReading& r, double hz)
{
    if (plausibleMHz(hz / 1e6))
        r.frequency = megahertz(hz);
}

// The first `tag` followed by exactly `bodyLength` bytes and `end` whose body `accepts`;
// noise around it (a spoilt frame, line noise) is passed over.
template <typename Accept>
std::optional<QByteArray> findFrame(const QByteArray& b, const QByteArray& tag, qsizetype bodyLength, char end,
                                    Accept accepts)
{
    if (tag.isEmpty())
        return std::nullopt;
    for (qsizetype at = b.indexOf(tag); at >= 0; at = b.indexOf(tag, at + 1)) {
        const qsizetype body = at + tag.size();
        if (body + bodyLength >= b.size() || b[body + bodyLength] != end)
            continue;
        const QByteArray d = b.mid(body, bodyLength);
        if (accepts(d))
            return d;
    }
    return std::nullopt;
}

// Like findFrame, for bodies of any length up to the terminator.
template <typename Accept>
std::optional<QByteArray> findOpenFrame(const QByteArray& b, const QByteArray& tag, char end, Accept accepts)
{
    for (qsizetype at = b.indexOf(tag); at >= 0; at = b.indexOf(tag, at + 1)) {
        const qsizetype body = at + tag.size();
        const qsizetype stop = b.indexOf(end, body);
        if (stop < 0)
            return std::nullopt;
        const QByteArray d = b.mid(body, stop - body);
        if (accepts(d))
            return d;
    }
    return std::nullopt;
}

bool digitIn(char c, char lo, char hi)
{
    return c >= lo && c <= hi;
}

void parseKenwood(const ParseContext& ctx, const QByteArray& b, RigReading& r)
{
    if (const auto d = findFrame(b, ctx.freqBox.left(2).toLatin1(), 11, ';', allDigits))
        setFrequency(r, d->toDouble());
    // Mode codes 1-9 (0 is "none" on some radios and means nothing here).
    if (const auto m = findFrame(b, "MD", 1, ';', [](const QByteArray& d) { return digitIn(d[0], '1', '9'); }))
        r.mode = cwOrPh(m->at(0) == '3' || m->at(0) == '7');
}

void parseKenwood2(const QByteArray& b, RigReading& r)
{
    const auto d = findFrame(b, "IF", 35, ';', [](const QByteArray& f) {
        return allDigits(f.left(11)) && digitIn(f[27], '1', '9') && digitIn(f[28], '0', '2');
    });
    if (!d)
        return;
    setFrequency(r, d->left(11).toDouble());
    if (!r.frequency)
        return;
    r.mode = cwOrPh(d->at(27) == '3');
    if (d->at(28) != '2')
        r.vfoFlag = d->at(28) - '0';
}

// The FTdx9000 answers in the Kenwood manner with fewer digits: "FA14025000;", "MD03;".
void parseFtdx(const ParseContext& ctx, const QByteArray& b, RigReading& r)
{
    if (const auto d = findOpenFrame(
            b, "FA", ';', [](const QByteArray& f) { return allDigits(f) && f.size() >= 6 && f.size() <= 11; }))
        setFrequency(r, d->toDouble());
    const QByteArray tag = ctx.modeBox.left(3).toLatin1();
    if (tag.size() != 3)
        return;
    const auto m = findFrame(b, tag, 1, ';',
                             [](const QByteArray& f) { return digitIn(f[0], '1', '9') || digitIn(f[0], 'A', 'E'); });
    if (m)
        r.mode = cwOrPh(m->at(0) == '3' || m->at(0) == '7');
}

// CI-V: frames may come with our own request echoed in front (single-wire bus); an echo has
// no data bytes and is passed over.
void parseIcom(RigFamily family, const QByteArray& b, RigReading& r)
{
    enum { Idle, GotFirstFE, GotSecondFE, WaitForFD } state = Idle;
    int skip = 0;
    quint8 command = 0;
    QByteArray data;
    auto isBcd = [](quint8 v) { return (v >> 4) <= 9 && (v & 0x0F) <= 9; };
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
            if (c == 0xFE) {
                // A new preamble before the end: the frame was cut off.
                state = GotFirstFE;
                break;
            }
            if (c != 0xFD) {
                data.append(static_cast<char>(c));
                break;
            }
            state = Idle;
            if (data.isEmpty())
                break;
            if (command == 0x03) {
                // Packed BCD, least significant first: four bytes on older radios, five on the rest.
                if (data.size() < 4 || data.size() > 5)
                    break;
                QByteArray digits;
                bool bcd = true;
                for (char d : data) {
                    const auto v = static_cast<quint8>(d);
                    bcd = bcd && isBcd(v);
                    digits.prepend(QByteArray::number(v & 0x0F));
                    digits.prepend(QByteArray::number(v >> 4));
                }
                // The 735's reading is a hundredth of the others'.
                if (bcd)
                    setFrequency(r, digits.toDouble() / (family == RigFamily::Icom735 ? 100.0 : 1.0));
            } else {
                // Mode byte, then an optional filter byte (1-3).
                const auto mode = static_cast<quint8>(data[0]);
                const bool filterOk = data.size() == 1 || (data.size() == 2 && data[1] >= 1 && data[1] <= 3);
                if (filterOk && isBcd(mode) && mode <= 0x23)
                    r.mode = cwOrPh(mode == 0x03 || mode == 0x07);
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
    if (!allDigits(d))
        return;
    std::optional<QString> mode;
    switch (static_cast<quint8>(b[4])) {
    case 0x00:
    case 0x01:
    case 0x04:
    case 0x08:
    case 0x84:
    case 0x88:
        mode = QStringLiteral("PH");
        break;
    case 0x02:
    case 0x03:
    case 0x82:
    case 0x83:
        mode = QStringLiteral("CW");
        break;
    case 0x06: // wide FM
    case 0x0A: // digital
    case 0x0C: // packet
        break;
    default:
        return; // not a mode this rig sends: the five bytes are not its answer
    }
    const double mhz = (d.left(3) + '.' + d.mid(3)).toDouble();
    if (!plausibleMHz(mhz))
        return;
    r.frequency = static_cast<float>(mhz);
    r.mode = mode;
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
    // The 890, 990 and 1000 are HF radios: any other frequency means the block was misread.
    const double highest = family == RigFamily::Yaesu920 ? kHighestMHz : 30;
    auto setHexFreq = [&](int from, int count, double divisor) {
        if (const auto v = hexValue(hDigits(h, from, count))) {
            const double mhz = std::round(*v / divisor * 1e5) / 1e5;
            if (mhz >= 0.03 && mhz <= highest)
                r.frequency = static_cast<float>(mhz);
        }
    };
    auto setBlockMode = [&](bool (*isCw)(int)) {
        const auto v = hexValue(hDigits(h, 16, 1));
        if (!v || !r.frequency)
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
        const QByteArray m = hDigits(h, 19, 2);
        if (d.size() != 8 || !allDigits(d) || !allDigits(m) || m.toInt() > 5)
            return;
        const double mhz = std::round(d.toDouble() / 100000 * 1e5) / 1e5;
        if (mhz < 0.03 || mhz > 60)
            return;
        static const char* modes[] = {"PH", "PH", "CW", "CW", "AM", "FM"};
        r.frequency = static_cast<float>(mhz);
        r.mode = QLatin1String(modes[m.toInt()]);
        break;
    }
    default:
        break;
    }
}

// "A" + the frequency in Hz as four bytes + CR, or "M" + two mode digits + CR.
void parseFrontPanel(const ParseContext& ctx, const QByteArray& b, RigReading& r)
{
    if (ctx.lastCommand == 0) {
        if (b.size() < 6 || b[0] != 'A' || b[5] != '\r')
            return;
        if (const auto v = hexValue(b.mid(1, 4).toHex().toUpper()))
            setFrequency(r, *v);
    } else {
        if (b.size() < 4 || b[0] != 'M' || b[3] != '\r' || !digitIn(b[1], '0', '4') || !digitIn(b[2], '0', '4'))
            return;
        r.mode = cwOrPh(b[1] == '3');
    }
}

void parseOrion(const QByteArray& b, RigReading& r)
{
    if (const auto d =
            findOpenFrame(b, "@AF", '\r', [](const QByteArray& f) { return allDigits(f) && f.size() <= 11; }))
        setFrequency(r, d->toDouble());
    if (const auto m = findFrame(b, "@RMM", 1, '\r', [](const QByteArray& f) { return digitIn(f[0], '0', '6'); }))
        r.mode = cwOrPh(m->at(0) == '2' || m->at(0) == '3');
}

bool isRigctldMode(const QByteArray& word)
{
    static const QList<QByteArray> modes{
        "USB", "LSB",    "CW",     "CWR",   "CWN",    "RTTY",   "RTTYR",   "AM",      "AMS",   "AMN",  "FM",   "FMN",
        "WFM", "PKTLSB", "PKTUSB", "PKTFM", "PKTFMN", "PKTAM",  "ECSSUSB", "ECSSLSB", "FAX",   "SAM",  "SAL",  "SAH",
        "DSB", "P25",    "D-STAR", "DPMR",  "NXDNVN", "NXDN-N", "DCR",     "PSK",     "PSKR",  "DD",   "C4FM", "SPEC",
        "IQ",  "ISBUSB", "ISBLSB", "USBD1", "USBD2",  "USBD3",  "LSBD1",   "LSBD2",   "LSBD3", "WFMS", "None"};
    return modes.contains(word);
}

bool isRigctldNumber(const QByteArray& line)
{
    const qsizetype dot = line.indexOf('.');
    if (dot < 0)
        return allDigits(line);
    const QByteArray fraction = line.mid(dot + 1);
    return allDigits(line.left(dot)) && (fraction.isEmpty() || allDigits(fraction));
}

// "14025000\nCW\n500\n": the first number is the frequency, a word the mode, the number after
// it the passband. "RPRT n" lines answer our set commands. Only whole lines count, and a line
// that is none of these spoils the lot: a wrong port's noise never becomes a reading.
void parseRigctld(const QByteArray& b, RigReading& r)
{
    RigReading out;
    bool sawMode = false;
    const qsizetype lastEnd = b.lastIndexOf('\n');
    if (lastEnd < 0)
        return;
    for (const QByteArray& raw : b.left(lastEnd).split('\n')) {
        const QByteArray line = raw.endsWith('\r') ? raw.chopped(1) : raw;
        if (line.isEmpty())
            continue;
        if (line.startsWith("RPRT ")) {
            bool ok = false;
            line.mid(5).toInt(&ok);
            if (!ok)
                return;
            continue;
        }
        if (isRigctldNumber(line)) {
            if (!sawMode && !out.frequency) {
                const double hz = line.toDouble();
                if (!plausibleMHz(hz / 1e6))
                    return;
                out.frequency = megahertz(hz);
            }
        } else if (isRigctldMode(line)) {
            if (!sawMode) {
                sawMode = true;
                out.mode = cwOrPh(line == "CW" || line == "CWR" || line == "CWN");
            }
        } else {
            return;
        }
    }
    r = out;
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
    if (fields.size() != 2)
        return r;
    bool ok = false;
    const double f = fields[0].trimmed().toDouble(&ok);
    const QByteArray m = QByteArray(fields[1]).replace('"', "").trimmed();
    static const QList<QByteArray> modes{"CW", "USB", "LSB", "AM", "FM", "FSK", "RTTY"};
    if (!ok || !plausibleMHz(f) || !modes.contains(m))
        return r;
    r.frequency = static_cast<float>(f);
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
