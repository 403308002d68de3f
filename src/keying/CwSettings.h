#pragma once

#include <QString>
#include <array>

class UserSettingsStore;

// What the CW setup window keeps: the eleven memories, port, speed, word space, repeat, output
// and timing. cw.txt in the data folder holds 18 values, one a line (texts quoted, numbers
// bare): F1-F9, port, WPM, F10, F11, word space, output code, printer address, display check
// box, repeat seconds. The timing method and loop count live in the per-user store.
struct CwSettings {
    // Keying output codes as stored (4 is not used).
    enum Output : int { None = 0, Rts = 1, Dtr = 2, Printer = 3, WinKey = 5, Cwdaemon = 6 };

    std::array<QString, 11> messages; // F1 ... F9, F10 (Text12), F11 (Text13)
    QString port = QStringLiteral("0");
    QString wpm = QStringLiteral("13");
    QString wordSpace = QStringLiteral("0");
    int output = None;
    QString printerAddress = QStringLiteral("&H378");
    bool displayOnMain = false;
    QString repeatSeconds = QStringLiteral("0");
    QString timing = QStringLiteral("Timer"); // "Timer", "Sleep" or "Loop"
    double loopCount = 0;
    QString cwdaemonHost = QStringLiteral("127.0.0.1:6789");

    // Reads cw.txt: stops at the first value missing or unreadable, the rest keeping what
    // they had; an empty F9 becomes the test text "VVV DE ". False when the file is missing.
    bool load(const QString& path);
    // Replaces cw.txt whole; false when it cannot be written.
    bool save(const QString& path) const;
    void loadUserValues(const UserSettingsStore& store);
    void saveUserValues(UserSettingsStore& store) const;

    // The repeat interval in ms: seconds × 1000 when 0 <= seconds < 60, else 0 (no repeat).
    static int repeatIntervalMs(const QString& seconds);
    double speed() const { return wpm.toDouble(); }

    static QString path(const QString& dataDir) { return dataDir + QStringLiteral("/cw.txt"); }
};
