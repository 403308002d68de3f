#pragma once

#include <QString>
#include <array>

// What the phone setup window keeps. wave2.txt in the data folder holds 13 values, one a
// line (texts quoted, numbers bare): the F1-F9 wave files, the PTT port number, the PTT line
// (0 RTS, 1 DTR, 2 printer port), the F1 repeat seconds and the printer port address.
struct PhoneSettings {
    // None keys RTS on a serial port, as RTS does: only DTR must be chosen.
    enum Line : int { None = -1, Rts = 0, Dtr = 1, Parallel = 2 };

    std::array<QString, 9> files;
    QString port = QStringLiteral("0");
    int line = None;
    QString loopSeconds = QStringLiteral("0");
    QString printerAddress = QStringLiteral("&H378");

    // Stops at the first value missing or unreadable, the rest keeping what they had. False
    // when the file is missing.
    bool load(const QString& path);
    // Replaces the file whole; false when it cannot be written.
    bool save(const QString& path) const;

    int portNumber() const { return port.trimmed().toInt(); }
    // The repeat interval in ms, 0 for none.
    int repeatIntervalMs() const;
    // A left port field: "0" unless it is a number.
    static QString checkedPort(const QString& text);
    // A left repeat field: "0" unless it is a number from 0 to below 60.
    static QString checkedLoopSeconds(const QString& text);

    static QString path(const QString& dataDir) { return dataDir + QStringLiteral("/wave2.txt"); }
};
