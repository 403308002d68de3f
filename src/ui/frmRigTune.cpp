#include "ui/frmRigTune.h"

#include "rig/RigPoller.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const char* const kBandCaptions[] = {"160", "80", "60", "40", "30",   "20", "17", "15",
                                     "12",  "10", "6",  "2",  "1.25", "70", "33", "23"};
}

frmRigTune::frmRigTune(RigPoller& poller, QWidget* parent) : QWidget(parent, Qt::Window), m_tune(poller)
{
    setObjectName(QStringLiteral("frmRigTune"));
    setWindowTitle(QStringLiteral("Change Frequency and Mode (Ctrl G (Go))"));
    auto* col = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    col->addLayout(top);
    txtFreq = new QLineEdit(this);
    txtFreq->setObjectName(QStringLiteral("txtFreq"));
    Command1 = new QPushButton(QStringLiteral("&Go"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    cmdDone = new QPushButton(QStringLiteral("&Done"), this);
    cmdDone->setObjectName(QStringLiteral("cmdDone"));
    top->addWidget(new QLabel(QStringLiteral("MHz"), this));
    top->addWidget(txtFreq);
    top->addWidget(Command1);
    top->addWidget(cmdDone);
    connect(Command1, &QPushButton::clicked, this, &frmRigTune::Command1_Click);
    connect(cmdDone, &QPushButton::clicked, this, &QWidget::close);
    connect(txtFreq, &QLineEdit::textChanged, this, &frmRigTune::txtFreq_Change);
    connect(txtFreq, &QLineEdit::returnPressed, this, [this] {
        Command1_Click();
        txtFreq->setFocus();
        txtFreq->end(false);
    });

    auto* steps = new QGridLayout;
    col->addLayout(steps);
    for (int i = 0; i < RigTune::kSteps; ++i) {
        const QString sign = RigTune::stepMHz(i) > 0 ? QStringLiteral("+") : QStringLiteral("-");
        cmdTune[i] = new QPushButton(sign + RigTune::stepCaption(i), this);
        cmdTune[i]->setObjectName(QStringLiteral("cmdTune_%1").arg(i));
        cmdTune[i]->setEnabled(false);
        steps->addWidget(cmdTune[i], i % 2, i / 2);
        connect(cmdTune[i], &QPushButton::clicked, this, [this, i] { cmdTune_Click(i); });
    }
    auto* bands = new QGridLayout;
    col->addLayout(bands);
    for (int i = 0; i < RigTune::kBands; ++i) {
        cmdBand[i] = new QPushButton(QString::fromLatin1(kBandCaptions[i]), this);
        cmdBand[i]->setObjectName(QStringLiteral("cmdBand_%1").arg(i));
        bands->addWidget(cmdBand[i], i / 8, i % 8);
        connect(cmdBand[i], &QPushButton::clicked, this, [this, i] { cmdBand_Click(i); });
    }
    auto* modes = new QHBoxLayout;
    col->addLayout(modes);
    for (const char* m : {"USB", "LSB", "CW", "RTTY", "AM", "FM"}) {
        auto* b = new QPushButton(QString::fromLatin1(m), this);
        b->setObjectName(QStringLiteral("cmd") + QString::fromLatin1(m));
        modes->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, m] { modeButton_Click(QString::fromLatin1(m)); });
    }

    auto* scanBox = new QGroupBox(QStringLiteral("Scan"), this);
    auto* scan = new QGridLayout(scanBox);
    col->addWidget(scanBox);
    chkScan = new QCheckBox(QStringLiteral("Scan"), scanBox);
    chkScan->setObjectName(QStringLiteral("chkScan"));
    txtFrom = new QLineEdit(scanBox);
    txtFrom->setObjectName(QStringLiteral("txtFrom"));
    txtTo = new QLineEdit(scanBox);
    txtTo->setObjectName(QStringLiteral("txtTo"));
    scan->addWidget(chkScan, 0, 0);
    scan->addWidget(new QLabel(QStringLiteral("From"), scanBox), 0, 1);
    scan->addWidget(txtFrom, 0, 2);
    scan->addWidget(new QLabel(QStringLiteral("To"), scanBox), 0, 3);
    scan->addWidget(txtTo, 0, 4);
    for (int i = 0; i < RigTune::kScanSteps; ++i) {
        Option[i] = new QRadioButton(RigTune::scanStepCaption(i + 1), scanBox);
        Option[i]->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        scan->addWidget(Option[i], 1, i);
    }
    Option[0]->setChecked(true);
    connect(chkScan, &QCheckBox::clicked, this, &frmRigTune::chkScan_Click);
    // Ticked or unticked by click, key or code alike.
    connect(chkScan, &QCheckBox::toggled, this, &frmRigTune::updateScanTimer);

    for (QLineEdit* e : {txtFreq, txtFrom, txtTo})
        e->installEventFilter(this);
    Timer1.setInterval(299);
    connect(&Timer1, &QTimer::timeout, this, &frmRigTune::Timer1_Timer);
}

void frmRigTune::updateScanTimer()
{
    // Done only hides the window; a scan left running would go on retuning the rig unseen.
    if (isVisible() && chkScan->isChecked())
        Timer1.start();
    else
        Timer1.stop();
}

void frmRigTune::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    updateScanTimer();
}

void frmRigTune::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    updateScanTimer();
}

void frmRigTune::Command1_Click()
{
    m_tune.go(txtFreq->text());
}

void frmRigTune::cmdTune_Click(int index)
{
    if (const auto next = m_tune.step(txtFreq->text(), index))
        txtFreq->setText(*next);
    cmdDone->setFocus();
}

void frmRigTune::cmdBand_Click(int index)
{
    txtFreq->setText(QString::number(RigTune::bandPresetMHz(index)));
    Command1_Click();
}

void frmRigTune::modeButton_Click(const QString& mode)
{
    m_tune.setMode(mode);
    cmdDone->setFocus();
}

void frmRigTune::chkScan_Click()
{
    if (chkScan->isChecked() && !RigTune::numeric(txtFreq->text()))
        txtFreq->setText(txtFrom->text());
    Command1->setFocus();
}

int frmRigTune::scanOption() const
{
    for (int i = 0; i < RigTune::kScanSteps; ++i) {
        if (Option[i]->isChecked())
            return i + 1;
    }
    return 1;
}

void frmRigTune::Timer1_Timer()
{
    if (!chkScan->isChecked() || !isVisible())
        return;
    if (const auto next = m_tune.scanTick(txtFreq->text(), txtFrom->text(), txtTo->text(), scanOption()))
        txtFreq->setText(*next);
}

void frmRigTune::txtFreq_Change()
{
    const bool numeric = RigTune::numeric(txtFreq->text()).has_value();
    for (QPushButton* b : cmdTune)
        b->setEnabled(numeric);
}

bool frmRigTune::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        // Any key stops a scan; the frequency boxes take only digits, "." and "/".
        chkScan->setChecked(false);
        const QString t = k->text();
        if (!t.isEmpty() && k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter && !RigTune::keyPasses(t[0]))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmRigTune::keyPressEvent(QKeyEvent* e)
{
    chkScan->setChecked(false);
    QWidget::keyPressEvent(e);
}
