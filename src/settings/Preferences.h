#pragma once

#include <QString>
#include <QtGlobal>

// The station and window settings kept in fdpref.dat: 17 lines, one value each, text in
// double quotes and numbers bare, CR LF line ends, read back in the same order.
struct Preferences {
    QString ownCall;
    QString ownClass;
    QString ownSection;
    float utcOffset = 0.0f; // hours added to local time to get UTC
    QString mode = QStringLiteral("PH");
    QString band = QStringLiteral("40");
    quint32 workedColour = 0x0000C000;    // blue-green-red layout: green
    quint32 notWorkedColour = 0x00E0E0E0; // light grey
    quint8 formSizePercent = 100;
    quint8 voiceNavigation = 0; // 0 off, 1 call only, 2 every field
    QString rigType = QStringLiteral("None");
    quint8 taskbarFit = 0;
    quint8 listPrevious = 0;
    QString operatorInitials;
    quint8 permanentBackup = 0;
    quint8 extraBackup = 0;
    QString extraBackupFolder;

    bool operator==(const Preferences&) const = default;
};

// The UTC offsets found on Earth, in hours; anything else is a typing error that would date
// contacts days away.
constexpr float kMinUtcOffsetHours = -12.0f;
constexpr float kMaxUtcOffsetHours = 14.0f;
bool isUtcOffsetInRange(double hours);

// Reads the file into `prefs`. Values are taken in order until the file ends or a line cannot
// be read; the rest keep what they held. Returns true only when all 17 were read. A UTC offset
// outside the range above becomes `computedUtcOffset` (the computer's own); a form size outside
// 30-100 becomes 100.
bool ReadPreferences(const QString& path, Preferences& prefs, float computedUtcOffset = 0.0f);

// Writes all 17 lines, replacing the file. False when it cannot be written.
bool SavePref(const QString& path, const Preferences& prefs);

// The file's content for these preferences (exposed for tests and tools).
QByteArray formatPreferences(const Preferences& prefs);

// A single-precision number as the preferences file writes it: no exponent, no trailing zeros.
QByteArray formatSingle(float value);
