#include "ui/RigSetupWindow.h"

#include "log/Station.h"
#include "rig/RigCatalog.h"
#include "rig/RigPoller.h"
#include "ui/FrequencyTestWindow.h"
#include "ui/WindowPlacement.h"
#include "util/Dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const char* const kBaudCaptions[] = {"1.2", "2.4", "4.8", "9.6", "14.4", "19.2", "28.8", "38.4", "56"};
const char* const kBaudValues[] = {"1200", "2400", "4800", "9600", "14400", "19200", "28800", "38400", "56000"};

// A row of radio buttons in a titled box; button ids are the positions.
QButtonGroup* radioRow(QWidget* owner, QLayout* into, const QString& title, const QString& namePrefix,
                       const QStringList& captions)
{
    auto* box = new QGroupBox(title, owner);
    auto* row = new QHBoxLayout(box);
    auto* group = new QButtonGroup(owner);
    for (int i = 0; i < captions.size(); ++i) {
        auto* b = new QRadioButton(captions[i], box);
        b->setObjectName(namePrefix + QString::number(i));
        group->addButton(b, i);
        row->addWidget(b);
    }
    into->addWidget(box);
    return group;
}

void check(QButtonGroup* g, int id)
{
    if (QAbstractButton* b = g->button(id))
        b->setChecked(true);
}

int indexIn(const char* const* values, int n, const QString& v)
{
    for (int i = 0; i < n; ++i) {
        if (v == QLatin1String(values[i]))
            return i;
    }
    return -1;
}

const QString kMustPoll = QStringLiteral(
    "You must be polling your rig to test this function.  Please select your rig type and click the Test command "
    "button.");

} // namespace

RigSetupWindow::RigSetupWindow(Station& station, RigPoller& poller, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), m_station(station), m_dialogs(dialogs), m_poller(&poller)
{
    setObjectName(QStringLiteral("RigControlfrm"));
    setWindowTitle(QStringLiteral("Rig Interface Setup"));
    buildControls();

    RigSettings s;
    const bool stored = s.load(RigSettings::iniPath(station.paths().dataDir));
    // fdpref.dat names the rig; rig.ini keeps the rest. If they disagree the presets of the
    // named rig are the better guess.
    if (!stored || s.rigType != station.prefs().rigType)
        s.selectRig(station.prefs().rigType);
    m_poller->setSettings(s);
    showSettings(s);
    connect(m_poller, &RigPoller::readoutsChanged, this, &RigSetupWindow::redrawReadouts);
    connect(m_poller, &RigPoller::pollingChanged, this, [this](bool on) {
        m_pollingNote->setVisible(on);
        m_endTestButton->setEnabled(on);
    });
}

RigSetupWindow::~RigSetupWindow() = default;

void RigSetupWindow::buildControls()
{
    // Two columns under the rig list so the window fits a 1024x768 screen with room to spare.
    auto* top = new QHBoxLayout(this);
    m_rigList = new QListWidget(this);
    m_rigList->setObjectName(QStringLiteral("List1"));
    m_rigList->addItems(RigCatalog::names());
    m_rigList->setFixedWidth(m_rigList->sizeHintForColumn(0) + 2 * m_rigList->frameWidth() +
                             m_rigList->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
    // Arrow keys, Home/End and typing move the current row as a click does.
    connect(m_rigList, &QListWidget::currentRowChanged, this, [this] { rigChosen(); });
    top->addWidget(m_rigList);

    auto* col = new QVBoxLayout;
    top->addLayout(col, 1);
    m_serialBox = new QWidget(this);
    m_serialBox->setObjectName(QStringLiteral("serialSettings"));
    auto* serial = new QGridLayout(m_serialBox);
    serial->setContentsMargins(0, 0, 0, 0);
    auto* serialLeft = new QVBoxLayout;
    auto* serialRight = new QVBoxLayout;
    serial->addLayout(serialLeft, 0, 0);
    serial->addLayout(serialRight, 0, 1);
    col->addWidget(m_serialBox);
    QStringList ports;
    for (int i = 1; i <= 10; ++i)
        ports << QString::number(i);
    m_port = radioRow(this, serialLeft, QStringLiteral("Port"), QStringLiteral("optPort"), ports);
    QStringList bauds;
    for (const char* c : kBaudCaptions)
        bauds << QString::fromLatin1(c);
    m_baud = radioRow(this, serialLeft, QStringLiteral("Baud (K)"), QStringLiteral("optBaud"), bauds);
    auto* small = new QHBoxLayout;
    serialLeft->addLayout(small);
    m_parity = radioRow(this, small, QStringLiteral("Parity"), QStringLiteral("optParity"), {"O", "N", "E"});
    m_data = radioRow(this, small, QStringLiteral("Data"), QStringLiteral("optData"), {"7", "8"});
    m_stop = radioRow(this, small, QStringLiteral("Stop"), QStringLiteral("optStop"), {"1", "2"});
    m_power = radioRow(this, serialLeft, QStringLiteral("Power"), QStringLiteral("optPower"), {"None", "RTS", "DTR"});

    m_portTable = new QTableWidget(10, 1, this);
    m_portTable->setObjectName(QStringLiteral("tblPorts"));
    m_portTable->setHorizontalHeaderLabels({QStringLiteral("Device")});
    m_portTable->horizontalHeader()->setStretchLastSection(true);
    m_portTable->verticalHeader()->setDefaultSectionSize(m_portTable->fontMetrics().height() + 4);
    m_portTable->setMaximumHeight(12 * (m_portTable->fontMetrics().height() + 4));
    m_portTable->setMinimumWidth(m_portTable->fontMetrics().horizontalAdvance(QStringLiteral("/dev/ttyUSB10")) + 48);
    serialRight->addWidget(m_portTable);

    m_rate = radioRow(this, col, QStringLiteral("Poll rate"), QStringLiteral("optRate"),
                      {"100 ms", "500 ms", "2 Sec", "10 Sec"});

    auto* modeBox = new QGroupBox(QStringLiteral("Mode by:"), this);
    auto* modeRow = new QHBoxLayout(modeBox);
    m_modeByRig = new QRadioButton(QStringLiteral("Rig"), modeBox);
    m_modeByRig->setObjectName(QStringLiteral("OptRig"));
    m_modeByFrequency = new QRadioButton(QStringLiteral("Frequency"), modeBox);
    m_modeByFrequency->setObjectName(QStringLiteral("OptFreq"));
    m_modeNotUsed = new QRadioButton(QStringLiteral("Don't Use"), modeBox);
    m_modeNotUsed->setObjectName(QStringLiteral("OptDont"));
    modeRow->addWidget(m_modeByRig);
    modeRow->addWidget(m_modeByFrequency);
    modeRow->addWidget(m_modeNotUsed);
    col->addWidget(modeBox);

    m_commandBox = new QWidget(this);
    auto* grid = new QGridLayout(m_commandBox);
    grid->setContentsMargins(0, 0, 0, 0);
    col->addWidget(m_commandBox);
    m_useFrequency = new QCheckBox(QStringLiteral("Use Frequency"), this);
    m_useFrequency->setObjectName(QStringLiteral("chkFrequency"));
    m_convertFromHex = new QCheckBox(QStringLiteral("Convert from Hex"), this);
    m_convertFromHex->setObjectName(QStringLiteral("ChkConvHex"));
    m_convertToHex = new QCheckBox(QStringLiteral("Convert to Hex"), this);
    m_convertToHex->setObjectName(QStringLiteral("chkConvToHex"));
    m_frequencyCommand = new QLineEdit(this);
    m_frequencyCommand->setObjectName(QStringLiteral("txtFreq"));
    m_modeCommand = new QLineEdit(this);
    m_modeCommand->setObjectName(QStringLiteral("txtMode"));
    grid->addWidget(m_useFrequency, 0, 0);
    grid->addWidget(m_convertFromHex, 0, 1);
    grid->addWidget(m_convertToHex, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("String to read frequency"), this), 1, 0);
    grid->addWidget(m_frequencyCommand, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("String to read mode"), this), 2, 0);
    grid->addWidget(m_modeCommand, 2, 1, 1, 2);
    m_catOnOff = new QCheckBox(QStringLiteral("CAT on/off at open and close (FT-847)"), this);
    m_catOnOff->setObjectName(QStringLiteral("chkCatOnOff"));
    grid->addWidget(m_catOnOff, 3, 0, 1, 3);
    m_icomAddressNote =
        new QLabel(QStringLiteral("Icom radio users will have to replace the 64 in the string with the ID for "
                                  "your particular radio.  Please check your Icom user's manual for details."),
                   this);
    m_icomAddressNote->setObjectName(QStringLiteral("Label10"));
    m_icomAddressNote->setWordWrap(true);
    col->addWidget(m_icomAddressNote);

    m_rigctldBox = new QWidget(this);
    m_rigctldBox->setObjectName(QStringLiteral("rigctldSettings"));
    auto* net = new QHBoxLayout(m_rigctldBox);
    net->setContentsMargins(0, 0, 0, 0);
    col->addWidget(m_rigctldBox);
    m_rigctldHost = new QLineEdit(this);
    m_rigctldHost->setObjectName(QStringLiteral("txtRigctldHost"));
    m_rigctldPort = new QLineEdit(this);
    m_rigctldPort->setObjectName(QStringLiteral("txtRigctldPort"));
    net->addWidget(new QLabel(QStringLiteral("rigctld host"), this));
    net->addWidget(m_rigctldHost);
    net->addWidget(new QLabel(QStringLiteral("rigctld port"), this));
    net->addWidget(m_rigctldPort);
    m_pegasusBox = new QWidget(this);
    auto* pegasus = new QHBoxLayout(m_pegasusBox);
    pegasus->setContentsMargins(0, 0, 0, 0);
    col->addWidget(m_pegasusBox);
    m_pegasusFolder = new QLineEdit(this);
    m_pegasusFolder->setObjectName(QStringLiteral("txtPegasusFolder"));
    pegasus->addWidget(new QLabel(QStringLiteral("Pegasus folder"), this));
    pegasus->addWidget(m_pegasusFolder);

    auto* readouts = new QGridLayout;
    col->addLayout(readouts);
    m_frequencyReadout = new QLabel(this);
    m_frequencyReadout->setObjectName(QStringLiteral("lblFreq"));
    m_modeReadout = new QLabel(this);
    m_modeReadout->setObjectName(QStringLiteral("lblMode"));
    m_rawReadout = new QLineEdit(this);
    m_rawReadout->setObjectName(QStringLiteral("txtUnprocessed"));
    m_rawReadout->setReadOnly(true);
    readouts->addWidget(new QLabel(QStringLiteral("Frequency"), this), 0, 0);
    readouts->addWidget(m_frequencyReadout, 0, 1);
    readouts->addWidget(new QLabel(QStringLiteral("Mode"), this), 0, 2);
    readouts->addWidget(m_modeReadout, 0, 3);
    readouts->addWidget(new QLabel(QStringLiteral("Unprocessed data"), this), 1, 0);
    readouts->addWidget(m_rawReadout, 1, 1, 1, 3);

    auto* buttons = new QHBoxLayout;
    col->addLayout(buttons);
    m_testButton = new QPushButton(QStringLiteral("Test"), this);
    m_testButton->setObjectName(QStringLiteral("Command1"));
    m_endTestButton = new QPushButton(QStringLiteral("End Test"), this);
    m_endTestButton->setObjectName(QStringLiteral("Command2"));
    m_endTestButton->setEnabled(false);
    m_changeFrequencyButton = new QPushButton(QStringLiteral("Change Frequency"), this);
    m_changeFrequencyButton->setObjectName(QStringLiteral("cmdChangeFrequency"));
    m_pollingNote = new QLabel(QStringLiteral("Polling Rig"), this);
    m_pollingNote->setObjectName(QStringLiteral("lblPolling"));
    m_pollingNote->setVisible(false);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    buttons->addWidget(m_testButton);
    buttons->addWidget(m_endTestButton);
    buttons->addWidget(m_changeFrequencyButton);
    buttons->addWidget(m_pollingNote);
    buttons->addStretch();
    buttons->addWidget(close);
    connect(m_testButton, &QPushButton::clicked, this, &RigSetupWindow::test);
    connect(m_endTestButton, &QPushButton::clicked, this, &RigSetupWindow::endTest);
    connect(m_changeFrequencyButton, &QPushButton::clicked, this, &RigSetupWindow::openFrequencyTest);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void RigSetupWindow::showSettings(const RigSettings& s)
{
    const int row = static_cast<int>(RigCatalog::names().indexOf(s.rigType));
    {
        // Showing the settings is not choosing a rig.
        const QSignalBlocker quiet(m_rigList);
        m_rigList->setCurrentRow(row < 0 ? 0 : row);
    }
    check(m_port, s.port - 1);
    check(m_baud, indexIn(kBaudValues, 9, s.baud.trimmed()));
    check(m_parity, static_cast<int>(QStringLiteral("ONE").indexOf(s.parity)));
    check(m_data, s.dataBits == QLatin1Char('7') ? 0 : 1);
    check(m_stop, s.stopBits == QLatin1Char('2') ? 1 : 0);
    check(m_power, static_cast<int>(QStringLiteral("NRD").indexOf(s.powerLine)));
    check(m_rate, static_cast<int>(QStringLiteral("FMSR").indexOf(s.pollRate)));
    m_modeByRig->setChecked(s.modeBy == RigSettings::ModeBy::Rig);
    m_modeByFrequency->setChecked(s.modeBy == RigSettings::ModeBy::Frequency);
    m_modeNotUsed->setChecked(s.modeBy == RigSettings::ModeBy::DontUse);
    m_useFrequency->setChecked(s.useFrequency);
    m_convertFromHex->setChecked(s.convertFromHex);
    m_catOnOff->setChecked(s.catOnOff);
    m_convertToHex->setChecked(s.convertToHex);
    m_convertToHex->setEnabled(s.family() == RigFamily::Other);
    const RigModel* m = RigCatalog::find(s.rigType);
    m_icomAddressNote->setVisible(m && m->icomAddressNote);
    // Only the fields the chosen rig uses: a serial port, rigctld's socket or Pegasus's files.
    const RigFamily family = s.family();
    const bool network = family == RigFamily::Rigctld;
    m_serialBox->setVisible(family != RigFamily::None && family != RigFamily::Pegasus && !network);
    m_commandBox->setVisible(family != RigFamily::None && family != RigFamily::Pegasus && !network);
    m_rigctldBox->setVisible(network);
    m_pegasusBox->setVisible(family == RigFamily::Pegasus);
    m_frequencyCommand->setText(s.freqCommand);
    m_modeCommand->setText(s.modeCommand);
    m_rigctldHost->setText(s.rigctldHost);
    m_rigctldPort->setText(QString::number(s.rigctldPort));
    m_pegasusFolder->setText(s.pegasusDir());
    for (int i = 0; i < 10; ++i)
        m_portTable->setItem(i, 0, new QTableWidgetItem(s.ports.device(i + 1)));
    if (isVisible()) // the window grows or shrinks with the fields shown: keep it whole and centred
        centreOver(this, parentWidget());
}

RigSettings RigSetupWindow::readControls() const
{
    RigSettings s = m_poller->settings();
    if (m_rigList->currentItem())
        s.rigType = m_rigList->currentItem()->text();
    s.port = std::max(0, m_port->checkedId()) + 1;
    const int baud = m_baud->checkedId();
    if (baud >= 0)
        s.baud = QString::fromLatin1(kBaudValues[baud]);
    if (m_parity->checkedId() >= 0)
        s.parity = QStringLiteral("ONE")[m_parity->checkedId()];
    s.dataBits = m_data->checkedId() == 0 ? QLatin1Char('7') : QLatin1Char('8');
    s.stopBits = m_stop->checkedId() == 1 ? QLatin1Char('2') : QLatin1Char('1');
    s.powerLine = QStringLiteral("NRD")[std::max(0, m_power->checkedId())];
    s.pollRate = QStringLiteral("FMSR")[std::max(0, m_rate->checkedId())];
    s.modeBy = m_modeByFrequency->isChecked() ? RigSettings::ModeBy::Frequency
               : m_modeNotUsed->isChecked()   ? RigSettings::ModeBy::DontUse
                                              : RigSettings::ModeBy::Rig;
    s.useFrequency = m_useFrequency->isChecked();
    s.convertFromHex = m_convertFromHex->isChecked();
    s.catOnOff = m_catOnOff->isChecked();
    s.convertToHex = m_convertToHex->isChecked();
    s.freqCommand = m_frequencyCommand->text();
    s.modeCommand = m_modeCommand->text();
    s.rigctldHost = m_rigctldHost->text().trimmed();
    bool ok = false;
    const uint port = m_rigctldPort->text().toUInt(&ok);
    if (ok && port > 0 && port <= 65535)
        s.rigctldPort = static_cast<quint16>(port);
    s.pegasusFolder = m_pegasusFolder->text().trimmed();
    SerialPortTable table;
    for (int i = 0; i < 10; ++i)
        table.setDevice(i + 1, m_portTable->item(i, 0) ? m_portTable->item(i, 0)->text().trimmed() : QString());
    s.ports = table;
    return s;
}

void RigSetupWindow::saveSettings()
{
    m_poller->setSettings(readControls());
    m_poller->settings().save(RigSettings::iniPath(m_station.paths().dataDir));
}

void RigSetupWindow::applyRigSelection(const QString& name)
{
    RigSettings s = readControls();
    s.rigType = name;
    s.freqCommand.clear();
    s.modeCommand.clear();
    s.convertToHex = false;
    s.selectRig(name);
    showSettings(s);
    m_poller->setSettings(s);
    m_station.prefs().rigType = name;
    m_station.SavePref();
    saveSettings();
}

void RigSetupWindow::rigChosen()
{
    if (!m_rigList->currentItem())
        return;
    if (m_poller->polling())
        endTest();
    applyRigSelection(m_rigList->currentItem()->text());
}

void RigSetupWindow::test()
{
    // The row on show is the rig tested, with its own command strings.
    if (m_rigList->currentItem() && m_rigList->currentItem()->text() != m_poller->settings().rigType)
        applyRigSelection(m_rigList->currentItem()->text());
    saveSettings();
    m_poller->start();
    redrawReadouts();
}

void RigSetupWindow::endTest()
{
    m_poller->stop();
    redrawReadouts();
}

void RigSetupWindow::openFrequencyTest()
{
    if (!m_poller->polling()) {
        m_dialogs.message(kMustPoll, windowTitle());
        return;
    }
    if (!m_frequencyTest)
        m_frequencyTest = new FrequencyTestWindow(*m_poller, this);
    m_frequencyTest->show();
    m_frequencyTest->raise();
}

void RigSetupWindow::shutdown()
{
    saveSettings();
    m_poller->shutdown();
}

void RigSetupWindow::redrawReadouts()
{
    m_frequencyReadout->setText(m_poller->frequencyReadout());
    m_modeReadout->setText(m_poller->modeReadout());
    m_rawReadout->setText(m_poller->rawReadout());
}

void RigSetupWindow::closeEvent(QCloseEvent* e)
{
    // The window stays loaded and keeps polling; only the program's end unloads it.
    saveSettings();
    hide();
    e->ignore();
}
