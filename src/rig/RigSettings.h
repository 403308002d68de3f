#pragma once

#include "rig/RigCatalog.h"
#include "rig/SerialPortTable.h"

#include <QString>

// Everything the rig window lets the operator choose, kept in rig.ini in the data folder
// (the rig type itself also lives in fdpref.dat).
struct RigSettings {
    enum class ModeBy { Rig, Frequency, DontUse };

    QString rigType = QStringLiteral("None");
    QString baud = QStringLiteral("4800");
    QChar parity = QLatin1Char('N');
    QChar dataBits = QLatin1Char('8');
    QChar stopBits = QLatin1Char('2');
    int port = 1;                       // 1 to 10, through the port table
    QChar powerLine = QLatin1Char('N'); // 'N', 'R' (RTS) or 'D' (DTR)
    QChar pollRate = QLatin1Char('M');  // 'F' 100 ms, 'M' 500 ms, 'S' 2 s, 'R' 10 s per poll
    ModeBy modeBy = ModeBy::Rig;
    bool useFrequency = true;
    QString freqCommand;
    QString modeCommand;
    bool convertToHex = false;
    bool convertFromHex = false;
    QString rigctldHost = QStringLiteral("127.0.0.1");
    quint16 rigctldPort = 4532;
    QString pegasusFolder; // empty: $HOME/Pegasus
    int handshaking = -1;  // -1: RTS/CTS for the Ten-Tecs that need it, else none
    // "CAT on/off at open and close (FT-847)": the Yaesu open and close bytes are LOCK ON/OFF
    // on the FT-817/857/897, so they are sent only when asked for.
    bool catOnOff = false;
    SerialPortTable ports = SerialPortTable::systemDefault();

    // "4800,N,8,2"
    QString settingsText() const;
    // Tick interval for the poll rate; a poll takes two ticks.
    static int tickMs(QChar pollRate);
    RigFamily family() const { return RigCatalog::familyOf(rigType); }
    QString pegasusDir() const;
    // How long the line must stay quiet before a binary reply counts as whole: three
    // character times at the port's speed, at least 10 ms.
    int quietGapMs() const;

    // Choosing a rig in the list: the type, its command boxes, hex flag and port presets.
    void selectRig(const QString& name);

    bool load(const QString& iniPath);
    bool save(const QString& iniPath) const;
    static QString iniPath(const QString& dataDir) { return dataDir + QStringLiteral("/rig.ini"); }
};
