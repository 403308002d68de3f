#include "rig/RigParsers.h"

#include <QList>
#include <cmath>

namespace RigParsers {

namespace {

// Above every band a rig on this list covers (the 10 GHz band's top).
constexpr qint64 kHighestHz = 10'500'000'000;
// The status-block Yaesus other than the 920 are HF radios.
constexpr qint64 kHighestHfHz = 30'000'000;
constexpr qint64 kLowestHz = 30'000;

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

std::optional<qint64> hexValue(const QByteArray& hexDigits)
{
    if (hexDigits.isEmpty() || hexDigits.size() > 12)
        return std::nullopt;
    qint64 v = 0;
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

enum class Kind { Phone, Cw, Digital };

QString word(Kind k)
{
    return QLatin1String(k == Kind::Cw ? "CW" : k == Kind::Digital ? "DIG" : "PH");
}

// Kenwood and Elecraft: 3 CW, 7 CW-R, 6 FSK, 9 FSK-R; the rest are voice modes.
QString kenwoodMode(char c)
{
    if (c == '3' || c == '7')
        return word(Kind::Cw);
    if (c == '6' || c == '9')
        return word(Kind::Digital);
    return word(Kind::Phone);
}

// A frequency we are willing to believe: zero or beyond any amateur band is a misread frame.
bool plausible(qint64 hz, qint64 lowest = 1, qint64 highest = kHighestHz)
{
    return hz >= lowest && hz <= highest;
}

void setFrequency(RigReading& r, qint64 hz, qint64 lowest = 1, qint64 highest = kHighestHz)
{
    if (plausible(hz, lowest, highest))
        r.frequency = Frequency::fromHz(hz);
}

// Decimal digits already checked by the caller; at most 12 of them.
qint64 digitsValue(const QByteArray& digits)
{
    return digits.size() <= 12 ? digits.toLongLong() : -1;
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

// "DA1;": the TS-590 and later report USB-DATA and the like as USB plus this flag; older radios
// answer "?;", which is passed over.
void parseKenwoodDataMode(const QByteArray& b, RigReading& r)
{
    if (const auto d = findFrame(b, "DA", 1, ';', [](const QByteArray& f) { return digitIn(f[0], '0', '1'); }))
        r.dataMode = d->at(0) == '1';
}

void parseKenwood(const ParseContext& ctx, const QByteArray& b, RigReading& r)
{
    if (const auto d = findFrame(b, ctx.freqBox.left(2).toLatin1(), 11, ';', allDigits))
        setFrequency(r, digitsValue(*d));
    // Mode codes 1-9 (0 is "none" on some radios and means nothing here).
    if (const auto m = findFrame(b, "MD", 1, ';', [](const QByteArray& d) { return digitIn(d[0], '1', '9'); }))
        r.mode = kenwoodMode(m->at(0));
    parseKenwoodDataMode(b, r);
}

void parseKenwood2(const QByteArray& b, RigReading& r)
{
    const auto d = findFrame(b, "IF", 35, ';', [](const QByteArray& f) {
        return allDigits(f.left(11)) && digitIn(f[27], '1', '9') && digitIn(f[28], '0', '2');
    });
    parseKenwoodDataMode(b, r);
    if (!d)
        return;
    setFrequency(r, digitsValue(d->left(11)));
    if (!r.frequency)
        return;
    r.mode = kenwoodMode(d->at(27));
    if (d->at(28) != '2')
        r.vfoFlag = d->at(28) - '0';
}

// The FTdx9000 answers in the Kenwood manner with fewer digits: "FA14025000;", "MD03;".
void parseFtdx(const ParseContext& ctx, const QByteArray& b, RigReading& r)
{
    if (const auto d = findOpenFrame(
            b, "FA", ';', [](const QByteArray& f) { return allDigits(f) && f.size() >= 6 && f.size() <= 11; }))
        setFrequency(r, digitsValue(*d));
    const QByteArray tag = ctx.modeBox.left(3).toLatin1();
    if (tag.size() != 3)
        return;
    const auto m = findFrame(b, tag, 1, ';',
                             [](const QByteArray& f) { return digitIn(f[0], '1', '9') || digitIn(f[0], 'A', 'E'); });
    if (!m)
        return;
    // 6 RTTY-L, 8 PKT-L, 9 RTTY-U, A PKT-FM, C PKT-U are the data modes.
    const char c = m->at(0);
    if (c == '3' || c == '7')
        r.mode = word(Kind::Cw);
    else if (c == '6' || c == '8' || c == '9' || c == 'A' || c == 'C')
        r.mode = word(Kind::Digital);
    else
        r.mode = word(Kind::Phone);
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
                // Packed BCD of hertz, least significant first: the 735 sends four bytes, the rest five.
                if (data.size() != (family == RigFamily::Icom735 ? 4 : 5))
                    break;
                QByteArray digits;
                bool bcd = true;
                for (char d : data) {
                    const auto v = static_cast<quint8>(d);
                    bcd = bcd && isBcd(v);
                    digits.prepend(QByteArray::number(v & 0x0F));
                    digits.prepend(QByteArray::number(v >> 4));
                }
                if (bcd)
                    setFrequency(r, digitsValue(digits));
            } else {
                // Mode byte, then an optional filter byte (1-3).
                const auto mode = static_cast<quint8>(data[0]);
                const bool filterOk = data.size() == 1 || (data.size() == 2 && data[1] >= 1 && data[1] <= 3);
                if (filterOk && isBcd(mode) && mode <= 0x23)
                    r.mode = mode == 0x03 || mode == 0x07   ? word(Kind::Cw)
                             : mode == 0x04 || mode == 0x08 ? word(Kind::Digital)
                                                            : word(Kind::Phone);
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
    case 0x0A: // DIG
    case 0x0C: // PKT
        mode = QStringLiteral("DIG");
        break;
    case 0x06: // wide FM
        break;
    default:
        return; // not a mode this rig sends: the five bytes are not its answer
    }
    // Eight digits of 10 Hz.
    const qint64 hz = d.toLongLong() * 10;
    if (!plausible(hz))
        return;
    r.frequency = Frequency::fromHz(hz);
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
    const qint64 highest = family == RigFamily::Yaesu920 ? kHighestHz : kHighestHfHz;
    // `hzPerCount`: 10 for blocks that count in 10-Hz units, 1 for those in hertz.
    auto setHexFreq = [&](int from, int count, qint64 hzPerCount) {
        if (const auto v = hexValue(hDigits(h, from, count)))
            setFrequency(r, *v * hzPerCount, kLowestHz, highest);
    };
    auto setBlockMode = [&](bool (*isCw)(int)) {
        const auto v = hexValue(hDigits(h, 16, 1));
        if (!v || !r.frequency)
            return;
        const int m = static_cast<int>(*v);
        if (isCw(m))
            r.mode = QStringLiteral("CW");
        else if (family != RigFamily::Yaesu920 && (m == 5 || m == 6))
            r.mode = QStringLiteral("DIG"); // RTTY and PKT
        else if (family == RigFamily::Yaesu920 && (m == 4 || m == 6))
            r.mode = QStringLiteral("DIG"); // DATA-LSB/USB (bit 6 of the byte picks the side) and DATA-FM
        else if (m <= 7 || family == RigFamily::Yaesu920)
            r.mode = QStringLiteral("PH");
    };
    auto cwIsTwo = [](int m) { return m == 2; };
    switch (family) {
    case RigFamily::Yaesu890:
        setHexFreq(5, 6, 10);
        setBlockMode(cwIsTwo);
        break;
    case RigFamily::Yaesu1000:
        setHexFreq(4, 6, 10);
        setBlockMode(cwIsTwo);
        break;
    case RigFamily::Yaesu990:
        setHexFreq(3, 6, 10);
        setBlockMode(cwIsTwo);
        break;
    case RigFamily::Yaesu920:
        setHexFreq(3, 8, 1);
        setBlockMode([](int m) { return m == 1; });
        break;
    case RigFamily::Yaesu757: {
        const QByteArray d = hDigits(h, 17, 2) + hDigits(h, 15, 2) + hDigits(h, 13, 2) + hDigits(h, 11, 2);
        const QByteArray m = hDigits(h, 19, 2);
        if (d.size() != 8 || !allDigits(d) || !allDigits(m) || m.toInt() > 5)
            return;
        const qint64 hz = d.toLongLong() * 10;
        if (!plausible(hz, kLowestHz, 60'000'000))
            return;
        static const char* modes[] = {"PH", "PH", "CW", "CW", "AM", "FM"};
        r.frequency = Frequency::fromHz(hz);
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
        setFrequency(r, digitsValue(*d));
    if (const auto m = findFrame(b, "@RMM", 1, '\r', [](const QByteArray& f) { return digitIn(f[0], '0', '6'); }))
        r.mode = m->at(0) == '6' ? word(Kind::Digital) : cwOrPh(m->at(0) == '2' || m->at(0) == '3');
}

// Every mode word rigctld prints (Hamlib's own names, e.g. its spectrum-analyser mode), so
// that no real reply is mistaken for a wrong port's noise.
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
                // rigctld may print "14025000.000000"; the fraction of a hertz means nothing.
                const double hz = line.toDouble();
                if (!(hz >= 1 && hz <= double(kHighestHz)))
                    return;
                out.frequency = Frequency::fromHz(std::llround(hz));
            }
        } else if (isRigctldMode(line)) {
            if (!sawMode) {
                sawMode = true;
                static const QList<QByteArray> digital{"RTTY", "RTTYR", "PKTUSB", "PKTLSB", "PKTFM", "PKTFMN", "PKTAM"};
                out.mode = digital.contains(line) ? word(Kind::Digital)
                                                  : cwOrPh(line == "CW" || line == "CWR" || line == "CWN");
            }
        } else {
            return;
        }
    }
    r = out;
}

} // namespace

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

int binaryReplyLength(RigFamily family)
{
    switch (family) {
    case RigFamily::Yaesu:
        return 5;
    case RigFamily::Yaesu757:
        return 75;
    case RigFamily::Yaesu890:
    case RigFamily::Yaesu920:
    case RigFamily::Yaesu990:
    case RigFamily::Yaesu1000:
        return 0;
    default:
        return -1;
    }
}

RigReading parsePegasusOut(const QByteArray& text)
{
    RigReading r;
    const QList<QByteArray> fields = text.trimmed().split(',');
    if (fields.size() != 2)
        return r;
    const auto f = Frequency::fromMHzText(QString::fromLatin1(fields[0]));
    const QByteArray m = QByteArray(fields[1]).replace('"', "").trimmed();
    static const QList<QByteArray> modes{"CW", "USB", "LSB", "AM", "FM", "FSK", "RTTY"};
    if (!f || !plausible(f->hz) || !modes.contains(m))
        return r;
    r.frequency = *f;
    r.mode = m == "FSK" || m == "RTTY" ? word(Kind::Digital) : cwOrPh(m == "CW");
    return r;
}

QString withDataMode(const QString& mode, bool dataMode)
{
    return dataMode && mode == QLatin1String("PH") ? word(Kind::Digital) : mode;
}

QString modeByFrequency(Frequency f)
{
    // FT8 and FT4 calling frequencies: whatever the sub-band, a station there is on a data mode.
    static constexpr qint64 kDataCallingKHz[] = {
        1840, 3573, 7074,  10136, 14074, 18100, 21074, 24915, 28074, 50313, 144174, // FT8
        3575, 7047, 14080, 21140, 28180,                                            // FT4 (7047.5 below)
    };
    constexpr qint64 kWindowHz = 3000;
    auto near = [&](qint64 centreHz) { return f.hz >= centreHz - kWindowHz && f.hz <= centreHz + kWindowHz; };
    if (near(7047500))
        return QStringLiteral("DIG");
    for (qint64 khz : kDataCallingKHz) {
        if (khz != 7047 && near(khz * 1000))
            return QStringLiteral("DIG");
    }
    struct SubBand {
        qint64 lowerKHz, upperKHz;
        const char* mode;
    };
    static constexpr SubBand table[] = {
        {3500, 3600, "CW"},   {3600, 4000, "PH"},     {7000, 7125, "CW"},     {7125, 7300, "PH"},
        {10100, 10150, "CW"}, {14000, 14150, "CW"},   {14150, 14350, "PH"},   {18068, 18110, "CW"},
        {18110, 18168, "PH"}, {21000, 21200, "CW"},   {21200, 21450, "PH"},   {24890, 24930, "CW"},
        {24930, 24990, "PH"}, {28000, 28300, "CW"},   {28300, 29700, "PH"},   {50000, 50100, "CW"},
        {50100, 54000, "PH"}, {144000, 144100, "CW"}, {144100, 148000, "PH"},
    };
    for (const SubBand& s : table) {
        if (f.hz >= s.lowerKHz * 1000 && f.hz < s.upperKHz * 1000)
            return QLatin1String(s.mode);
    }
    return {};
}

} // namespace RigParsers
