#pragma once

#include <QString>
#include <QtGlobal>

// The spotting window's settings, kept in PackSpot.txt: one record of 14 fields in this order,
// text in double quotes, numbers bare, commas between (a reader also takes line breaks).
struct SpotSettings {
    QString baud = QStringLiteral("9600");
    QString parity = QStringLiteral("N");
    QString dataBits = QStringLiteral("8");
    QString stopBits = QStringLiteral("1");
    quint8 port = 1;                         // 1 to 10
    QString powerLine = QStringLiteral("N"); // "N", "R" or "D"
    QString source = QStringLiteral("None"); // "None", "TNC", "Telnet", "AGW Packet Engine"
    int convertToHex = 0; // text for the TNC is hex pairs "C0 00 1B" to send as those bytes
    quint8 handshaking = 1; // 1 none, 2 XON/XOFF, 3 RTS, 4 RTS and XON/XOFF
    int listDxOnly = 0;
    bool mainFormList = false; // the main window shows the list (else the band map)
    QString tncCommandChar = QStringLiteral("03");
    QString telnetPort;
    QString telnetHost;

    bool operator==(const SpotSettings&) const = default;

    // Takes fields in order until the text ends or one cannot be read; the rest keep their
    // values. True only when all 14 were read.
    bool parse(const QByteArray& text);
    QByteArray format() const;
};

bool ReadSpotSettings(const QString& path, SpotSettings& settings);
bool SaveSpotSettings(const QString& path, const SpotSettings& settings);
