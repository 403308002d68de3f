#include "reports/CabrilloExport.h"

#include "log/Bands.h"
#include "log/LiveLogFiles.h"
#include "log/Logbook.h"
#include "reports/AdifExport.h"
#include "reports/ReportFile.h"
#include "settings/UserSettingsStore.h"
#include "util/Dialogs.h"
#include "util/ProgramInfo.h"

#include <QHash>
#include <QSet>
#include <cmath>

namespace {

// Lowest frequency in kHz of the HF bands, for contacts logged without a rig frequency.
const QHash<QString, QString>& hfLowEdges()
{
    static const QHash<QString, QString> t{{"160", "1800"},  {"80", "3500"},  {"40", "7000"}, {"30", "10100"},
                                           {"20", "14000"},  {"17", "18068"}, {"15", "21000"}, {"12", "24890"},
                                           {"10", "28000"}};
    return t;
}

const QHash<QString, QString>& vhfDesignators()
{
    static const QHash<QString, QString> t{{"6", "50"},     {"2", "144"},     {"1.25", "222"},  {"70", "432"},
                                           {"33", "902"},   {"23", "1.2G"},   {"2.3", "2.3G"},  {"3.3", "3.4G"},
                                           {"5.6", "5.7G"}, {"6CM", "5.7G"}};
    return t;
}

// A band label the import's wider table knows, for satellite contacts with a frequency.
QString bandOfFrequency(float mhz)
{
    static constexpr Bands::Range extra[] = {
        {"160", 1.7999f, 2.0001f},    {"80", 3.4999f, 4.0001f},    {"40", 6.9999f, 7.3001f},
        {"30", 10.0999f, 10.1501f},   {"20", 13.9999f, 14.3501f},  {"17", 18.0679f, 18.1681f},
        {"15", 20.9999f, 21.4501f},   {"12", 24.8899f, 24.9901f},  {"10", 27.9999f, 29.7001f},
        {"6", 49.9999f, 54.0001f},    {"2", 143.9999f, 148.0001f}, {"1.25", 218.9999f, 225.0001f},
        {"70", 419.9999f, 450.0001f}, {"33", 901.9999f, 928.0001f}, {"23", 1239.9999f, 1300.0001f},
        {"2.3", 2300.0f, 2450.0f},    {"3.3", 3300.0f, 3500.0f},   {"5.6", 5650.0f, 5925.0f},
    };
    return Bands::bandForFrequency(mhz, extra);
}

QString designatorFor(const QString& band, const QString& freqText)
{
    bool ok = false;
    const double mhz = freqText.trimmed().toDouble(&ok);
    if (hfLowEdges().contains(band))
        return ok && mhz > 0 ? QString::number(std::lround(mhz * 1000.0)) : hfLowEdges().value(band);
    return vhfDesignators().value(band);
}

void appendPadded(QString& out, const QString& s, int width)
{
    out += s;
    if (s.size() < width)
        out += QString(width - s.size(), QLatin1Char(' '));
}

}  // namespace

QString cabrilloFrequency(const ContactRecord& r)
{
    const QString band = r.band.toUpper();
    if (band == QLatin1String("SAT")) {
        // Satellites: the band of the uplink frequency when the rig gave one, otherwise "SAT".
        bool ok = false;
        const float mhz = r.freq.trimmed().toFloat(&ok);
        const QString b = ok ? bandOfFrequency(mhz) : QString();
        const QString d = b.isEmpty() ? QString() : designatorFor(b, r.freq);
        return d.isEmpty() ? QStringLiteral("SAT") : d;
    }
    return designatorFor(band, r.freq);
}

QString cabrilloMode(const QString& mode)
{
    static const QSet<QString> phone{"PH", "SSB", "USB", "LSB", "FM", "AM", "DIGITALVOICE"};
    static const QSet<QString> digital{"DIG", "DG", "FT8", "FT4", "RTTY", "PSK", "PSK31", "PSK63", "PSK125",
                                     "JS8", "MFSK", "OLIVIA", "JT65", "JT9", "Q65", "MSK144", "FSK441", "HELL",
                                     "CONTESTI", "DOMINO", "THOR", "MT63", "PKT", "PACKET", "DATA", "VARA", "SSTV"};
    const QString m = mode.trimmed().toUpper();
    if (m == QLatin1String("CW"))
        return m;
    if (phone.contains(m))
        return QStringLiteral("PH");
    if (digital.contains(m))
        return QStringLiteral("DG");
    return {};
}

CabrilloResult buildCabrillo(const std::vector<ContactRecord>& records, const CabrilloHeader& h,
                             std::optional<qint64> claimedScore)
{
    const Score s = computeScore(CountContactsByBandAndMode(records), {}, h.power);
    const QString letter = h.station.cls.right(1).toUpper();
    const int transmitters = h.station.cls.left(h.station.cls.size() - 1).toInt();
    const QStringList ops = h.operators.split(QLatin1Char(' '), Qt::SkipEmptyParts);

    QStringList l;
    l << QStringLiteral("START-OF-LOG: 3.0") << QStringLiteral("CONTEST: ARRL-FD")
      << QStringLiteral("CALLSIGN: ") + h.station.call << QStringLiteral("LOCATION: ") + h.station.section;
    l << QStringLiteral("CATEGORY-OPERATOR: ") + (ops.size() == 1 ? QStringLiteral("SINGLE-OP") : QStringLiteral("MULTI-OP"));
    QString station = QStringLiteral("PORTABLE");
    if (letter == QLatin1String("C"))
        station = QStringLiteral("MOBILE");
    else if (letter == QLatin1String("D") || letter == QLatin1String("E") || letter == QLatin1String("F"))
        station = QStringLiteral("FIXED");
    l << QStringLiteral("CATEGORY-STATION: ") + station;
    l << QStringLiteral("CATEGORY-TRANSMITTER: ")
            + (transmitters <= 1 ? QStringLiteral("ONE") : transmitters == 2 ? QStringLiteral("TWO") : QStringLiteral("UNLIMITED"));
    if (h.power == PowerClass::Qrp5)
        l << QStringLiteral("CATEGORY-POWER: QRP");
    else if (h.power == PowerClass::Low150)
        l << QStringLiteral("CATEGORY-POWER: LOW");
    else if (h.power == PowerClass::High)
        l << QStringLiteral("CATEGORY-POWER: HIGH");
    l << QStringLiteral("CLAIMED-SCORE: ") + QString::number(claimedScore.value_or(s.claimed));
    l << QStringLiteral("CLUB: ") + h.club;
    l << QStringLiteral("OPERATORS: ") + ops.join(QLatin1Char(' '));
    l << QStringLiteral("CREATED-BY: ") + QString::fromLatin1(ProgramTitle);

    // Our own three columns are the same on every line.
    QString mine;
    appendPadded(mine, h.station.call, 13);
    mine += QLatin1Char(' ');
    appendPadded(mine, h.station.cls, 3);
    mine += QLatin1Char(' ');
    appendPadded(mine, h.station.section, 5);
    mine += QLatin1Char(' ');

    CabrilloResult result;
    int recNo = 0;
    for (const ContactRecord& r : records) {
        ++recNo;
        const QString freq = cabrilloFrequency(r);
        const QString mode = cabrilloMode(r.mode);
        const QDate date = parseLogDate(r.date);
        QString why;
        if (freq.isEmpty())
            why = QStringLiteral("no band");
        else if (mode.isEmpty())
            why = QStringLiteral("unknown mode");
        else if (!date.isValid())
            why = QStringLiteral("invalid date");
        if (!why.isEmpty()) {
            result.skipped << QStringLiteral("#%1 %2 %3 %4 %5: %6").arg(recNo).arg(r.call, r.band, r.mode, r.date, why);
            continue;
        }
        // hh:mm and hh:mm:ss both give hhmm: the hours lead, whatever follows them.
        const QString time = adifTime(r.time).left(4).rightJustified(4, QLatin1Char('0'));
        QString line;
        line.reserve(96);
        line += QLatin1String("QSO: ");
        line += freq.rightJustified(5, QLatin1Char(' '));
        line += QLatin1Char(' ');
        appendPadded(line, mode, 2);
        line += QLatin1Char(' ');
        line += compactDate(date, QLatin1Char('-'));
        line += QLatin1Char(' ');
        line += time;
        line += QLatin1Char(' ');
        line += mine;
        appendPadded(line, r.call, 13);
        line += QLatin1Char(' ');
        appendPadded(line, r.cls, 3);
        line += QLatin1Char(' ');
        line += r.section;
        l << line.trimmed();
    }
    l << QStringLiteral("END-OF-LOG:");
    QByteArray out;
    for (const QString& line : l)
        out += line.toLatin1() + "\r\n";
    result.text = out;
    return result;
}

bool exportCabrillo(const std::vector<ContactRecord>& records, CabrilloHeader header, const QString& dataDir,
                    Dialogs& dialogs, UserSettingsStore& store, std::optional<qint64> claimedScore)
{
    PowerClass power = header.power;
    QString powerAnswer = store.value(QStringLiteral("CabrilloPower"));
    while (!claimedScore) {
        const auto a = dialogs.inputText(QStringLiteral("Maximum power output: 5, 150 or 150+ watts."),
                                         QStringLiteral("Power?"), powerAnswer);
        if (!a)
            return false;
        powerAnswer = a->trimmed();
        if (parsePowerClass(powerAnswer, power))
            break;
    }
    const auto ops = dialogs.inputText(QStringLiteral("Please enter the calls of every operator, separated by blanks."),
                                       QStringLiteral("Operators?"), store.value(QStringLiteral("CabrilloOperators")));
    if (!ops)
        return false;
    header.power = power;
    header.operators = ops->trimmed().toUpper();
    if (!claimedScore)
        store.setValue(QStringLiteral("CabrilloPower"), powerAnswer);
    store.setValue(QStringLiteral("CabrilloOperators"), header.operators);

    const QString path = dialogs.saveFileName(
        QStringLiteral("Cabrillo Export"),
        dataDir + QLatin1Char('/') + AlphanumericOnly(header.station.call.trimmed()) + QStringLiteral(".log"),
        QStringLiteral("*.log"));
    if (path.isEmpty() || refuseLiveLogTarget(dataDir, path, dialogs))
        return false;
    const CabrilloResult r = buildCabrillo(records, header, claimedScore);
    if (!writeReportFile(path, r.text, dialogs))
        return false;
    if (!r.skipped.isEmpty()) {
        dialogs.message(QStringLiteral("These contacts could not be written to the Cabrillo file:\n\n")
                            + r.skipped.join(QLatin1Char('\n')),
                        QStringLiteral("Contacts Left Out"), Dialogs::Icon::Warning);
    }
    dialogs.message(QStringLiteral("The file was successfully written to the directory:\n\n") + path + QLatin1Char('.'),
                    QStringLiteral("File Written Successfully."), Dialogs::Icon::Information);
    return true;
}
