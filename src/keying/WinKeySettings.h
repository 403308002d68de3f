#pragma once

#include <QString>

class WinKeyClient;

// The keyer settings of the WinKey window and WK.txt in the data folder: port (bare number),
// speed, weight, lead-in, tail, ratio (quoted texts), then pin configuration and mode (bare
// numbers, optional when reading). The field rules decide what a left field sends.
struct WinKeySettings {
    enum class Field { Speed, Weight, LeadIn, Tail, Ratio };

    int port = 0;
    QString wpm = QStringLiteral("18");
    QString weight = QStringLiteral("50");
    QString leadIn = QStringLiteral("0");
    QString tail = QStringLiteral("0");
    QString ratio = QStringLiteral("50");
    int pins = 6; // 4 P5 off/P3 key, 8 P5 key/P3 off, 5 PTT, 6 Tone
    int mode = 0; // 16 Iambic A, 0 Iambic B, 32 Ultimatic, 48 Bug

    // Reads what the file holds, stopping at the first bad value; false when it is missing.
    bool load(const QString& path);
    bool save(const QString& path) const;

    // A field was left: corrects its text as the rules say and sends the value to an open
    // keyer when the rule accepts it.
    void fieldLeft(Field field, WinKeyClient& keyer);
    // ApplyWinKeySettings: speed, weight, lead-in/tail and ratio by their rules, then pins,
    // mode, and the speed pot's span (then a reading of it, for the window).
    void applyAll(WinKeyClient& keyer);
    // Weight, lead-in, tail, ratio, pins and mode back to the values shown when nothing is
    // loaded (the speed stays).
    void resetToDefaults();

    // The pot turns from 10 to 35 WPM: the speeds a Field Day CW operator moves between.
    static constexpr int PotMinWpm = 10;
    static constexpr int PotRangeWpm = 25;

    QString* text(Field field);
    static QString path(const QString& dataDir) { return dataDir + QStringLiteral("/WK.txt"); }
};
