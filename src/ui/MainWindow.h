#pragma once

#include "entry/EntryWorkflow.h"
#include "entry/KeyerHandoff.h"

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <optional>

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
class QTimer;
class RigPoller;
class RigWindows;
class SectionDisplay;
class Station;
class StatusStrip;
class BandModeTable;

// The logging window. It turns Qt events into calls on the entry rules, the logbook and the
// operating state, and redraws itself from their state; it keeps no rules of its own.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Station& station, Dialogs& dialogs, RigPoller& rigPoller, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Starts the hidden backup window whose one-minute timer drives the automatic backups.
    void loadBackupWindow(BackupScheduler& scheduler);
    // Sizes the window from the screen and the form-size settings.
    void fitToScreen();
    // The keyer that takes the function keys, arrows, Escape and keyboard-CW typing.
    void setKeyer(KeyerHandoff* keyer) { m_keyer = keyer ? keyer : &m_noKeyer; }
    // A keyer's notice in the message label (speed, keyboard CW mode, text still to send).
    void showKeyerMessage(const LabelView& label);

    // Redraws the counts, the section display, the list and the rates from the log.
    void refreshFromLog();
    // Shows the station's own class, call and section.
    void showStationIdentity();
    // Redraws the entry area from the entry rules' view.
    void redrawEntry();
    // Puts the focus back into the call field (after a dialog or secondary window closes).
    void returnToCall();
    // TimeStats: the contact rates of the last hour and 20 minutes.
    void TimeStats();

    EntryWorkflow& entry() { return m_entry; }
    // The spot list or band map strip, under the contact list.
    void placeSpotDisplay(QWidget* display);
    RigWindows& rig() { return *m_rig; }
    ContactTableModel* listModel() const { return m_model; }
    QTableView* listView() const { return m_list; }

    // Operations of the menus and buttons.
    void mnuOpen_Click();
    void mnuRepair_Click();
    void mnuSetup_Click();
    void mnuOperator_Click();
    void mnuBackupOptions_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void cmdFind_Click();

signals:
    // The pointer rests on a label of the section grid, whichever grid the rules have built.
    void sectionPointedAt(const QString& abbr);

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Band label -> its menu item's name ("20" -> mnu20, "1.25" -> mnu125, "SAT" -> mnuSatellite).
    static QString bandActionName(const QString& band);
    void buildWidgets();
    void buildMenus();
    void buildOptionsMenu();
    SectionDisplay* buildSectionDisplay(QWidget* parent);
    QAction* addAction(QMenu* menu, const QString& name, const QString& text, void (MainWindow::*slot)());
    void showBandAndMode();
    void showClock();
    bool entryKey(QObject* field, int key);
    void focusChanged(QWidget* now);
    void setTabOrder(bool callFirst);
    int selectedRecordNumber() const;
    void armHoldTimer();
    void showCallLock(bool locked);

    Station& m_station;
    Dialogs& m_dialogs;
    EntryWorkflow m_entry;
    NoKeyer m_noKeyer;
    KeyerHandoff* m_keyer = &m_noKeyer;
    RigWindows* m_rig = nullptr;
    ContactTableModel* m_model = nullptr;
    QTableView* m_list = nullptr;
    SectionDisplay* m_sections = nullptr;
    QLabel* m_cwCount = nullptr;
    QLabel* m_digitalCount = nullptr;
    QLabel* m_phoneCount = nullptr;
    QLabel* m_pointsTotal = nullptr;
    QLabel* m_ownClass = nullptr;
    QLabel* m_ownCall = nullptr;
    QLabel* m_ownSection = nullptr;
    ClickableLabel* m_bandDisplay = nullptr;
    ClickableLabel* m_modeDisplay = nullptr;
    QLabel* m_dialog = nullptr;
    std::optional<LabelView> m_paintedEntryDialog; // the entry's last message shown in m_dialog
    QLabel* m_dupe = nullptr;
    QLabel* m_worked = nullptr;
    QLabel* m_listFilter = nullptr;
    quint64 m_shownListVersion = ~0ULL;
    StatusStrip* m_strip = nullptr;
    BandModeTable* m_bandModes = nullptr;
    QLabel* m_utcTime = nullptr;
    QLabel* m_localTime = nullptr;
    QLabel* m_amPm = nullptr;
    QLabel* m_rate60 = nullptr;
    QLabel* m_rate20 = nullptr;
    std::map<EntryField, QLineEdit*> m_fields;
    QMetaObject::Connection m_focusWatch; // the application's focus changes, cut before we are gone
    QList<QWidget*> m_postContestWidgets;
    QList<QWidget*> m_bigType; // the large labels and entry fields
    void applyBigType();
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_listButton = nullptr;
    QPushButton* m_dupButton = nullptr;
    QAction* m_postContestAction = nullptr;
    QAction* m_listPreviousAction = nullptr;
    QAction* m_taskbarAction = nullptr;
    QAction* m_tabCallFirst = nullptr;
    QAction* m_tabDateFirst = nullptr;
    QList<QAction*> m_bandActions;
    QList<QAction*> m_modeActions;
    QTimer* m_holdTimer = nullptr;
    QPointer<BackupOptionsDialog> m_backup;
    bool m_redrawing = false;
    bool m_rowChosen = false; // Edit and Delete stay hidden until a row is clicked again
};
