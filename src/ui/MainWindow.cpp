#include "ui/MainWindow.h"

#include "log/Bands.h"
#include "log/SectionTable.h"
#include "log/Station.h"
#include "ui/BackupOptionsDialog.h"
#include "ui/ClickableLabel.h"
#include "ui/ContactTableModel.h"
#include "ui/EditContactDialog.h"
#include "ui/OperatorDialog.h"
#include "ui/SectionDisplay.h"
#include "ui/StationIdDialog.h"
#include "util/Clock.h"
#include "util/Dialogs.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Band label -> menu item name.
QString bandActionName(const QString& band)
{
    if (band == QLatin1String("SAT"))
        return QStringLiteral("mnuSatellite");
    QString digits = band;
    digits.remove(QLatin1Char('.'));
    return QStringLiteral("mnu") + digits;
}

QLabel* namedLabel(const QString& name, QWidget* parent, const QString& text = {})
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

}  // namespace

MainWindow::MainWindow(Station& station, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_station(station), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Field Day Logger 1.00"));
    buildWidgets();
    buildMenus();
    showBandAndMode();
    showStationIdentity();

    Logbook& book = m_station.logbook();
    connect(&book, &Logbook::reloaded, this, &MainWindow::refreshFromLog);
    connect(&book, &Logbook::appended, this, &MainWindow::refreshFromLog);
    OperatingState& state = m_station.state();
    connect(&state, &OperatingState::bandChanged, this, &MainWindow::showBandAndMode);
    connect(&state, &OperatingState::modeChanged, this, &MainWindow::showBandAndMode);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildWidgets()
{
    auto* central = new QWidget(this);
    auto* root = new QVBoxLayout(central);

    // Own station, band, mode.
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
    QFont big = font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    for (QLabel* l : {m_ownCall, static_cast<QLabel*>(m_bandDisplay), static_cast<QLabel*>(m_modeDisplay)})
        l->setFont(big);
    top->addWidget(m_ownCall);
    top->addWidget(m_ownClass);
    top->addWidget(m_ownSection);
    top->addStretch();
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

    // The four count displays: CW, digital, phone contacts and contact points.
    auto* counts = new QHBoxLayout;
    const QStringList names{"lblTotCon", "lblTotSec", "lblsectogo", "lblTotScore"};
    const QStringList captions{"CW:", "Digital:", "Phone:", "Points:"};
    for (int i = 0; i < 4; ++i) {
        m_counts[i] = namedLabel(names[i], central, QStringLiteral("0"));
        m_counts[i]->setFont(big);
        counts->addWidget(new QLabel(captions[i], central));
        counts->addWidget(m_counts[i]);
        counts->addSpacing(16);
    }
    counts->addStretch();
    root->addLayout(counts);

    // Entry fields.
    auto* entry = new QGridLayout;
    m_call = new QLineEdit(central);
    m_call->setObjectName(QStringLiteral("txtCall"));
    m_class = new QLineEdit(central);
    m_class->setObjectName(QStringLiteral("txtCK"));
    m_section = new QLineEdit(central);
    m_section->setObjectName(QStringLiteral("txtSec"));
    entry->addWidget(new QLabel(QStringLiteral("Call"), central), 0, 0);
    entry->addWidget(new QLabel(QStringLiteral("Class"), central), 0, 1);
    entry->addWidget(new QLabel(QStringLiteral("Section"), central), 0, 2);
    entry->addWidget(m_call, 1, 0);
    entry->addWidget(m_class, 1, 1);
    entry->addWidget(m_section, 1, 2);
    for (QLineEdit* e : {m_call, m_class, m_section})
        e->setFont(big);
    root->addLayout(entry);

    m_dialog = namedLabel(QStringLiteral("lblDialog"), central, QStringLiteral("Select a band and mode from the menu bar!"));
    m_dialog->setAutoFillBackground(true);
    QPalette p = m_dialog->palette();
    p.setColor(QPalette::Window, colourFromBgr(0xC0C000));
    m_dialog->setPalette(p);
    m_dupe = namedLabel(QStringLiteral("lblDupe"), central);
    m_dupe->setAutoFillBackground(true);
    root->addWidget(m_dialog);
    root->addWidget(m_dupe);

    // Contact list.
    m_model = new ContactTableModel(m_station.log(), this);
    m_list = new QTableView(central);
    m_list->setObjectName(QStringLiteral("ListView1"));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 6);
    // All nine columns in view: an operator should never scroll sideways mid-contact.
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(m_list, &QTableView::clicked, this, [this] { setEditButtonsVisible(m_model->rowCount() > 0); });
    root->addWidget(m_list, 1);

    auto* buttons = new QHBoxLayout;
    m_edit = new QPushButton(QStringLiteral("&Edit"), central);
    m_edit->setObjectName(QStringLiteral("cmdEdit"));
    m_delete = new QPushButton(QStringLiteral("&Delete"), central);
    m_delete->setObjectName(QStringLiteral("cmdDelete"));
    connect(m_edit, &QPushButton::clicked, this, &MainWindow::cmdEdit_Click);
    connect(m_delete, &QPushButton::clicked, this, &MainWindow::cmdDelete_Click);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    root->addLayout(buttons);
    setEditButtonsVisible(false);

    m_sections = new SectionDisplay(SectionTable::standard(), central);
    m_sections->setObjectName(QStringLiteral("SectionDisplay"));
    connect(m_sections, &SectionDisplay::sectionClicked, m_section, &QLineEdit::setText);
    root->addWidget(m_sections);

    setCentralWidget(central);
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
    addAction(file, QStringLiteral("mnuNew"), QStringLiteral("&New Log..."), &MainWindow::mnuNew_Click);
    addAction(file, QStringLiteral("mnuArchive"), QStringLiteral("&Archive Log..."), &MainWindow::mnuArchive_Click);
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
}

void MainWindow::showBandAndMode()
{
    const QString band = m_station.state().band();
    const QString mode = m_station.state().mode();
    m_bandDisplay->setText(band);
    m_modeDisplay->setText(mode);
    for (QAction* a : std::as_const(m_bandActions))
        a->setChecked(a->objectName() == bandActionName(band));
    const QString modeName = mode == QLatin1String("CW") ? QStringLiteral("mnuCW")
        : mode == QLatin1String("DIG")                   ? QStringLiteral("mnuDigital")
                                                         : QStringLiteral("mnuSSB");
    for (QAction* a : std::as_const(m_modeActions))
        a->setChecked(a->objectName() == modeName);
}

void MainWindow::showStationIdentity()
{
    const Preferences& p = m_station.prefs();
    m_ownClass->setText(p.ownClass);
    m_ownCall->setText(p.ownCall);
    m_ownSection->setText(p.ownSection);
}

void MainWindow::loadBackupWindow(BackupScheduler& scheduler)
{
    m_backup = new BackupOptionsDialog(scheduler, m_station.prefs(), m_station.paths().dataDir, this);
    connect(m_backup, &BackupOptionsDialog::settingsChanged, &m_station, [this] { m_station.SavePref(); });
}

void MainWindow::refreshFromLog()
{
    const ContactLog& log = m_station.log();
    m_counts[0]->setText(QString::number(log.cwCount()));
    m_counts[1]->setText(QString::number(log.digitalCount()));
    m_counts[2]->setText(QString::number(log.phoneCount()));
    m_counts[3]->setText(QString::number(log.points()));
    m_sections->refresh(log, m_station.prefs().workedColour, m_station.prefs().notWorkedColour);
    RefreshLogList();
}

void MainWindow::RefreshLogList()
{
    const int n = m_station.log().size();
    const int first = (m_showAll || n < 20) ? 1 : n - 19;
    std::vector<int> recNos;
    recNos.reserve(static_cast<size_t>(n - first + 1));
    for (int r = first; r <= n; ++r)
        recNos.push_back(r);
    m_model->setRecordNumbers(std::move(recNos));
    m_list->scrollToBottom();
}

int MainWindow::selectedRecordNumber() const
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : m_model->recordNumberAt(rows.first().row());
}

void MainWindow::setEditButtonsVisible(bool visible)
{
    m_edit->setVisible(visible);
    m_delete->setVisible(visible);
}

void MainWindow::mnuOpen_Click() { m_station.logbook().mnuopen2(); }

void MainWindow::mnuNew_Click() { m_station.logbook().ConfirmNewLog(); }

void MainWindow::mnuArchive_Click()
{
    m_station.logbook().mnuArchive_Click(m_station.paths().documentsDir, m_station.prefs().ownCall,
                                         m_station.clock().localNow().date());
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
}

void MainWindow::mnuSetup_Click()
{
    StationIdDialog dialog(m_station.prefs(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.applyTo(m_station.prefs());
    showStationIdentity();
    m_station.SavePref();
}

void MainWindow::cmdEdit_Click()
{
    const int recNo = selectedRecordNumber();
    if (recNo < 1)
        return;
    EditContactDialog dialog(m_station.log().record(recNo), this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    setEditButtonsVisible(false);
    // The file is rewritten even when nothing changed, so it always matches the table.
    m_station.logbook().replaceRecord(recNo, accepted ? dialog.edited() : m_station.log().record(recNo));
}

void MainWindow::cmdDelete_Click()
{
    const int recNo = selectedRecordNumber();
    setEditButtonsVisible(false);
    if (recNo < 1)
        return;
    m_station.logbook().cmdDelete_Click(recNo);
    m_call->setFocus();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    m_station.SavePref();
    QMainWindow::closeEvent(event);
}
