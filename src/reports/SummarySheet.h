#pragma once

#include "log/RulesEdition.h"
#include "reports/EntryClaims.h"
#include "reports/Score.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

class Dialogs;
class SharedPreferences;
class UserSettingsStore;

// Everything the summary sheet holds: what the log cannot know, typed by the operator.
struct SummaryValues {
    QString callUsed;
    QString ownClass;
    QString ownSection;

    QString gotaCall;
    QString clubName;
    QString location;
    bool setupEarly = false;
    QString participants;
    bool classBOneOp = true;  // "1 Op" chosen, otherwise "2 Op"
    QString classBCalls;
    PowerClass power = PowerClass::None;
    bool generator = false;
    bool battery = false;
    bool commercialMains = false;
    bool otherPower = false;
    QString otherPowerList;
    QString gotaCw;
    QString gotaDig;
    QString gotaPh;
    QString gotaOperators;

    bool bonusEmergencyPower = false;
    bool bonusW1awMessage = false;
    bool bonusMedia = false;
    bool bonusMessagesRelayed = false;
    bool bonusPublicPlace = false;
    bool bonusSatellite = false;
    bool bonusInfoBooth = false;
    bool bonusNaturalPower = false;
    bool bonusMessageToSm = false;
    bool bonusSiteVisited = false;
    bool bonusNonTraditional = false;
    bool bonusYouth = false;
    QString messagesRelayed;
    QString nonTraditionalModes;
    QString youthCount;
    QString totalBonus;

    QString yourName;
    QString address1;
    QString address2;
    QString email;

    // The rules the sheet follows. The current rules take the power step of `claims` and its
    // bonus claims (the score includes them) instead of `power` and the twelve bonus checks;
    // their sources are the four checks above plus solar and wind.
    RulesEdition rules = RulesEdition::AsWritten;
    EntryClaims claims;
};

// A text that is a whole number counts as it is; anything else counts as 0 (the sheet
// replaces it with "0" when the field is left).
QString numericOrZero(const QString& text);
// The class's letter ("2A" gives "A") and its transmitter count ("2A" gives "2").
QString classLetter(const QString& cls);
QString transmitterCount(const QString& cls);
// A line of the three mode columns, at 20, 35 and 50, as both summary forms lay them out.
QString modeColumns(const QString& cw, const QString& digital, const QString& phone);
GotaCounts gotaCounts(const SummaryValues& v);
Score summaryScore(const BandModeCounts& counts, const SummaryValues& v);
// The current rules' multiplier, bonus and claimed score of the sheet (the claims' sources
// follow the sheet's checks).
ClaimedScore currentRulesScore(const BandModeCounts& counts, const SummaryValues& v);
// The sheet's four power-source checks merged into the claims' sources.
PowerSources sheetPowerSources(const SummaryValues& v);

// Proposed file name for the station's call: K1ABC/4 gives <dataDir>/K1ABC.sum.
QString proposedSummaryPath(const QString& dataDir, const QString& callUsed);

// Runs the whole "Write Summary File" button: numeric clean-up, save dialog, the file, the
// messages and the kept values. False when nothing was written (cancelled or failed).
bool WriteSummaryFile(SummaryValues& v, const BandModeCounts& counts, int logSize, const QString& dataDir,
                      const QDate& today, Dialogs& dialogs, UserSettingsStore& store, SharedPreferences& shared);

// The sheet may open only with a call, class and section of at least two characters each.
bool summaryIdentityComplete(const QString& call, const QString& cls, const QString& section);

// Texts shared by the sheet window and the tools.
namespace SummaryTexts {
inline constexpr char NeedIdentity[] = "Please enter your Call, Class and Section in Setup!";
inline constexpr char NeedIdentityTitleWrite[] = "Need Call, Class & Section!";
inline constexpr char NeedIdentityTitlePrint[] = "Need Class & Section!";
QString printedFormsMessage();
inline constexpr char PrintedFormsTitle[] = "Printed forms no longer accepted!";
}  // namespace SummaryTexts
