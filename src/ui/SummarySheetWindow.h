#pragma once

#include "reports/SummarySheet.h"

#include <QDialog>

class QCheckBox;
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
    QPushButton* cmdWriteSummary;
    QPushButton* cmdPrintSummary;
    QPushButton* cmdDone;

private:
    // The band-mode count table, built once when the sheet opens.
    void CountContactsByBandAndMode();
    void showCounts();
    void storeBack(const SummaryValues& v);

    Station& m_station;
    BandModeCounts m_counts;
    class QLabel* m_countsLabel;
};
