#pragma once

#include "reports/EntryCheck.h"

#include <QDialog>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;
class Station;

// "Check Log": what would be wrong with the entry as it stands, one row per finding with its
// record number. Opening a row hands that record to `openRecord` (the edit window); the check
// itself never changes the log. The list is checked again after each opened record.
class CheckLogWindow : public QDialog {
    Q_OBJECT
public:
    CheckLogWindow(Station& station, std::function<void(int recNo)> openRecord, QWidget* parent = nullptr);

    const std::vector<Finding>& findings() const { return m_findings; }
    // Runs the check on the log as it is now and redraws the list.
    void recheck();
    // Opens the record of the selected row.
    void openSelected();

    QTableWidget* lstFindings;
    QLabel* lblCount;
    QPushButton* cmdOpen;
    QPushButton* cmdDone;

private:
    Station& m_station;
    std::function<void(int)> m_openRecord;
    std::vector<Finding> m_findings;
};

// The edit window for one record, as the main window's Edit button opens it.
void editRecord(Station& station, int recNo, QWidget* parent);
