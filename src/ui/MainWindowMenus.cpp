// The main window's menus, its tab-order options and its size: kept apart from the entry and
// list handling in MainWindow.cpp.
#include "ui/MainWindow.h"

#include "log/Bands.h"
#include "log/OperatingState.h"
#include "log/Station.h"
#include "settings/FormScaling.h"
#include "ui/AboutBox.h"
#include "ui/ContactTableModel.h"
#include "ui/ReportActions.h"
#include "ui/RigWindows.h"
#include "util/Clock.h"
#include "util/Dialogs.h"

#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>

// Band label -> menu item name.
QString MainWindow::bandActionName(const QString& band)
{
    if (band == QLatin1String("SAT"))
        return QStringLiteral("mnuSatellite");
    QString digits = band;
    digits.remove(QLatin1Char('.'));
    return QStringLiteral("mnu") + digits;
}

QAction* MainWindow::addAction(QMenu* menu, const QString& name, const QString& text, void (MainWindow::*slot)())
{
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, slot);
    return a;
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    addAction(file, QStringLiteral("mnuOpen"), QStringLiteral("&Reload Log"), &MainWindow::mnuOpen_Click);
    addAction(file, QStringLiteral("mnuRepair"), QStringLiteral("Re&pair Log File"), &MainWindow::mnuRepair_Click);
    QAction* newLog = file->addAction(QStringLiteral("&New Log..."));
    newLog->setObjectName(QStringLiteral("mnuNew"));
    connect(newLog, &QAction::triggered, this,
            [this] { m_station.logbook().ConfirmNewLog(m_station.clock().localNow()); });
    QAction* archive = file->addAction(QStringLiteral("&Archive Log..."));
    archive->setObjectName(QStringLiteral("mnuArchive"));
    connect(archive, &QAction::triggered, this, [this] {
        m_station.logbook().archive(m_station.paths().documentsDir, m_station.prefs().ownCall,
                                    m_station.clock().localNow().date());
    });
    file->addSeparator();
    installReportActions(
        file, m_station, this, m_model, [this] { m_station.logbook().reload(); },
        [this](const QString& status) { m_dialog->setText(status); });
    file->addSeparator();
    addAction(file, QStringLiteral("mnuSetup"), QStringLiteral("&Station Setup..."), &MainWindow::mnuSetup_Click);
    addAction(file, QStringLiteral("mnuOperator"), QStringLiteral("Change &Operator..."), &MainWindow::mnuOperator_Click);
    addAction(file, QStringLiteral("mnuBackupOptions"), QStringLiteral("&Backup Options..."),
              &MainWindow::mnuBackupOptions_Click);
    file->addSeparator();
    QAction* exit = file->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("mnuExit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* band = menuBar()->addMenu(QStringLiteral("&Band"));
    band->setObjectName(QStringLiteral("mnuBand"));
    auto* bandGroup = new QActionGroup(this);
    for (const QString& label : Bands::labels()) {
        QAction* a = band->addAction(label == QLatin1String("SAT") ? QStringLiteral("Satellite") : label);
        a->setObjectName(bandActionName(label));
        a->setCheckable(true);
        bandGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, label] { m_station.state().selectBand(label); });
        m_bandActions << a;
    }
    // Band and mode keys clear of the keyers' (Ctrl+letters, F-keys, Up, Down, Esc).
    band->addSeparator();
    const auto step = [this](QMenu* menu, const char* name, const QString& text, const QKeySequence& keys,
                             void (OperatingState::*change)()) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, [this, change] { (m_station.state().*change)(); });
    };
    step(band, "mnuNextBand", QStringLiteral("&Next Band"), QKeySequence(Qt::CTRL | Qt::Key_PageUp),
         &OperatingState::nextBand);
    step(band, "mnuPreviousBand", QStringLiteral("&Previous Band"), QKeySequence(Qt::CTRL | Qt::Key_PageDown),
         &OperatingState::previousBand);

    QMenu* mode = menuBar()->addMenu(QStringLiteral("&Mode"));
    mode->setObjectName(QStringLiteral("mnuMode"));
    auto* modeGroup = new QActionGroup(this);
    const QList<QPair<QString, QString>> modes{{"mnuCW", "CW"}, {"mnuDigital", "DIG"}, {"mnuSSB", "PH"}};
    const QStringList captions{"&CW", "&Digital", "&Phone"};
    for (int i = 0; i < modes.size(); ++i) {
        QAction* a = mode->addAction(captions[i]);
        a->setObjectName(modes[i].first);
        a->setCheckable(true);
        modeGroup->addAction(a);
        const QString m = modes[i].second;
        connect(a, &QAction::triggered, this, [this, m] { m_station.state().selectMode(m); });
        m_modeActions << a;
    }
    mode->addSeparator();
    step(mode, "mnuNextMode", QStringLiteral("&Next Mode"), QKeySequence(Qt::CTRL | Qt::Key_M),
         &OperatingState::nextMode);

    QMenu* rig = menuBar()->addMenu(QStringLiteral("&Rig"));
    rig->setObjectName(QStringLiteral("mnuRig"));
    QAction* rigControl = rig->addAction(QStringLiteral("Rig &Interface Setup...\tCtrl+R"));
    rigControl->setObjectName(QStringLiteral("mnuRigControl"));
    connect(rigControl, &QAction::triggered, m_rig, &RigWindows::showRigControl);
    QAction* rigTune = rig->addAction(QStringLiteral("&Change Frequency and Mode...\tCtrl+G"));
    rigTune->setObjectName(QStringLiteral("mnuRigTune"));
    connect(rigTune, &QAction::triggered, m_rig, &RigWindows::showRigTune);

    buildOptionsMenu();

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction* about = help->addAction(QStringLiteral("&About Field Day Logger"));
    about->setObjectName(QStringLiteral("mnuAbout"));
    connect(about, &QAction::triggered, this, [this] { showAboutBox(m_dialogs); });
}

void MainWindow::buildOptionsMenu()
{
    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    m_listPreviousAction = options->addAction(QStringLiteral("List &Previous Contacts of the Entered Call"));
    m_listPreviousAction->setObjectName(QStringLiteral("mnuListPrevious"));
    m_listPreviousAction->setCheckable(true);
    connect(m_listPreviousAction, &QAction::triggered, this, [this] {
        m_entry.toggleListPrevious();
        redrawEntry();
    });
    m_postContestAction = options->addAction(QStringLiteral("Post-&Contest Entry"));
    m_postContestAction->setObjectName(QStringLiteral("mnuPostContest"));
    m_postContestAction->setCheckable(true);
    connect(m_postContestAction, &QAction::triggered, this, [this] {
        m_entry.togglePostContest();
        redrawEntry();
    });
    options->addSeparator();
    // The rules: a choice of two, kept with the data folder.
    QMenu* rules = options->addMenu(QStringLiteral("&Rules"));
    rules->setObjectName(QStringLiteral("mnuRules"));
    auto* rulesGroup = new QActionGroup(rules);
    for (RulesEdition e : {RulesEdition::FieldDay2025, RulesEdition::AsWritten}) {
        QAction* a = rules->addAction(rulesEditionName(e));
        a->setObjectName(e == RulesEdition::FieldDay2025 ? QStringLiteral("mnuRules2025")
                                                         : QStringLiteral("mnuRulesWritten"));
        a->setCheckable(true);
        a->setActionGroup(rulesGroup);
        connect(a, &QAction::triggered, this, [this, e] { m_station.setRules(e); });
        connect(rules, &QMenu::aboutToShow, a, [this, a, e] { a->setChecked(m_station.rules() == e); });
        a->setChecked(m_station.rules() == e);
    }
    options->addSeparator();
    m_tabCallFirst = options->addAction(QStringLiteral("Tab Order: &Call First"));
    m_tabCallFirst->setObjectName(QStringLiteral("mnuTabCallFirst"));
    m_tabCallFirst->setCheckable(true);
    m_tabCallFirst->setChecked(true);
    connect(m_tabCallFirst, &QAction::triggered, this, [this] { setTabOrder(true); });
    m_tabDateFirst = options->addAction(QStringLiteral("Tab Order: &Date and Time First"));
    m_tabDateFirst->setObjectName(QStringLiteral("mnuTabDateFirst"));
    m_tabDateFirst->setCheckable(true);
    connect(m_tabDateFirst, &QAction::triggered, this, [this] { setTabOrder(false); });
    options->addSeparator();
    QAction* formSize = options->addAction(QStringLiteral("&Form Size..."));
    formSize->setObjectName(QStringLiteral("mnuFormsize"));
    connect(formSize, &QAction::triggered, this, [this] {
        if (FormSizeSettings(m_station.prefs(), m_dialogs).askFormSize()) {
            m_station.SavePref();
            fitToScreen();
        }
    });
    m_taskbarAction = options->addAction(QStringLiteral("Fit to the &Work Area (Leave the Taskbar Visible)"));
    m_taskbarAction->setObjectName(QStringLiteral("mnuTaskbar"));
    m_taskbarAction->setCheckable(true);
    m_taskbarAction->setChecked(m_station.prefs().taskbarFit == 1);
    connect(m_taskbarAction, &QAction::triggered, this, [this] {
        if (FormSizeSettings(m_station.prefs(), m_dialogs).toggleTaskbarFit()) {
            m_station.SavePref();
            fitToScreen();
        }
        m_taskbarAction->setChecked(m_station.prefs().taskbarFit == 1);
    });
}

void MainWindow::setTabOrder(bool callFirst)
{
    QLineEdit* call = m_fields[EntryField::Call];
    QLineEdit* date = m_fields[EntryField::PostConDate];
    QLineEdit* time = m_fields[EntryField::PostConTime];
    const QList<QWidget*> order = callFirst
        ? QList<QWidget*>{call, date, time, m_fields[EntryField::Class], m_fields[EntryField::Section]}
        : QList<QWidget*>{date, time, call, m_fields[EntryField::Class], m_fields[EntryField::Section]};
    for (int i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    m_tabCallFirst->setChecked(callFirst);
    m_tabDateFirst->setChecked(!callFirst);
    m_station.SavePref();
    (order.first()->isVisible() ? order.first() : call)->setFocus();
}

void MainWindow::fitToScreen()
{
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const Preferences& p = m_station.prefs();
    const FormScaling::WindowGeometry g = p.formSizePercent < 100
        ? FormScaling::ScaleMainWindowByPercent(screen->geometry(), p.formSizePercent)
        : FormScaling::FitMainWindowToScreen(screen->geometry(), screen->availableGeometry(), p.taskbarFit == 1);
    setGeometry(g.rect);
    // Past 1280 pixels the type grows with the window, so a 1920 screen reads from the chair.
    const double factor = (g.fontFactor > 0 ? g.fontFactor : 1.0) * qMax(1.0, g.rect.width() / 1280.0);
    // Always set, so a size chosen again while running also takes the type back down.
    QFont f = font();
    f.setPointSizeF(QApplication::font().pointSizeF() * factor);
    setFont(f); // the large type follows through changeEvent
}

