#pragma once

#include "rig/BandPlanLookup.h"

#include <QDialog>

class Dialogs;
class QLabel;
class QVBoxLayout;

// "Frequency Privileges": the band plan for one licence class, from BandPlan.txt in the data
// folder (the plan built into the program when the folder has none).
class BandPlanWindow : public QDialog {
    Q_OBJECT
public:
    BandPlanWindow(const QString& dataDir, Dialogs& dialogs, QWidget* parent = nullptr);

    // Reads the plan and shows the Extra class; false (after the message) when it is unusable.
    bool load();
    void showClass(const QString& letter);
    QString heading() const;

private:
    QString m_dataDir;
    Dialogs& m_dialogs;
    BandPlanLookup m_plan;
    QLabel* m_effective;
    QLabel* m_heading;
    QWidget* m_rows = nullptr;
    QVBoxLayout* m_layout;
};
