#include "reports/AdifReader.h"

#include "log/Bands.h"
#include "reports/AdifExport.h"

#include <array>

namespace {

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// The fields read from a record, in the order of Names.
enum Field { Call, Band, Freq, Mode, QsoDate, TimeOn, ArrlSect, Class, Initials, AppInitials, FieldCount };
constexpr const char* Names[FieldCount] = {"<call:",
                                           "<band:",
                                           "<freq:",
                                           "<mode:",
                                           "<qso_date:",
                                           "<time_on:",
                                           "<arrl_sect:",
                                           "<class:",
                                           "<veska_fdinitials:",
                                           "<app_fdlog_initials:"};

// True when `text` holds `lowerTag` at `pos`, compared without regard to letter case.
bool tagAt(QByteArrayView text, qsizetype pos, QByteArrayView lowerTag)
{
    if (text.size() - pos < lowerTag.size())
        return false;
    for (qsizetype k = 0; k < lowerTag.size(); ++k) {
        if (lower(text[pos + k]) != lowerTag[k])
            return false;
    }
    return true;
}

qsizetype findTag(QByteArrayView text, qsizetype from, QByteArrayView lowerTag)
{
    for (qsizetype p = text.indexOf('<', from); p >= 0; p = text.indexOf('<', p + 1)) {
        if (tagAt(text, p, lowerTag))
            return p;
    }
    return -1;
}

// One record's text. One pass over its '<' marks finds the first "<name:" of every field
// (any letter case), as a search for each name would.
struct RecordText {
    QByteArrayView text;
    qsizetype at[FieldCount];

    explicit RecordText(QByteArrayView t) : text(t)
    {
        static const auto names = [] {
            std::array<QByteArrayView, FieldCount> n;
            for (int f = 0; f < FieldCount; ++f)
                n[static_cast<size_t>(f)] = QByteArrayView(Names[f]);
            return n;
        }();
        std::fill(std::begin(at), std::end(at), -1);
        int missing = FieldCount;
        for (qsizetype p = text.indexOf('<'); p >= 0 && missing > 0; p = text.indexOf('<', p + 1)) {
            if (text.size() - p < 2)
                break;
            const char second = lower(text[p + 1]);
            for (int f = 0; f < FieldCount; ++f) {
                const QByteArrayView& name = names[static_cast<size_t>(f)];
                if (at[f] < 0 && second == name[1] && tagAt(text, p, name)) {
                    at[f] = p + name.size();
                    --missing;
                    break;
                }
            }
        }
    }

    QString field(Field f) const
    {
        const qsizetype lengthStart = at[f];
        if (lengthStart < 0)
            return {};
        const qsizetype close = text.indexOf('>', lengthStart);
        if (close < 0 || lengthStart >= text.size() || text[lengthStart] < '0' || text[lengthStart] > '9')
            return {};
        qint64 length = 0;
        for (qsizetype i = lengthStart; i < close && text[i] >= '0' && text[i] <= '9'; ++i)
            length = std::min<qint64>(length * 10 + (text[i] - '0'), 1 << 24);
        const qsizetype start = close + 1;
        const qsizetype n = std::min<qsizetype>(length, text.size() - start);
        return QString::fromLatin1(text.sliced(start, n).trimmed());
    }
};

ContactRecord recordFromAdif(const RecordText& rec, bool digitalAsDig)
{
    ContactRecord r;
    r.call = rec.field(Call);
    r.band = adifBandToLabel(rec.field(Band));
    r.freq = rec.field(Freq);
    if (r.band.isEmpty() && !r.freq.isEmpty()) {
        bool ok = false;
        const float mhz = r.freq.toFloat(&ok);
        if (ok)
            r.band = importBandForFrequency(mhz);
    }
    r.mode = adifModeToLog(rec.field(Mode), digitalAsDig);
    const QString date = rec.field(QsoDate);
    if (!date.isEmpty()) {
        QString arranged;
        arranged.reserve(10);
        arranged += QStringView(date).left(4);
        arranged += QLatin1Char('/');
        arranged += QStringView(date).mid(4, 2);
        arranged += QLatin1Char('/');
        arranged += QStringView(date).right(2);
        const QDate d = parseLogDate(arranged);
        r.date = d.isValid() ? compactDate(d, QLatin1Char('/')) : arranged;
    }
    const QString time = rec.field(TimeOn);
    if (time.size() == 4 || time.size() == 6) {
        r.time.reserve(8);
        r.time += QStringView(time).left(2);
        r.time += QLatin1Char(':');
        r.time += QStringView(time).mid(2, 2);
        if (time.size() == 6) {
            r.time += QLatin1Char(':');
            r.time += QStringView(time).mid(4, 2);
        }
    }
    r.section = rec.field(ArrlSect);
    r.cls = rec.field(Class);
    // The older export's field, or the ADIF 3 application field of today's.
    r.op = rec.field(Initials);
    if (r.op.isEmpty())
        r.op = rec.field(AppInitials);
    return r;
}

} // namespace

std::vector<ContactRecord> readAdif(QByteArrayView data, bool digitalAsDig, const ImportProgress& progress)
{
    // Clean the whole text first: line breaks carry no meaning once control characters go.
    QByteArray text(data.size(), Qt::Uninitialized);
    char* t = text.data();
    qsizetype kept = 0;
    for (qsizetype i = 0; i < data.size(); ++i) {
        char c = data[i];
        if (static_cast<unsigned char>(c) < 22)
            continue;
        if (c == '"')
            c = ' ';
        t[kept++] = c;
        if (progress && (i % ImportProgressStep) == 0)
            progress(i, data.size());
    }
    text.truncate(kept);

    std::vector<ContactRecord> out;
    qsizetype pos = 0;
    const QByteArrayView all(text);
    const qsizetype firstEor = findTag(all, 0, "<eor>");
    const qsizetype eoh = findTag(all, 0, "<eoh>");
    if (eoh >= 0 && (firstEor < 0 || eoh < firstEor))
        pos = eoh + 5;
    while (pos < text.size()) {
        const qsizetype end = findTag(all, pos, "<eor>");
        // A trailing piece without "<eor>" may be a record cut off mid-write: it is not taken.
        if (end < 0)
            break;
        const RecordText rec(all.sliced(pos, end - pos));
        out.push_back(recordFromAdif(rec, digitalAsDig));
        pos = end + 5;
    }
    if (progress)
        progress(data.size(), data.size());
    return out;
}

QString adifBandToLabel(const QString& value)
{
    QString v = value;
    if (v.size() > 1 && v.endsWith(QLatin1Char('M'), Qt::CaseInsensitive)) {
        if (v.compare(QLatin1String("SATM"), Qt::CaseInsensitive) == 0)
            v = QStringLiteral("SAT");
        else if (v[v.size() - 2].isDigit())
            v.chop(1);
    }
    if (v.size() > 2 && v.endsWith(QLatin1String("CM"), Qt::CaseInsensitive) && v[v.size() - 3].isDigit()) {
        v.chop(2);
        if (v == QLatin1String("35"))
            v = QStringLiteral("33");
        else if (v == QLatin1String("6"))
            v = QStringLiteral("6CM");
    }
    return v;
}

QString importBandForFrequency(float mhz)
{
    static constexpr Bands::Range ranges[] = {
        {"160", 1.7999f, 2.0001f},    {"80", 3.4999f, 4.0001f},     {"40", 6.9999f, 7.3001f},
        {"20", 13.9999f, 14.3501f},   {"15", 20.9999f, 21.4501f},   {"10", 27.9999f, 29.7001f},
        {"6", 49.9999f, 54.0001f},    {"2", 143.9999f, 148.0001f},  {"1.25", 218.9999f, 225.0001f},
        {"70", 419.9999f, 450.0001f}, {"33", 901.9999f, 928.0001f}, {"23", 1239.9999f, 1300.0001f},
        {"2.3", 2300.0f, 2450.0f},    {"3.3", 3300.0f, 3500.0f},    {"5.6", 5650.0f, 5925.0f},
        {"30", 10.0999f, 10.1501f},   {"17", 18.0679f, 18.1681f},   {"12", 24.8899f, 24.9901f},
    };
    return Bands::bandForFrequency(mhz, ranges);
}

QString adifModeToLog(const QString& mode, bool digitalAsDig)
{
    static const QSet<QString> phone{"FM", "SSB", "AM"};
    static const QSet<QString> digital{"FT8",      "FT4",    "RTTY",  "PSK",  "PSK31",  "PSK63",  "PSK125", "JS8",
                                       "MFSK",     "OLIVIA", "JT65",  "JT9",  "Q65",    "MSK144", "FSK441", "HELL",
                                       "CONTESTI", "DOMINO", "THOR",  "MT63", "PKT",    "PACKET", "DATA",   "DIGI",
                                       "VARA",     "ARDOP",  "WSPR",  "FST4", "DIG",    "FSK",    "PSK2K",  "QPSK31",
                                       "QPSK63",   "PSK250", "JT4",   "JT6M", "JT44",   "ISCAT",  "MFSK8",  "MFSK16",
                                       "PAC",      "PAX",    "RTTYM", "SSTV", "PKTUSB", "PKTLSB", "ROS",    "FT8A"};
    const QString up = mode.toUpper();
    if (phone.contains(up))
        return QStringLiteral("PH");
    if (digitalAsDig && digital.contains(up))
        return QStringLiteral("DIG");
    return mode;
}
