#pragma once

#include "log/ContactRecord.h"
#include "reports/Score.h"
#include "reports/TextReports.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class Dialogs;
class UserSettingsStore;

// What the Cabrillo header needs beyond the log.
struct CabrilloHeader {
    StationIdentity station;
    PowerClass power = PowerClass::None;
    QString club;
    QString operators; // calls separated by blanks
};

struct CabrilloResult {
    QByteArray text;
    QStringList skipped; // one line per contact left out, with its reason
};

// Band and mode designators as the QSO lines write them; empty when the contact has none.
QString cabrilloFrequency(const ContactRecord& r);
QString cabrilloMode(const QString& mode);

// The whole Cabrillo 3.0 file for ARRL Field Day. `claimedScore` is the current rules' score
// with its bonus points; without it the score is QSO points x the multiplier of the header's power.
CabrilloResult buildCabrillo(const std::vector<ContactRecord>& records, const CabrilloHeader& header,
                             std::optional<qint64> claimedScore = std::nullopt);

// The menu item: asks for the power class and the operators' calls (both prefilled from the
// last answer), the file name, then writes and lists the contacts left out. With the current
// rules' `claimedScore` the header's power is already chosen and is not asked.
bool exportCabrillo(const std::vector<ContactRecord>& records, CabrilloHeader header, const QString& dataDir,
                    Dialogs& dialogs, UserSettingsStore& store, std::optional<qint64> claimedScore = std::nullopt);
