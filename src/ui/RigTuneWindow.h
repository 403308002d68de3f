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
class RigTuneWindow : public QWidget {
    Q_OBJECT
public:
    explicit RigTuneWindow(RigPoller& poller, QWidget* parent = nullptr);

    void go(); // Go
    void stepFrequency(int index);
    void goToBand(int index);
    void setMode(const QString& mode);
    void scanClicked();
    void scanTick();
    int scanOption() const; // 1..5
    // The current rules leave 60, 30, 17 and 12 m out of Field Day: no preset for them then.
    void showFieldDayBandsOnly(bool only);
    // The scan timer runs only while the window is shown with Scan ticked.
    bool scanning() const { return m_scanTimer.isActive(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void updateStepButtons();
    void updateScanTimer();

    RigTune m_tune;
    QLineEdit* m_frequency;
    QLineEdit* m_scanFrom;
    QLineEdit* m_scanTo;
    QPushButton* m_stepButtons[RigTune::kSteps];
    QPushButton* m_bandButtons[RigTune::kBands];
    QRadioButton* m_scanStepChoice[RigTune::kScanSteps];
    QCheckBox* m_scan;
    QPushButton* m_goButton;
    QPushButton* m_doneButton;
    QTimer m_scanTimer;
};
