#include "ui/MainWindow.h"

#include "entry/ClockDisplay.h"
#include "entry/KeyFilters.h"
#include "log/Bands.h"
#include "log/DisplayColours.h"
#include "log/RateStats.h"
#include "log/SectionTable.h"
#include "log/Station.h"
#include "settings/FormScaling.h"
#include "ui/BackupOptionsDialog.h"
#include "ui/BandModeTable.h"
#include "ui/ClickableLabel.h"
#include "ui/ContactTableModel.h"
#include "ui/EditContactDialog.h"
#include "ui/EntryKeyForwarder.h"
#include "ui/FindDialog.h"
#include "ui/KeyFilter.h"
#include "ui/OperatorDialog.h"
#include "ui/ReportActions.h"
#include "ui/RigWindows.h"
#include "ui/SecondaryWindowKeeper.h"
#include "ui/SectionDisplay.h"
#include "ui/StationIdDialog.h"
#include "ui/StatusStrip.h"
#include "ui/TypedPaste.h"
#include "util/Clock.h"
#include "util/Dialogs.h"
#include "util/ProgramInfo.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLabel* namedLabel(const QString& name, QWidget* parent, const QString& text = {})
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

void paintLabel(QLabel* label, const LabelView& view)
{
    label->setText(view.text);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, view.colour == DisplayColours::ButtonFace
                                     ? QApplication::palette().color(QPalette::Button)
                                     : colourFromBgr(view.colour));
    label->setPalette(p);
}

} // namespace

MainWindow::MainWindow(Station& station, Dialogs& dialogs, RigPoller& rigPoller, QWidget* parent)
    : QMainWindow(parent), m_station(station), m_dialogs(dialogs),
      m_entry(station.logbook(), station.state(), station.prefs(), dialogs, station.clock())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(ProgramTitle));
    m_rig = new RigWindows(m_station, rigPoller, m_dialogs, this);
    buildWidgets();
    applyBigType();
    m_strip = new StatusStrip(m_station, rigPoller, this);
    setStatusBar(m_strip);
    buildMenus();
    m_rig->installShortcuts(this);
    showBandAndMode();
    showStationIdentity();

    Logbook& book = m_station.logbook();
    connect(&book, &Logbook::reloaded, this, [this] {
        m_entry.list().RefreshLogList();
        refreshFromLog();
        TimeStats();
    });
    connect(&book, &Logbook::appended, this, &MainWindow::refreshFromLog);
    OperatingState& state = m_station.state();
    connect(&state, &OperatingState::bandChanged, this, &MainWindow::showBandAndMode);
    connect(&state, &OperatingState::modeChanged, this, &MainWindow::showBandAndMode);
    connect(&m_entry, &EntryWorkflow::ratesDue, this, &MainWindow::TimeStats);
    connect(&m_entry, &EntryWorkflow::preferencesChanged, &m_station, [this] { m_station.SavePref(); });
    connect(&m_entry, &EntryWorkflow::viewChanged, this, &MainWindow::redrawEntry);
    new SecondaryWindowKeeper(*this, [this] { returnToCall(); });
    m_focusWatch =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focusChanged(now); });

    m_holdTimer = new QTimer(this);
    m_holdTimer->setSingleShot(true);
    connect(m_holdTimer, &QTimer::timeout, this, [this] {
        m_entry.endDupeHold();
        redrawEntry();
    });

    auto* clock = new QTimer(this);
    clock->setObjectName(QStringLiteral("Timer2"));
    connect(clock, &QTimer::timeout, this, &MainWindow::showClock);
    clock->start(1000);
    auto* rates = new QTimer(this);
    rates->setObjectName(QStringLiteral("Timer1"));
    connect(rates, &QTimer::timeout, this, &MainWindow::TimeStats);
    rates->start(60'000);
    showClock();
    redrawEntry();
}

MainWindow::~MainWindow()
{
    // Hiding an active window moves the focus, and QWidget hides only after our members are gone.
    disconnect(m_focusWatch);
}

void MainWindow::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        applyBigType();
}

void MainWindow::applyBigType()
{
    // A font set on a widget no longer follows the window's, so the large type is set again
    // from the window's each time the window's font changes (form size, a wide screen).
    QFont big = font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    for (QWidget* w : std::as_const(m_bigType))
        w->setFont(big);
}

void MainWindow::buildWidgets()
{
    auto* central = new QWidget(this);
    auto* root = new QVBoxLayout(central);

    // Own station, band, mode, clocks and rates.
    auto* top = new QHBoxLayout;
    m_ownClass = namedLabel(QStringLiteral("Label1"), central);
    m_ownCall = namedLabel(QStringLiteral("lblOwnCall"), central);
    m_ownSection = namedLabel(QStringLiteral("lblOwnSection"), central);
    m_bandDisplay = new ClickableLabel(central);
    m_bandDisplay->setObjectName(QStringLiteral("Label30"));
    m_bandDisplay->setToolTip(QStringLiteral("Click for the next band, right-click for the previous one"));
    m_modeDisplay = new ClickableLabel(central);
    m_modeDisplay->setObjectName(QStringLiteral("Label12"));
    m_modeDisplay->setToolTip(QStringLiteral("Click for the next mode"));
    m_utcTime = namedLabel(QStringLiteral("lblutctime"), central);
    m_localTime = namedLabel(QStringLiteral("lblCurTime"), central);
    m_amPm = namedLabel(QStringLiteral("Label16"), central);
    m_rate60 = namedLabel(QStringLiteral("lblAQSO60"), central, QStringLiteral("0"));
    m_rate20 = namedLabel(QStringLiteral("lblAQSO20"), central, QStringLiteral("0"));
    for (QLabel* l : {m_ownCall, static_cast<QLabel*>(m_bandDisplay), static_cast<QLabel*>(m_modeDisplay), m_utcTime,
                      m_rate60, m_rate20})
        m_bigType << l;
    top->addWidget(m_ownCall);
    top->addWidget(m_ownClass);
    top->addWidget(m_ownSection);
    top->addStretch();
    top->addWidget(new QLabel(QStringLiteral("UTC:"), central));
    top->addWidget(m_utcTime);
    top->addWidget(new QLabel(QStringLiteral("Local:"), central));
    top->addWidget(m_localTime);
    top->addWidget(m_amPm);
    top->addSpacing(12);
    top->addWidget(new QLabel(QStringLiteral("Band:"), central));
    top->addWidget(m_bandDisplay);
    top->addSpacing(12);
    top->addWidget(new QLabel(QStringLiteral("Mode:"), central));
    top->addWidget(m_modeDisplay);
    root->addLayout(top);
    connect(m_bandDisplay, &ClickableLabel::clicked, this, [this](Qt::MouseButton b) {
        if (b == Qt::LeftButton)
            m_station.state().nextBand();
        else
            m_station.state().previousBand();
    });
    connect(m_modeDisplay, &ClickableLabel::clicked, this, [this] { m_station.state().nextMode(); });

    // The four count displays (CW, digital, phone contacts, contact points) and the rates.
    auto* counts = new QHBoxLayout;
    // The object names are the manual's, whatever the labels show now.
    m_cwCount = namedLabel(QStringLiteral("lblTotCon"), central, QStringLiteral("0"));
    m_digitalCount = namedLabel(QStringLiteral("lblTotSec"), central, QStringLiteral("0"));
    m_phoneCount = namedLabel(QStringLiteral("lblsectogo"), central, QStringLiteral("0"));
    m_pointsTotal = namedLabel(QStringLiteral("lblTotScore"), central, QStringLiteral("0"));
    const std::pair<const char*, QLabel*> shown[] = {
        {"CW:", m_cwCount}, {"Digital:", m_digitalCount}, {"Phone:", m_phoneCount}, {"Points:", m_pointsTotal}};
    for (const auto& [caption, label] : shown) {
        m_bigType << label;
        counts->addWidget(new QLabel(QString::fromLatin1(caption), central));
        counts->addWidget(label);
        counts->addSpacing(16);
    }
    counts->addStretch();
    counts->addWidget(new QLabel(QStringLiteral("Last 60 min:"), central));
    counts->addWidget(m_rate60);
    counts->addWidget(new QLabel(QStringLiteral("Rate (20 min):"), central));
    counts->addWidget(m_rate20);
    root->addLayout(counts);

    // Entry fields; every key goes through the entry rules.
    auto* forwarder = new EntryKeyForwarder([this](QObject* f, int key) { return entryKey(f, key); }, this);
    auto* entry = new QGridLayout;
    const QList<std::tuple<EntryField, QString, QString>> fields{
        {EntryField::Call, "txtCall", "Call"},
        {EntryField::Class, "txtCK", "Class"},
        {EntryField::Section, "txtSec", "Section"},
        {EntryField::PostConDate, "txtPostConDate", "Date (UTC)"},
        {EntryField::PostConTime, "txtPostConTime", "Time (UTC)"},
    };
    int column = 0;
    for (const auto& [field, name, caption] : fields) {
        auto* e = new QLineEdit(central);
        e->setObjectName(name);
        m_bigType << e;
        e->installEventFilter(forwarder);
        replayPastesAsKeys(e);
        connect(e, &QLineEdit::textChanged, this, [this, field](const QString& t) {
            if (!m_redrawing)
                m_entry.setFieldText(field, t);
        });
        QLabel* label = nullptr;
        if (field == EntryField::PostConDate || field == EntryField::PostConTime) {
            label = namedLabel(field == EntryField::PostConDate ? QStringLiteral("lblPostConDate")
                                                                : QStringLiteral("lblPostConTime"),
                               central, caption);
            m_postContestWidgets << e << label;
        } else {
            label = new QLabel(caption, central);
        }
        entry->addWidget(label, 0, column);
        entry->addWidget(e, 1, column);
        m_fields[field] = e;
        ++column;
    }
    auto* clear = new QPushButton(QStringLiteral("C&lear"), central);
    clear->setObjectName(QStringLiteral("cmdClear"));
    connect(clear, &QPushButton::clicked, this, [this] {
        m_entry.clearFields();
        redrawEntry();
    });
    entry->addWidget(clear, 1, column);
    m_worked = namedLabel(QStringLiteral("lblWorked"), central);
    m_bigType << m_worked;
    m_worked->setAutoFillBackground(true);
    m_worked->setAlignment(Qt::AlignCenter);
    m_worked->setMinimumWidth(m_worked->fontMetrics().horizontalAdvance(QStringLiteral("DUPE  Rec# 00000")));
    entry->addWidget(m_worked, 0, column + 1, 2, 1);
    entry->setColumnStretch(column + 1, 1);
    root->addLayout(entry);

    m_dialog = namedLabel(QStringLiteral("lblDialog"), central);
    m_dialog->setAutoFillBackground(true);
    m_dupe = namedLabel(QStringLiteral("lblDupe"), central);
    m_dupe->setAutoFillBackground(true);
    m_dupe->setWordWrap(true);
    root->addWidget(m_dialog);
    root->addWidget(m_dupe);

    // Contact list.
    m_model = new ContactTableModel(m_entry.list(), this);
    m_list = new QTableView(central);
    m_list->setObjectName(QStringLiteral("ListView1"));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    // All nine columns in view: an operator should never scroll sideways mid-contact.
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_list->horizontalHeader()->setSectionsClickable(true);
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_entry.list().sortByColumn(column);
        redrawEntry();
    });
    connect(m_list, &QTableView::clicked, this, [this] {
        m_rowChosen = true;
        m_entry.listRowClicked();
        redrawEntry();
    });
    connect(m_list, &QTableView::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QModelIndex index = m_list->indexAt(pos);
        if (index.isValid())
            m_list->selectRow(index.row());
        cmdEdit_Click();
    });
    m_list->installEventFilter(this);
    m_listFilter = namedLabel(QStringLiteral("lblListFilter"), central);
    m_listFilter->setStyleSheet(QStringLiteral("QLabel { background: #ffff80; font-weight: bold; }"));
    m_listFilter->hide();
    root->addWidget(m_listFilter);
    m_bandModes = new BandModeTable(central);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_list, 1);
    listRow->addWidget(m_bandModes);
    root->addLayout(listRow, 1);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const QString& name, const QString& text) {
        auto* b = new QPushButton(text, central);
        b->setObjectName(name);
        b->setFocusPolicy(Qt::TabFocus);
        buttons->addWidget(b);
        return b;
    };
    m_edit = button(QStringLiteral("cmdEdit"), QStringLiteral("&Edit"));
    m_delete = button(QStringLiteral("cmdDelete"), QStringLiteral("&Delete"));
    // Alt+F opens the File menu.
    auto* find = button(QStringLiteral("cmdFind"), QStringLiteral("F&ind"));
    m_listButton = button(QStringLiteral("cmdList"), m_entry.list().cmdListCaption());
    buttons->addStretch();
    buttons->addWidget(new QLabel(QStringLiteral("Dupe warning:"), central));
    m_dupButton = button(QStringLiteral("cmdDup"), m_entry.cmdDupCaption());
    connect(m_edit, &QPushButton::clicked, this, &MainWindow::cmdEdit_Click);
    connect(m_delete, &QPushButton::clicked, this, &MainWindow::cmdDelete_Click);
    connect(find, &QPushButton::clicked, this, &MainWindow::cmdFind_Click);
    connect(m_listButton, &QPushButton::clicked, this, [this] {
        m_entry.toggleShowAll();
        redrawEntry();
    });
    connect(m_dupButton, &QPushButton::clicked, this, [this] {
        m_entry.toggleDupWarning();
        redrawEntry();
    });
    root->addLayout(buttons);

    root->addWidget(buildSectionDisplay(central));
    connect(&m_station, &Station::rulesChanged, this, [this] {
        // Another edition has other sections: a new grid for them, counted from the log.
        SectionDisplay* old = m_sections;
        delete old->parentWidget()->layout()->replaceWidget(old, buildSectionDisplay(old->parentWidget()));
        old->deleteLater();
        refreshFromLog();
    });

    // The pointer over the bare window clears the possible-dupe list.
    central->setMouseTracking(true);
    central->installEventFilter(this);
    setCentralWidget(central);
}

void MainWindow::placeSpotDisplay(QWidget* display)
{
    auto* root = qobject_cast<QBoxLayout*>(centralWidget()->layout());
    root->insertWidget(root->indexOf(m_list) + 1, display);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && selectedRecordNumber() > 0) {
            cmdEdit_Click();
            return true;
        }
        if (key == Qt::Key_Delete && selectedRecordNumber() > 0) {
            cmdDelete_Click();
            return true;
        }
    }
    if (event->type() == QEvent::MouseMove && watched == centralWidget() &&
        !centralWidget()->childAt(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        const LabelView before = m_entry.view().lblDupe;
        m_entry.clearDupeLabel();
        if (!(m_entry.view().lblDupe == before))
            redrawEntry();
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::entryKey(QObject* field, int key)
{
    EntryField which = EntryField::None;
    for (const auto& [f, edit] : m_fields) {
        if (edit == field)
            which = f;
    }
    if (which == EntryField::None)
        return false;
    if (m_keyer->typedKey(key, m_station.state().mode()))
        return true;
    QLineEdit* edit = m_fields[which];
    const KeyResult r = m_entry.keyPress(which, key, edit->cursorPosition() == edit->text().size());
    if (r.key == 8)
        edit->backspace();
    else if (r.key != 0)
        edit->insert(QString(QChar(r.key)));
    if (r.tabForward)
        focusNextChild();
    redrawEntry();
    return true;
}

void MainWindow::focusChanged(QWidget* now)
{
    if (m_redrawing || !isAncestorOf(now))
        return;
    EntryField which = EntryField::None;
    for (const auto& [f, edit] : m_fields) {
        if (edit == now)
            which = f;
    }
    m_entry.focusArrived(which);
    redrawEntry();
}

void MainWindow::redrawEntry()
{
    if (m_redrawing)
        return;
    m_redrawing = true;
    const EntryView& v = m_entry.view();
    const std::map<EntryField, QString> texts{{EntryField::Call, v.txtCall},
                                              {EntryField::Class, v.txtCK},
                                              {EntryField::Section, v.txtSec},
                                              {EntryField::PostConDate, v.txtPostConDate},
                                              {EntryField::PostConTime, v.txtPostConTime}};
    for (const auto& [f, text] : texts) {
        QLineEdit* e = m_fields[f];
        if (e->text() != text)
            e->setText(text);
        if (v.selectAll & (1u << static_cast<unsigned>(f)))
            e->selectAll();
    }
    showCallLock(m_entry.callLocked());
    for (QWidget* w : std::as_const(m_postContestWidgets))
        w->setVisible(v.postContestVisible);
    m_postContestAction->setChecked(v.postContestVisible);
    m_listPreviousAction->setChecked(m_entry.listPrevious());
    // The label is shared with the keyer: repaint it only when the entry has something new to
    // say, or its old text would cover the keyer's notice at every redraw.
    if (!m_paintedEntryDialog || !(*m_paintedEntryDialog == v.lblDialog)) {
        paintLabel(m_dialog, v.lblDialog);
        m_paintedEntryDialog = v.lblDialog;
    }
    paintLabel(m_dupe, v.lblDupe);
    paintLabel(m_worked, m_entry.workedStatus());
    m_edit->setVisible(v.editDeleteVisible && m_rowChosen);
    m_delete->setVisible(v.editDeleteVisible && m_rowChosen);
    m_dupButton->setText(m_entry.cmdDupCaption());
    m_listButton->setText(m_entry.list().cmdListCaption());
    const bool listChanged = m_shownListVersion != m_entry.list().version();
    m_shownListVersion = m_entry.list().version();
    m_model->syncWithList();
    const QString filter = m_entry.listFilterText();
    m_listFilter->setText(filter);
    m_listFilter->setVisible(!filter.isEmpty());
    if (listChanged && filter.isEmpty())
        m_list->scrollToBottom(); // the newest contact stays in view
    if (v.focus != EntryField::None && isVisible()) {
        QLineEdit* target = m_fields[v.focus];
        if (QApplication::focusWidget() != target)
            target->setFocus();
    }
    m_entry.acknowledgeView();
    m_redrawing = false;
    armHoldTimer();
}
void MainWindow::showCallLock(bool locked)
{
    QLineEdit* call = m_fields[EntryField::Call];
    if (call->isReadOnly() == locked)
        return;
    // Greyed and read-only, so the operator sees why the keys do nothing for these 3 s.
    call->setReadOnly(locked);
    call->setPlaceholderText(locked ? QStringLiteral("Dupe - wait") : QString());
    QPalette p = call->palette();
    p.setColor(QPalette::Base, locked ? QApplication::palette().color(QPalette::Window)
                                      : QApplication::palette().color(QPalette::Base));
    call->setPalette(p);
}

void MainWindow::armHoldTimer()
{
    if (m_entry.callLocked() && !m_holdTimer->isActive())
        m_holdTimer->start(static_cast<int>(qMax<qint64>(1, m_entry.holdRemainingMs())));
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    static const std::map<int, KeyerHandoff::Key> keys{
        {Qt::Key_F1, KeyerHandoff::Key::F1},        {Qt::Key_F2, KeyerHandoff::Key::F2},
        {Qt::Key_F3, KeyerHandoff::Key::F3},        {Qt::Key_F4, KeyerHandoff::Key::F4},
        {Qt::Key_F5, KeyerHandoff::Key::F5},        {Qt::Key_F6, KeyerHandoff::Key::F6},
        {Qt::Key_F7, KeyerHandoff::Key::F7},        {Qt::Key_F8, KeyerHandoff::Key::F8},
        {Qt::Key_F9, KeyerHandoff::Key::F9},        {Qt::Key_F10, KeyerHandoff::Key::F10},
        {Qt::Key_F11, KeyerHandoff::Key::F11},      {Qt::Key_F12, KeyerHandoff::Key::F12},
        {Qt::Key_Up, KeyerHandoff::Key::Up},        {Qt::Key_Down, KeyerHandoff::Key::Down},
        {Qt::Key_Escape, KeyerHandoff::Key::Escape}};
    const auto it = keys.find(event->key());
    const QString mode = m_station.state().mode();
    const bool taken = it != keys.end() && KeyerHandoff::handedOver(it->second, mode) &&
                       m_keyer->windowKey(it->second, event->modifiers() & Qt::ShiftModifier, mode);
    if (event->key() == Qt::Key_Escape && m_entry.entryEmpty()) {
        // Esc on an empty entry also wipes a stale message, whether or not a keyer stopped.
        m_entry.clearMessage();
        redrawEntry();
        return;
    }
    if (!taken)
        QMainWindow::keyPressEvent(event);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The operator starts typing a call without reaching for the mouse.
    redrawEntry();
}

void MainWindow::showBandAndMode()
{
    const QString band = m_station.state().band();
    const QString mode = m_station.state().mode();
    m_bandDisplay->setText(band);
    m_modeDisplay->setText(mode);
    for (QAction* a : std::as_const(m_bandActions))
        a->setChecked(a->objectName() == bandActionName(band));
    const QString modeName = mode == QLatin1String("CW")    ? QStringLiteral("mnuCW")
                             : mode == QLatin1String("DIG") ? QStringLiteral("mnuDigital")
                                                            : QStringLiteral("mnuSSB");
    for (QAction* a : std::as_const(m_modeActions))
        a->setChecked(a->objectName() == modeName);
}

void MainWindow::showClock()
{
    const QDateTime local = m_station.clock().localNow();
    m_utcTime->setText(ClockDisplay::utcTime(local, m_station.state().utcOffset()));
    m_localTime->setText(ClockDisplay::localTime(local));
    m_amPm->setText(ClockDisplay::amPm(local));
}

void MainWindow::TimeStats()
{
    const RateFigures r = ::TimeStats(m_station.log(), m_station.clock(), m_station.state().utcOffset());
    m_rate60->setText(QString::number(r.lastHour));
    m_rate20->setText(QString::number(r.last20Hourly));
}

void MainWindow::showStationIdentity()
{
    const Preferences& p = m_station.prefs();
    m_ownClass->setText(p.ownClass);
    m_ownCall->setText(p.ownCall);
    m_ownSection->setText(p.ownSection);
}

void MainWindow::showKeyerMessage(const LabelView& label)
{
    paintLabel(m_dialog, label);
}

void MainWindow::loadBackupWindow(BackupScheduler& scheduler)
{
    m_backup = new BackupOptionsDialog(scheduler, m_station.prefs(), m_station.paths().dataDir, this);
    connect(m_backup, &BackupOptionsDialog::settingsChanged, &m_station, [this] { m_station.SavePref(); });
}

SectionDisplay* MainWindow::buildSectionDisplay(QWidget* parent)
{
    m_sections = new SectionDisplay(m_station.log().sections(), parent);
    m_sections->setObjectName(QStringLiteral("SectionDisplay"));
    connect(m_sections, &SectionDisplay::sectionPointedAt, this, &MainWindow::sectionPointedAt);
    connect(m_sections, &SectionDisplay::sectionClicked, this, [this](const QString& abbr) {
        m_entry.sectionLabelClicked(m_station.log().sections().indexOf(abbr));
        redrawEntry();
    });
    return m_sections;
}

void MainWindow::refreshFromLog()
{
    const ContactLog& log = m_station.log();
    m_cwCount->setText(QString::number(log.cwCount()));
    m_digitalCount->setText(QString::number(log.digitalCount()));
    m_phoneCount->setText(QString::number(log.phoneCount()));
    m_pointsTotal->setText(QString::number(log.points()));
    m_sections->refresh(log, m_station.prefs().workedColour, m_station.prefs().notWorkedColour);
    m_bandModes->refresh(log);
    m_strip->refresh();
    m_model->syncWithList();
    m_list->scrollToBottom();
}

int MainWindow::selectedRecordNumber() const
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : m_model->recordNumberAt(rows.first().row());
}

void MainWindow::mnuOpen_Click()
{
    m_station.logbook().reload();
}

void MainWindow::mnuRepair_Click()
{
    m_station.logbook().repairLogFile();
}

void MainWindow::mnuBackupOptions_Click()
{
    if (m_backup)
        m_backup->showOptions();
}

void MainWindow::mnuOperator_Click()
{
    OperatorDialog dialog(m_station.state().operatorInitials(), this);
    if (dialog.exec() == QDialog::Accepted)
        m_station.state().setOperatorInitials(dialog.initials());
    m_strip->refreshStation();
    returnToCall();
}

void MainWindow::mnuSetup_Click()
{
    StationIdDialog dialog(m_station.prefs(), this, &m_dialogs);
    dialog.setRules(m_station.rules());
    if (dialog.exec() == QDialog::Accepted) {
        dialog.applyTo(m_station.prefs());
        m_station.setRules(dialog.rules());
        showStationIdentity();
        m_station.SavePref();
    }
    returnToCall();
}

void MainWindow::returnToCall()
{
    m_entry.focusArrived(EntryField::Call);
    redrawEntry();
    m_fields[EntryField::Call]->setFocus();
    m_strip->refresh(); // the summary window may have saved new claims
}

void MainWindow::cmdFind_Click()
{
    m_entry.beginFind();
    FindDialog dialog(this);
    installKeyFilter(dialog.callField(), KeyFilters::upperCase);
    if (dialog.exec() == QDialog::Accepted)
        m_entry.findCall(dialog.call(), dialog.partialMatches());
    returnToCall();
}

void MainWindow::cmdEdit_Click()
{
    const int recNo = selectedRecordNumber();
    if (recNo < 1)
        return;
    EditContactDialog dialog(m_station.logbook(), m_entry.validator(), recNo, this);
    replayPastesAsKeysIn(&dialog);
    const bool stored = dialog.exec() == QDialog::Accepted;
    m_entry.list().RefreshLogList();
    // Cancel still rewrites and reloads, so the file always matches the table; not while the
    // log has unreadable lines, which a rewrite from memory would drop (Cancel changed nothing).
    if (!stored && m_station.logbook().firstUnreadLine() == 0)
        m_station.logbook().rewriteAndReload();
    m_rowChosen = false;
    returnToCall();
}

void MainWindow::cmdDelete_Click()
{
    const int recNo = selectedRecordNumber();
    m_rowChosen = false;
    redrawEntry();
    if (recNo >= 1)
        m_station.logbook().deleteRecord(recNo);
    returnToCall();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    m_rig->shutdown();
    m_station.SavePref();
    QMainWindow::closeEvent(event);
}
