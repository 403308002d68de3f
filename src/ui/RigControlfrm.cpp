#include "ui/RigControlfrm.h"

#include "log/Station.h"
#include "rig/RigCatalog.h"
#include "rig/RigPoller.h"
#include "ui/frmFrequencyTest.h"
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

RigControlfrm::RigControlfrm(Station& station, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), m_station(station), m_dialogs(dialogs),
      m_poller(new RigPoller(station.state(), dialogs, station.paths().dataDir, this))
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
    connect(m_poller, &RigPoller::readoutsChanged, this, &RigControlfrm::redrawReadouts);
    connect(m_poller, &RigPoller::pollingChanged, this, [this](bool on) {
        lblPolling->setVisible(on);
        Command2->setEnabled(on);
    });
}

RigControlfrm::~RigControlfrm() = default;

void RigControlfrm::buildControls()
{
    auto* top = new QHBoxLayout(this);
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->addItems(RigCatalog::names());
    // Arrow keys, Home/End and typing move the current row as a click does.
    connect(List1, &QListWidget::currentRowChanged, this, [this] { List1_Click(); });
    top->addWidget(List1);

    auto* col = new QVBoxLayout;
    top->addLayout(col);
    QStringList ports;
    for (int i = 1; i <= 10; ++i)
        ports << QString::number(i);
    m_port = radioRow(this, col, QStringLiteral("Port"), QStringLiteral("optPort"), ports);
    QStringList bauds;
    for (const char* c : kBaudCaptions)
        bauds << QString::fromLatin1(c);
    m_baud = radioRow(this, col, QStringLiteral("Baud (K)"), QStringLiteral("optBaud"), bauds);
    m_parity = radioRow(this, col, QStringLiteral("Parity"), QStringLiteral("optParity"), {"O", "N", "E"});
    m_data = radioRow(this, col, QStringLiteral("Data"), QStringLiteral("optData"), {"7", "8"});
    m_stop = radioRow(this, col, QStringLiteral("Stop"), QStringLiteral("optStop"), {"1", "2"});
    m_power = radioRow(this, col, QStringLiteral("Power"), QStringLiteral("optPower"), {"None", "RTS", "DTR"});
    m_rate = radioRow(this, col, QStringLiteral("Poll rate"), QStringLiteral("optRate"),
                      {"100 ms", "500 ms", "2 Sec", "10 Sec"});

    auto* modeBox = new QGroupBox(QStringLiteral("Mode by:"), this);
    auto* modeRow = new QHBoxLayout(modeBox);
    OptRig = new QRadioButton(QStringLiteral("Rig"), modeBox);
    OptRig->setObjectName(QStringLiteral("OptRig"));
    OptFreq = new QRadioButton(QStringLiteral("Frequency"), modeBox);
    OptFreq->setObjectName(QStringLiteral("OptFreq"));
    OptDont = new QRadioButton(QStringLiteral("Don't Use"), modeBox);
    OptDont->setObjectName(QStringLiteral("OptDont"));
    modeRow->addWidget(OptRig);
    modeRow->addWidget(OptFreq);
    modeRow->addWidget(OptDont);
    col->addWidget(modeBox);

    auto* grid = new QGridLayout;
    col->addLayout(grid);
    chkFrequency = new QCheckBox(QStringLiteral("Use Frequency"), this);
    chkFrequency->setObjectName(QStringLiteral("chkFrequency"));
    ChkConvHex = new QCheckBox(QStringLiteral("Convert from Hex"), this);
    ChkConvHex->setObjectName(QStringLiteral("ChkConvHex"));
    chkConvToHex = new QCheckBox(QStringLiteral("Convert to Hex"), this);
    chkConvToHex->setObjectName(QStringLiteral("chkConvToHex"));
    txtFreq = new QLineEdit(this);
    txtFreq->setObjectName(QStringLiteral("txtFreq"));
    txtMode = new QLineEdit(this);
    txtMode->setObjectName(QStringLiteral("txtMode"));
    grid->addWidget(chkFrequency, 0, 0);
    grid->addWidget(ChkConvHex, 0, 1);
    grid->addWidget(chkConvToHex, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("String to read frequency"), this), 1, 0);
    grid->addWidget(txtFreq, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("String to read mode"), this), 2, 0);
    grid->addWidget(txtMode, 2, 1, 1, 2);
    Label10 = new QLabel(QStringLiteral("Icom radio users will have to replace the 64 in the string with the ID for "
                                        "your particular radio.  Please check your Icom user's manual for details."),
                         this);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setWordWrap(true);
    col->addWidget(Label10);

    auto* net = new QGridLayout;
    col->addLayout(net);
    txtRigctldHost = new QLineEdit(this);
    txtRigctldHost->setObjectName(QStringLiteral("txtRigctldHost"));
    txtRigctldPort = new QLineEdit(this);
    txtRigctldPort->setObjectName(QStringLiteral("txtRigctldPort"));
    txtPegasusFolder = new QLineEdit(this);
    txtPegasusFolder->setObjectName(QStringLiteral("txtPegasusFolder"));
    net->addWidget(new QLabel(QStringLiteral("rigctld host"), this), 0, 0);
    net->addWidget(txtRigctldHost, 0, 1);
    net->addWidget(new QLabel(QStringLiteral("rigctld port"), this), 0, 2);
    net->addWidget(txtRigctldPort, 0, 3);
    net->addWidget(new QLabel(QStringLiteral("Pegasus folder"), this), 1, 0);
    net->addWidget(txtPegasusFolder, 1, 1, 1, 3);

    auto* buttons = new QHBoxLayout;
    col->addLayout(buttons);
    Command1 = new QPushButton(QStringLiteral("Test"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("End Test"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setEnabled(false);
    cmdChangeFrequency = new QPushButton(QStringLiteral("Change Frequency"), this);
    cmdChangeFrequency->setObjectName(QStringLiteral("cmdChangeFrequency"));
    lblPolling = new QLabel(QStringLiteral("Polling Rig"), this);
    lblPolling->setObjectName(QStringLiteral("lblPolling"));
    lblPolling->setVisible(false);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addWidget(cmdChangeFrequency);
    buttons->addWidget(lblPolling);
    connect(Command1, &QPushButton::clicked, this, &RigControlfrm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &RigControlfrm::Command2_Click);
    connect(cmdChangeFrequency, &QPushButton::clicked, this, &RigControlfrm::cmdChangeFrequency_Click);

    auto* readouts = new QGridLayout;
    col->addLayout(readouts);
    lblFreq = new QLabel(this);
    lblFreq->setObjectName(QStringLiteral("lblFreq"));
    lblMode = new QLabel(this);
    lblMode->setObjectName(QStringLiteral("lblMode"));
    txtUnprocessed = new QLineEdit(this);
    txtUnprocessed->setObjectName(QStringLiteral("txtUnprocessed"));
    txtUnprocessed->setReadOnly(true);
    readouts->addWidget(new QLabel(QStringLiteral("Frequency"), this), 0, 0);
    readouts->addWidget(lblFreq, 0, 1);
    readouts->addWidget(new QLabel(QStringLiteral("Mode"), this), 1, 0);
    readouts->addWidget(lblMode, 1, 1);
    readouts->addWidget(new QLabel(QStringLiteral("Unprocessed data"), this), 2, 0);
    readouts->addWidget(txtUnprocessed, 2, 1);

    tblPorts = new QTableWidget(10, 1, this);
    tblPorts->setObjectName(QStringLiteral("tblPorts"));
    tblPorts->setHorizontalHeaderLabels({QStringLiteral("Device")});
    tblPorts->horizontalHeader()->setStretchLastSection(true);
    top->addWidget(tblPorts);
}

void RigControlfrm::showSettings(const RigSettings& s)
{
    const int row = static_cast<int>(RigCatalog::names().indexOf(s.rigType));
    {
        // Showing the settings is not choosing a rig.
        const QSignalBlocker quiet(List1);
        List1->setCurrentRow(row < 0 ? 0 : row);
    }
    check(m_port, s.port - 1);
    check(m_baud, indexIn(kBaudValues, 9, s.baud.trimmed()));
    check(m_parity, static_cast<int>(QStringLiteral("ONE").indexOf(s.parity)));
    check(m_data, s.dataBits == QLatin1Char('7') ? 0 : 1);
    check(m_stop, s.stopBits == QLatin1Char('2') ? 1 : 0);
    check(m_power, static_cast<int>(QStringLiteral("NRD").indexOf(s.powerLine)));
    check(m_rate, static_cast<int>(QStringLiteral("FMSR").indexOf(s.pollRate)));
    OptRig->setChecked(s.modeBy == RigSettings::ModeBy::Rig);
    OptFreq->setChecked(s.modeBy == RigSettings::ModeBy::Frequency);
    OptDont->setChecked(s.modeBy == RigSettings::ModeBy::DontUse);
    chkFrequency->setChecked(s.useFrequency);
    ChkConvHex->setChecked(s.convertFromHex);
    chkConvToHex->setChecked(s.convertToHex);
    chkConvToHex->setEnabled(s.family() == RigFamily::Other);
    const RigModel* m = RigCatalog::find(s.rigType);
    Label10->setVisible(m && m->icomAddressNote);
    txtFreq->setText(s.freqCommand);
    txtMode->setText(s.modeCommand);
    txtRigctldHost->setText(s.rigctldHost);
    txtRigctldPort->setText(QString::number(s.rigctldPort));
    txtPegasusFolder->setText(s.pegasusDir());
    for (int i = 0; i < 10; ++i)
        tblPorts->setItem(i, 0, new QTableWidgetItem(s.ports.device(i + 1)));
}

RigSettings RigControlfrm::readControls() const
{
    RigSettings s = m_poller->settings();
    if (List1->currentItem())
        s.rigType = List1->currentItem()->text();
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
    s.modeBy = OptFreq->isChecked()   ? RigSettings::ModeBy::Frequency
               : OptDont->isChecked() ? RigSettings::ModeBy::DontUse
                                      : RigSettings::ModeBy::Rig;
    s.useFrequency = chkFrequency->isChecked();
    s.convertFromHex = ChkConvHex->isChecked();
    s.convertToHex = chkConvToHex->isChecked();
    s.freqCommand = txtFreq->text();
    s.modeCommand = txtMode->text();
    s.rigctldHost = txtRigctldHost->text().trimmed();
    bool ok = false;
    const uint port = txtRigctldPort->text().toUInt(&ok);
    if (ok && port > 0 && port <= 65535)
        s.rigctldPort = static_cast<quint16>(port);
    s.pegasusFolder = txtPegasusFolder->text().trimmed();
    SerialPortTable table;
    for (int i = 0; i < 10; ++i)
        table.setDevice(i + 1, tblPorts->item(i, 0) ? tblPorts->item(i, 0)->text().trimmed() : QString());
    s.ports = table;
    return s;
}

void RigControlfrm::saveSettings()
{
    m_poller->setSettings(readControls());
    m_poller->settings().save(RigSettings::iniPath(m_station.paths().dataDir));
}

void RigControlfrm::applyRigSelection(const QString& name)
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

void RigControlfrm::List1_Click()
{
    if (!List1->currentItem())
        return;
    if (m_poller->polling())
        Command2_Click();
    applyRigSelection(List1->currentItem()->text());
}

void RigControlfrm::Command1_Click()
{
    // The row on show is the rig tested, with its own command strings.
    if (List1->currentItem() && List1->currentItem()->text() != m_poller->settings().rigType)
        applyRigSelection(List1->currentItem()->text());
    saveSettings();
    m_poller->Command1_Click();
    redrawReadouts();
}

void RigControlfrm::Command2_Click()
{
    m_poller->Command2_Click();
    redrawReadouts();
}

void RigControlfrm::cmdChangeFrequency_Click()
{
    if (!m_poller->polling()) {
        m_dialogs.message(kMustPoll, windowTitle());
        return;
    }
    if (!m_frequencyTest)
        m_frequencyTest = new frmFrequencyTest(*m_poller, this);
    m_frequencyTest->show();
    m_frequencyTest->raise();
}

void RigControlfrm::Form_Unload()
{
    saveSettings();
    m_poller->Form_Unload();
}

void RigControlfrm::redrawReadouts()
{
    lblFreq->setText(m_poller->frequencyReadout());
    lblMode->setText(m_poller->modeReadout());
    txtUnprocessed->setText(m_poller->rawReadout());
}

void RigControlfrm::closeEvent(QCloseEvent* e)
{
    // The window stays loaded and keeps polling; only the program's end unloads it.
    saveSettings();
    hide();
    e->ignore();
}
