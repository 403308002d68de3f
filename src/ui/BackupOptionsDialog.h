#pragma once

#include <QDialog>

class BackupScheduler;
class QCheckBox;
class QLabel;
class QLineEdit;
class QTimer;
struct Preferences;

// frmBackup, "Backup Options": the optional dated and extra backup copies. Loaded hidden at
// start-up because its one-minute timer drives every automatic backup for the whole run.
class BackupOptionsDialog : public QDialog {
    Q_OBJECT
public:
    BackupOptionsDialog(BackupScheduler& scheduler, Preferences& prefs, const QString& dataDir, QWidget* parent = nullptr);

    // Shows the current settings, modally.
    void showOptions();

    QTimer* timer() const { return m_timer; }

signals:
    // The settings were stored: the preferences file must be written.
    void settingsChanged();

private:
    void storeOptions();

    BackupScheduler& m_scheduler;
    Preferences& m_prefs;
    QCheckBox* m_datedCopies;
    QCheckBox* m_extraCopy;
    QLineEdit* m_extraFolder;
    QTimer* m_timer;
};
