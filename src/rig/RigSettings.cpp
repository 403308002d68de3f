#include "rig/RigSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>

QString RigSettings::settingsText() const
{
    return baud.trimmed() + QLatin1Char(',') + parity + QLatin1Char(',') + dataBits + QLatin1Char(',') + stopBits;
}

int RigSettings::tickMs(QChar pollRate)
{
    switch (pollRate.toLatin1()) {
    case 'F':
        return 50;
    case 'S':
        return 1000;
    case 'R':
        return 5000;
    default:
        return 250;
    }
}

QString RigSettings::pegasusDir() const
{
    return pegasusFolder.isEmpty() ? QDir::homePath() + QStringLiteral("/Pegasus") : pegasusFolder;
}

void RigSettings::selectRig(const QString& name)
{
    const RigModel* m = RigCatalog::find(name);
    if (!m)
        return;
    rigType = name;
    freqCommand = QString::fromLatin1(m->freqCommand);
    modeCommand = QString::fromLatin1(m->modeCommand);
    convertToHex = m->convertToHex;
    if (m->baud)
        baud = QString::fromLatin1(m->baud);
    if (m->dataBits) {
        dataBits = QLatin1Char(m->dataBits);
        stopBits = QLatin1Char(m->stopBits);
        parity = QLatin1Char(m->parity);
    }
}

namespace {
QChar charOr(const QVariant& v, QChar fallback)
{
    const QString s = v.toString();
    return s.isEmpty() ? fallback : s[0];
}
} // namespace

bool RigSettings::load(const QString& path)
{
    if (!QFileInfo::exists(path))
        return false;
    QSettings s(path, QSettings::IniFormat);
    s.beginGroup(QStringLiteral("Rig"));
    rigType = s.value("RigType", rigType).toString();
    baud = s.value("Baud", baud).toString();
    parity = charOr(s.value("Parity"), parity);
    dataBits = charOr(s.value("DataBits"), dataBits);
    stopBits = charOr(s.value("StopBits"), stopBits);
    port = std::clamp(s.value("Port", port).toInt(), 1, 10);
    powerLine = charOr(s.value("PowerLine"), powerLine);
    pollRate = charOr(s.value("PollRate"), pollRate);
    modeBy = static_cast<ModeBy>(std::clamp(s.value("ModeBy", static_cast<int>(modeBy)).toInt(), 0, 2));
    useFrequency = s.value("UseFrequency", useFrequency).toBool();
    freqCommand = s.value("FreqCommand", freqCommand).toString();
    modeCommand = s.value("ModeCommand", modeCommand).toString();
    convertToHex = s.value("ConvertToHex", convertToHex).toBool();
    convertFromHex = s.value("ConvertFromHex", convertFromHex).toBool();
    rigctldHost = s.value("RigctldHost", rigctldHost).toString();
    rigctldPort = static_cast<quint16>(s.value("RigctldPort", rigctldPort).toUInt());
    pegasusFolder = s.value("PegasusFolder", pegasusFolder).toString();
    catOnOff = s.value("CatOnOff", catOnOff).toBool();
    s.endGroup();
    const int n = s.beginReadArray(QStringLiteral("Ports"));
    if (n > 0) {
        SerialPortTable table;
        for (int i = 0; i < n; ++i) {
            s.setArrayIndex(i);
            table.setDevice(i + 1, s.value("Device").toString());
        }
        ports = table;
    }
    s.endArray();
    return s.status() == QSettings::NoError;
}

bool RigSettings::save(const QString& path) const
{
    QSettings s(path, QSettings::IniFormat);
    s.clear();
    s.beginGroup(QStringLiteral("Rig"));
    s.setValue("RigType", rigType);
    s.setValue("Baud", baud);
    s.setValue("Parity", QString(parity));
    s.setValue("DataBits", QString(dataBits));
    s.setValue("StopBits", QString(stopBits));
    s.setValue("Port", port);
    s.setValue("PowerLine", QString(powerLine));
    s.setValue("PollRate", QString(pollRate));
    s.setValue("ModeBy", static_cast<int>(modeBy));
    s.setValue("UseFrequency", useFrequency);
    s.setValue("FreqCommand", freqCommand);
    s.setValue("ModeCommand", modeCommand);
    s.setValue("ConvertToHex", convertToHex);
    s.setValue("ConvertFromHex", convertFromHex);
    s.setValue("RigctldHost", rigctldHost);
    s.setValue("RigctldPort", rigctldPort);
    s.setValue("PegasusFolder", pegasusFolder);
    s.setValue("CatOnOff", catOnOff);
    s.endGroup();
    s.beginWriteArray(QStringLiteral("Ports"), ports.size());
    for (int i = 0; i < ports.size(); ++i) {
        s.setArrayIndex(i);
        s.setValue("Device", ports.device(i + 1));
    }
    s.endArray();
    s.sync();
    return s.status() == QSettings::NoError;
}

int RigSettings::quietGapMs() const
{
    // Start bit, data bits, parity, stop bits: the time of one character on the line.
    const int bits = 1 + (dataBits == QLatin1Char('7') ? 7 : 8) + (parity == QLatin1Char('N') ? 0 : 1) +
                     (stopBits == QLatin1Char('2') ? 2 : 1);
    const int rate = baud.trimmed().toInt();
    if (rate <= 0)
        return 10;
    return std::max(10, (3 * bits * 1000 + rate - 1) / rate);
}
