#pragma once

#include <QMainWindow>
#include <QPointer>

class BackupOptionsDialog;
class BackupScheduler;
class ClickableLabel;
class ContactTableModel;
class Dialogs;
class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class SectionDisplay;
class Station;

// The logging window. It shows the station's state and forwards the operator's actions to the
// logbook and the operating state; it keeps no rules of its own.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Station& station, Dialogs& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Starts the hidden backup window whose one-minute timer drives the automatic backups.
    void loadBackupWindow(BackupScheduler& scheduler);

    // Redraws the counts, the section display and the list from the log.
    void refreshFromLog();
    // Refills ListView1: the last 20 contacts, or all of them.
    void RefreshLogList();
    // Shows the station's own class, call and section.
    void showStationIdentity();

    // Operations of the menus and buttons.
    void mnuOpen_Click();
    void mnuNew_Click();
    void mnuArchive_Click();
    void mnuBackupOptions_Click();
    void mnuOperator_Click();
    void mnuSetup_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();

    ContactTableModel* listModel() const { return m_model; }
    QTableView* listView() const { return m_list; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWidgets();
    void buildMenus();
    QAction* addAction(QMenu* menu, const QString& name, const QString& text, void (MainWindow::*slot)());
    void showBandAndMode();
    int selectedRecordNumber() const;
    void setEditButtonsVisible(bool visible);

    Station& m_station;
    Dialogs& m_dialogs;
    ContactTableModel* m_model = nullptr;
    QTableView* m_list = nullptr;
    SectionDisplay* m_sections = nullptr;
    QLabel* m_counts[4] = {};
    QLabel* m_ownClass = nullptr;
    QLabel* m_ownCall = nullptr;
    QLabel* m_ownSection = nullptr;
    ClickableLabel* m_bandDisplay = nullptr;
    ClickableLabel* m_modeDisplay = nullptr;
    QLabel* m_dialog = nullptr;
    QLabel* m_dupe = nullptr;
    QLineEdit* m_call = nullptr;
    QLineEdit* m_class = nullptr;
    QLineEdit* m_section = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QList<QAction*> m_bandActions;
    QList<QAction*> m_modeActions;
    QPointer<BackupOptionsDialog> m_backup;
    bool m_showAll = false;
};
