#pragma once

#include "rig/RigTune.h"

#include <QTimer>
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class RigPoller;

// "Change Frequency and Mode (Ctrl G (Go))": type a frequency and Go, step it, jump to a band,
// set the mode, or scan between two frequencies. The rules are RigTune's.
class frmRigTune : public QWidget {
    Q_OBJECT
public:
    explicit frmRigTune(RigPoller& poller, QWidget* parent = nullptr);

    void Command1_Click(); // Go
    void cmdTune_Click(int index);
    void cmdBand_Click(int index);
    void modeButton_Click(const QString& mode);
    void chkScan_Click();
    void Timer1_Timer();
    int scanOption() const; // 1..5
    // The scan timer runs only while the window is shown with Scan ticked.
    bool scanning() const { return Timer1.isActive(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void txtFreq_Change();
    void updateScanTimer();

    RigTune m_tune;
    QLineEdit* txtFreq;
    QLineEdit* txtFrom;
    QLineEdit* txtTo;
    QPushButton* cmdTune[RigTune::kSteps];
    QPushButton* cmdBand[RigTune::kBands];
    QRadioButton* Option[RigTune::kScanSteps];
    QCheckBox* chkScan;
    QPushButton* Command1;
    QPushButton* cmdDone;
    QTimer Timer1;
};
