#pragma once

#include "reports/SummarySheet.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class Station;

// The summary sheet: counts the log once when it opens, takes what the log cannot know, and
// writes the .sum file or prints the old paper form. Opened modally and discarded on "Done".
class SummarySheetWindow : public QDialog {
    Q_OBJECT
public:
    SummarySheetWindow(Station& station, QWidget* parent = nullptr);

    // The sheet's fields as the writers take them.
    SummaryValues values() const;
    const BandModeCounts& counts() const { return m_counts; }

    void WriteSummaryFile();
    void PrintSummarySheet();
    // Opens the bonus calculator on the stored claims; OK stores them.
    void openBonusCalculator();

    QLineEdit* txtGotaCall;
    QLineEdit* txtClubName;
    QLineEdit* txtLocation;
    QCheckBox* chkSetupEarly;
    QLineEdit* txtParticipants;
    QRadioButton* optClassB1;
    QRadioButton* optClassB2;
    QLineEdit* txtClassBCalls;
    QRadioButton* optPower5;
    QRadioButton* optPower150;
    QRadioButton* optPowerOver150;
    QCheckBox* chkGenerator;
    QCheckBox* chkBattery;
    QCheckBox* chkCommercial;
    QCheckBox* chkOtherPower;
    QCheckBox* chkSolar; // the current rules' natural sources
    QCheckBox* chkWind;
    QLabel* lblPowerNote; // why a 5 W choice does not score x5
    QLineEdit* txtOtherPower;
    QLineEdit* txtGotaCw;
    QLineEdit* txtGotaDig;
    QLineEdit* txtGotaPh;
    QPlainTextEdit* txtGotaOperators;
    QCheckBox* chkEmergencyPower;
    QCheckBox* chkW1aw;
    QCheckBox* chkMedia;
    QCheckBox* chkMessagesRelayed;
    QCheckBox* chkPublicPlace;
    QCheckBox* chkSatellite;
    QCheckBox* chkInfoBooth;
    QCheckBox* chkNaturalPower;
    QCheckBox* chkMessageToSm;
    QCheckBox* chkSiteVisited;
    QCheckBox* chkNonTraditional;
    QCheckBox* chkYouth;
    QLineEdit* txtMessagesRelayed;
    QLineEdit* txtNonTraditional;
    QLineEdit* txtYouth;
    QLineEdit* txtTotalBonus;
    QLineEdit* txtName;
    QLineEdit* txtAddress1;
    QLineEdit* txtAddress2;
    QLineEdit* txtEmail;
    QPushButton* cmdBonus; // the current rules' bonus calculator
    QLabel* lblScore;      // QSO points x multiplier + bonus = claimed score
    QPushButton* cmdWriteSummary;
    QPushButton* cmdPrintSummary;
    QPushButton* cmdDone;

private:
    // The band-mode count table, built once when the sheet opens.
    void CountContactsByBandAndMode();
    void showCounts();
    void storeBack(const SummaryValues& v);
    // The current rules: the power step and sources chosen, the note and score redrawn, the
    // choices kept in the data folder for the scoreboard and the exports.
    void powerChanged();
    void showScore();

    Station& m_station;
    BandModeCounts m_counts;
    bool m_current = false; // the current rules, not the rules as written
    EntryClaims m_claims;
    class QScrollArea* m_scroll;
    class QLabel* m_countsLabel;
};
