#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class Station;

// "Append Data or Restore From Backup": appends a .dat log or an ADIF file to the log and
// rewrites fdlog.dat. Opened modally and discarded when it closes.
class ImportWindow : public QDialog {
    Q_OBJECT
public:
    ImportWindow(Station& station, std::function<void()> reloadLog, QWidget* parent = nullptr);

    void cmdBrowse_Click();
    void cmdAppend_Click();

    QLineEdit* txtPath;
    QCheckBox* chkEliminateDupes;
    QCheckBox* chkDigitalAsDig;
    QProgressBar* prgRead;
    QPushButton* cmdBrowse;
    QPushButton* cmdAppend;
    QPushButton* cmdDone;

private:
    void chkEliminateDupes_Click(bool checked);

    Station& m_station;
    std::function<void()> m_reloadLog;
};
