#include "ui/RigTuneWindow.h"

#include "log/Bands.h"
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
#include <cstdlib>

namespace {
const char* const kBandCaptions[] = {"160", "80", "60", "40", "30",   "20", "17", "15",
                                     "12",  "10", "6",  "2",  "1.25", "70", "33", "23"};
}

RigTuneWindow::RigTuneWindow(RigPoller& poller, QWidget* parent) : QWidget(parent, Qt::Window), m_tune(poller)
{
    setObjectName(QStringLiteral("frmRigTune"));
    setWindowTitle(QStringLiteral("Change Frequency and Mode (Ctrl G (Go))"));
    auto* col = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    col->addLayout(top);
    m_frequency = new QLineEdit(this);
    m_frequency->setObjectName(QStringLiteral("txtFreq"));
    m_goButton = new QPushButton(QStringLiteral("&Go"), this);
    m_goButton->setObjectName(QStringLiteral("Command1"));
    m_doneButton = new QPushButton(QStringLiteral("&Done"), this);
    m_doneButton->setObjectName(QStringLiteral("cmdDone"));
    top->addWidget(new QLabel(QStringLiteral("MHz"), this));
    top->addWidget(m_frequency);
    top->addWidget(m_goButton);
    top->addWidget(m_doneButton);
    connect(m_goButton, &QPushButton::clicked, this, &RigTuneWindow::go);
    connect(m_doneButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_frequency, &QLineEdit::textChanged, this, &RigTuneWindow::updateStepButtons);
    connect(m_frequency, &QLineEdit::returnPressed, this, [this] {
        go();
        m_frequency->setFocus();
        m_frequency->end(false);
    });

    auto* steps = new QGridLayout;
    col->addLayout(steps);
    // Up steps on the top row, down steps below, smallest step on the left.
    const auto column = [](int i) {
        int smaller = 0;
        for (int j = 0; j < RigTune::kSteps; j += 2)
            smaller += std::abs(RigTune::stepHz(j)) < std::abs(RigTune::stepHz(i)) ? 1 : 0;
        return smaller;
    };
    for (int i = 0; i < RigTune::kSteps; ++i) {
        const QString sign = RigTune::stepHz(i) > 0 ? QStringLiteral("+") : QStringLiteral("-");
        m_stepButtons[i] = new QPushButton(sign + RigTune::stepCaption(i), this);
        m_stepButtons[i]->setObjectName(QStringLiteral("cmdTune_%1").arg(i));
        m_stepButtons[i]->setEnabled(false);
        steps->addWidget(m_stepButtons[i], RigTune::stepHz(i) > 0 ? 0 : 1, column(i));
        connect(m_stepButtons[i], &QPushButton::clicked, this, [this, i] { stepFrequency(i); });
    }
    auto* bands = new QGridLayout;
    col->addLayout(bands);
    for (int i = 0; i < RigTune::kBands; ++i) {
        m_bandButtons[i] = new QPushButton(QString::fromLatin1(kBandCaptions[i]), this);
        m_bandButtons[i]->setObjectName(QStringLiteral("cmdBand_%1").arg(i));
        bands->addWidget(m_bandButtons[i], i / 8, i % 8);
        connect(m_bandButtons[i], &QPushButton::clicked, this, [this, i] { goToBand(i); });
    }
    auto* modes = new QHBoxLayout;
    col->addLayout(modes);
    for (const char* m : {"USB", "LSB", "CW", "RTTY", "AM", "FM"}) {
        auto* b = new QPushButton(QString::fromLatin1(m), this);
        b->setObjectName(QStringLiteral("cmd") + QString::fromLatin1(m));
        modes->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, m] { setMode(QString::fromLatin1(m)); });
    }

    auto* scanBox = new QGroupBox(QStringLiteral("Scan"), this);
    auto* scan = new QGridLayout(scanBox);
    col->addWidget(scanBox);
    m_scan = new QCheckBox(QStringLiteral("Scan"), scanBox);
    m_scan->setObjectName(QStringLiteral("chkScan"));
    m_scanFrom = new QLineEdit(scanBox);
    m_scanFrom->setObjectName(QStringLiteral("txtFrom"));
    m_scanTo = new QLineEdit(scanBox);
    m_scanTo->setObjectName(QStringLiteral("txtTo"));
    scan->addWidget(m_scan, 0, 0);
    scan->addWidget(new QLabel(QStringLiteral("From"), scanBox), 0, 1);
    scan->addWidget(m_scanFrom, 0, 2);
    scan->addWidget(new QLabel(QStringLiteral("To"), scanBox), 0, 3);
    scan->addWidget(m_scanTo, 0, 4);
    for (int i = 0; i < RigTune::kScanSteps; ++i) {
        m_scanStepChoice[i] = new QRadioButton(RigTune::scanStepCaption(i + 1), scanBox);
        m_scanStepChoice[i]->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        scan->addWidget(m_scanStepChoice[i], 1, i);
    }
    m_scanStepChoice[0]->setChecked(true);
    connect(m_scan, &QCheckBox::clicked, this, &RigTuneWindow::scanClicked);
    // Ticked or unticked by click, key or code alike.
    connect(m_scan, &QCheckBox::toggled, this, &RigTuneWindow::updateScanTimer);

    for (QLineEdit* e : {m_frequency, m_scanFrom, m_scanTo})
        e->installEventFilter(this);
    m_scanTimer.setInterval(299);
    connect(&m_scanTimer, &QTimer::timeout, this, &RigTuneWindow::scanTick);
}

void RigTuneWindow::showFieldDayBandsOnly(bool only)
{
    for (int i = 0; i < RigTune::kBands; ++i)
        m_bandButtons[i]->setVisible(!only || Bands::indexOf(m_bandButtons[i]->text()) >= 0);
}

void RigTuneWindow::updateScanTimer()
{
    // Done only hides the window; a scan left running would go on retuning the rig unseen.
    if (isVisible() && m_scan->isChecked())
        m_scanTimer.start();
    else
        m_scanTimer.stop();
}

void RigTuneWindow::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    updateScanTimer();
}

void RigTuneWindow::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    updateScanTimer();
}

void RigTuneWindow::go()
{
    m_tune.go(m_frequency->text());
}

void RigTuneWindow::stepFrequency(int index)
{
    if (const auto next = m_tune.step(m_frequency->text(), index))
        m_frequency->setText(*next);
    m_doneButton->setFocus();
}

void RigTuneWindow::goToBand(int index)
{
    m_frequency->setText(RigTune::bandPreset(index).toShortMHzText());
    go();
}

void RigTuneWindow::setMode(const QString& mode)
{
    m_tune.setMode(mode);
    m_doneButton->setFocus();
}

void RigTuneWindow::scanClicked()
{
    if (m_scan->isChecked() && !RigTune::numeric(m_frequency->text()))
        m_frequency->setText(m_scanFrom->text());
    m_goButton->setFocus();
}

int RigTuneWindow::scanOption() const
{
    for (int i = 0; i < RigTune::kScanSteps; ++i) {
        if (m_scanStepChoice[i]->isChecked())
            return i + 1;
    }
    return 1;
}

void RigTuneWindow::scanTick()
{
    if (!m_scan->isChecked() || !isVisible())
        return;
    if (const auto next = m_tune.scanTick(m_frequency->text(), m_scanFrom->text(), m_scanTo->text(), scanOption()))
        m_frequency->setText(*next);
}

void RigTuneWindow::updateStepButtons()
{
    const bool numeric = RigTune::numeric(m_frequency->text()).has_value();
    for (QPushButton* b : m_stepButtons)
        b->setEnabled(numeric);
}

bool RigTuneWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        // Any key stops a scan; the frequency boxes take only digits, "." and "/".
        m_scan->setChecked(false);
        const QString t = k->text();
        if (!t.isEmpty() && k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter && !RigTune::keyPasses(t[0]))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void RigTuneWindow::keyPressEvent(QKeyEvent* e)
{
    m_scan->setChecked(false);
    QWidget::keyPressEvent(e);
}
