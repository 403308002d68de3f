#include "ui/CwSetupWindow.h"

#include "entry/KeyFilters.h"
#include "keying/CwKeyer.h"
#include "keying/KeyingClock.h"
#include "keying/KeyingEngine.h"
#include "ui/KeyFilter.h"
#include "util/Dialogs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int OutputCodes[] = {CwSettings::Rts,  CwSettings::Dtr,    CwSettings::Printer,
                               CwSettings::None, CwSettings::WinKey, CwSettings::Cwdaemon};
const char* const TimingNames[] = {"Timer", "Sleep", "Loop"};

QLineEdit* field(const QString& name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

std::optional<double> numeric(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

void allowOnly(QLineEdit* edit, const QString& extra)
{
    installKeyFilter(edit, [extra](int& key) {
        if (key != KeyFilters::Backspace && !(key >= '0' && key <= '9') && !extra.contains(QChar(key)))
            key = 0;
    });
}

} // namespace

CwSetupWindow::CwSetupWindow(CwKeyer& keyer, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), m_keyer(keyer), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("CWFrm"));
    setWindowTitle(QStringLiteral("CW String Selections"));
    auto* root = new QHBoxLayout(this);

    auto* memories = new QFormLayout;
    // Text1..Text9 are F1..F9, Text12 F10, Text13 F11.
    for (int i = 0; i < 11; ++i) {
        const int control = i < 9 ? i + 1 : i + 3;
        m_messages[size_t(i)] = field(QStringLiteral("Text%1").arg(control), this);
        installKeyFilter(m_messages[size_t(i)], KeyFilters::upperCase);
        memories->addRow(QStringLiteral("F%1").arg(i + 1), m_messages[size_t(i)]);
        connect(m_messages[size_t(i)], &QLineEdit::textChanged, this, [this, i](const QString& t) {
            if (!m_loading)
                m_keyer.settings().messages[size_t(i)] = t;
        });
    }
    root->addLayout(memories, 3);

    auto* side = new QVBoxLayout;
    auto* numbers = new QFormLayout;
    m_port = field(QStringLiteral("Text10"), this);
    m_wpm = field(QStringLiteral("Text11"), this);
    m_printer = field(QStringLiteral("Text14"), this);
    m_space = field(QStringLiteral("txtSpace"), this);
    m_repeat = field(QStringLiteral("txtCWLoop"), this);
    m_cwdaemonHost = field(QStringLiteral("txtCwdaemon"), this);
    allowOnly(m_port, {});
    allowOnly(m_wpm, {});
    allowOnly(m_space, QStringLiteral("-."));
    allowOnly(m_repeat, QStringLiteral("."));
    auto* speedRow = new QHBoxLayout;
    auto* faster = button(QStringLiteral("cmdFaster"), QStringLiteral("Faster"), this);
    auto* slower = button(QStringLiteral("cmdSlower"), QStringLiteral("Slower"), this);
    speedRow->addWidget(m_wpm);
    speedRow->addWidget(faster);
    speedRow->addWidget(slower);
    auto* spaceRow = new QHBoxLayout;
    auto* less = button(QStringLiteral("cmdLess"), QStringLiteral("Less"), this);
    auto* more = button(QStringLiteral("cmdMore"), QStringLiteral("More"), this);
    spaceRow->addWidget(m_space);
    spaceRow->addWidget(less);
    spaceRow->addWidget(more);
    numbers->addRow(QStringLiteral("Com port (0 = none)"), m_port);
    numbers->addRow(QStringLiteral("Speed (WPM)"), speedRow);
    numbers->addRow(QStringLiteral("Word space"), spaceRow);
    numbers->addRow(QStringLiteral("Repeat F1 every (s)"), m_repeat);
    numbers->addRow(QStringLiteral("Printer port"), m_printer);
    numbers->addRow(QStringLiteral("cwdaemon"), m_cwdaemonHost);
    side->addLayout(numbers);

    m_display = new QCheckBox(QStringLiteral("Display CW text on main form (NA for WinKey)."), this);
    m_display->setObjectName(QStringLiteral("Check1"));
    side->addWidget(m_display);

    auto* outputs = new QGroupBox(QStringLiteral("Keying output"), this);
    auto* outputLayout = new QHBoxLayout(outputs);
    const QStringList outputNames{"RTS", "DTR", "Printer", "None", "WinKey", "cwdaemon"};
    for (int i = 0; i < 6; ++i) {
        m_outputs[size_t(i)] = new QRadioButton(outputNames[i], outputs);
        m_outputs[size_t(i)]->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        outputLayout->addWidget(m_outputs[size_t(i)]);
        connect(m_outputs[size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                outputChosen(OutputCodes[i]);
        });
    }
    side->addWidget(outputs);

    auto* timing = new QGroupBox(QStringLiteral("Timing"), this);
    auto* timingLayout = new QHBoxLayout(timing);
    const char* const timingControls[] = {"optTimer", "OptSleep", "optLoop"};
    for (int i = 0; i < 3; ++i) {
        m_timing[size_t(i)] = new QRadioButton(QString::fromLatin1(TimingNames[i]), timing);
        m_timing[size_t(i)]->setObjectName(QString::fromLatin1(timingControls[i]));
        timingLayout->addWidget(m_timing[size_t(i)]);
        connect(m_timing[size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !m_loading) {
                m_keyer.settings().timing = QString::fromLatin1(TimingNames[i]);
                m_keyer.apply();
            }
        });
    }
    m_loopCount = field(QStringLiteral("txtLoop"), timing);
    auto* calibrate = button(QStringLiteral("cmdCalibrate"), QStringLiteral("Calibrate"), timing);
    timingLayout->addWidget(m_loopCount);
    timingLayout->addWidget(calibrate);
    side->addWidget(timing);

    m_sending = new QLabel(QStringLiteral("Sending!"), this);
    m_sending->setObjectName(QStringLiteral("Label23"));
    m_sending->hide();
    side->addWidget(m_sending);
    side->addWidget(new QLabel(
        QStringLiteral(
            "The program will not generate a side tone so make sure your transceiver is set to produce one."),
        this));
    auto* buttons = new QHBoxLayout;
    auto* testButton = button(QStringLiteral("cmdTest"), QStringLiteral("&Test"), this);
    m_winKeyButton = button(QStringLiteral("cmdWinKey"), QStringLiteral("Configure Winkey"), this);
    auto* doneButton = button(QStringLiteral("cmdDone"), QStringLiteral("Done"), this);
    buttons->addWidget(testButton);
    buttons->addWidget(m_winKeyButton);
    buttons->addWidget(doneButton);
    side->addLayout(buttons);
    root->addLayout(side, 2);

    connect(m_port, &QLineEdit::editingFinished, this, [this] {
        leaveNumber(m_port);
        m_keyer.settings().port = m_port->text();
        m_keyer.apply(); // re-opens the port when it changed
    });
    connect(m_wpm, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (m_loading)
            return;
        m_keyer.settings().wpm = t;
        m_keyer.apply();
    });
    connect(m_wpm, &QLineEdit::editingFinished, this, [this] { leaveNumber(m_wpm); });
    connect(m_printer, &QLineEdit::editingFinished, this, [this] {
        m_keyer.settings().printerAddress = m_printer->text();
        m_keyer.apply();
    });
    connect(m_cwdaemonHost, &QLineEdit::editingFinished, this, [this] {
        m_keyer.settings().cwdaemonHost = m_cwdaemonHost->text();
        m_keyer.CWSetup();
    });
    connect(m_space, &QLineEdit::textChanged, this, &CwSetupWindow::spaceChanged);
    connect(m_space, &QLineEdit::editingFinished, this, [this] { leaveNumber(m_space); });
    connect(m_repeat, &QLineEdit::editingFinished, this, &CwSetupWindow::leaveRepeat);
    connect(m_loopCount, &QLineEdit::editingFinished, this, [this] {
        m_keyer.settings().loopCount = numeric(m_loopCount->text()).value_or(0);
        m_keyer.apply();
    });
    connect(m_display, &QCheckBox::toggled, this, [this](bool on) { m_keyer.settings().displayOnMain = on; });
    connect(faster, &QPushButton::clicked, this, [this] {
        m_keyer.UpDown1_UpClick();
        m_wpm->setText(m_keyer.settings().wpm);
    });
    connect(slower, &QPushButton::clicked, this, [this] {
        m_keyer.UpDown1_DownClick();
        m_wpm->setText(m_keyer.settings().wpm);
    });
    connect(less, &QPushButton::clicked, this, [this] { stepSpace(-1); });
    connect(more, &QPushButton::clicked, this, [this] { stepSpace(1); });
    connect(calibrate, &QPushButton::clicked, this, [this] {
        MonotonicKeyingClock clock;
        m_loopCount->setText(QString::number(KeyingEngine::CalibrateLoop(clock)));
        emit m_loopCount->editingFinished();
    });
    connect(testButton, &QPushButton::clicked, this, &CwSetupWindow::test);
    connect(m_winKeyButton, &QPushButton::clicked, this, &CwSetupWindow::configureWinKey);
    connect(doneButton, &QPushButton::clicked, this, &CwSetupWindow::done);
    loadFields();
}

void CwSetupWindow::showEvent(QShowEvent* event)
{
    loadFields();
    QWidget::showEvent(event);
}

void CwSetupWindow::loadFields()
{
    m_loading = true;
    const CwSettings& s = m_keyer.settings();
    for (size_t i = 0; i < m_messages.size(); ++i)
        m_messages[i]->setText(s.messages[i]);
    m_port->setText(s.port);
    m_wpm->setText(s.wpm);
    m_printer->setText(s.printerAddress);
    m_space->setText(s.wordSpace);
    m_repeat->setText(s.repeatSeconds);
    m_loopCount->setText(QString::number(s.loopCount));
    m_cwdaemonHost->setText(s.cwdaemonHost);
    m_display->setChecked(s.displayOnMain);
    for (size_t i = 0; i < m_outputs.size(); ++i)
        m_outputs[i]->setChecked(OutputCodes[i] == s.output);
    for (size_t i = 0; i < m_timing.size(); ++i)
        m_timing[i]->setChecked(s.timing == QLatin1String(TimingNames[i]));
    m_winKeyButton->setVisible(s.output == CwSettings::WinKey);
    m_loading = false;
}

void CwSetupWindow::outputChosen(int code)
{
    m_winKeyButton->setVisible(code == CwSettings::WinKey);
    if (m_loading)
        return;
    m_keyer.settings().output = code;
    m_keyer.apply();
}

void CwSetupWindow::spaceChanged()
{
    if (const std::optional<double> v = numeric(m_space->text()); v && *v < -8)
        m_space->setText(QStringLiteral("-8"));
    if (m_loading)
        return;
    m_keyer.settings().wordSpace = m_space->text();
    m_keyer.apply();
}

void CwSetupWindow::leaveNumber(QLineEdit* edit)
{
    if (!numeric(edit->text()))
        edit->setText(QStringLiteral("0"));
}

void CwSetupWindow::leaveRepeat()
{
    const std::optional<double> v = numeric(m_repeat->text());
    if (!v || *v < 0 || *v >= 60)
        m_repeat->setText(QStringLiteral("0"));
    m_keyer.settings().repeatSeconds = m_repeat->text();
    m_keyer.apply();
}

void CwSetupWindow::stepSpace(int by)
{
    const std::optional<double> v = numeric(m_space->text());
    m_space->setText(v ? QString::number(*v + by) : QStringLiteral("0"));
}

void CwSetupWindow::test()
{
    const CwSettings& s = m_keyer.settings();
    // Only the serial lines need a port number; the other outputs know where they go.
    if ((s.output == CwSettings::Rts || s.output == CwSettings::Dtr) && s.port.toInt() <= 0) {
        m_dialogs.beep();
        m_dialogs.message(QStringLiteral("Please enter a com port for CW rig interface."),
                          QStringLiteral("A com port is required."));
        m_port->setFocus();
        return;
    }
    m_sending->show();
    m_keyer.sendTest();
    m_sending->hide();
    if (isVisible())
        m_messages[0]->setFocus();
}

void CwSetupWindow::done()
{
    leaveRepeat();
    if (!m_keyer.saveSettings())
        m_dialogs.message(QStringLiteral("cw.txt could not be written in %1.").arg(m_keyer.dataDir()), windowTitle());
    hide();
    if (!m_keyer.outputNone())
        emit showStringsMinimised();
}
