#include "ui/WinKeyWindow.h"

#include "entry/KeyFilters.h"
#include "keying/CwKeyer.h"
#include "keying/WinKeyClient.h"
#include "keying/WinKeyProtocol.h"
#include "keying/WinKeySender.h"
#include "ui/KeyFilter.h"
#include "util/Dialogs.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

using Field = WinKeySettings::Field;
constexpr Field Fields[] = {Field::Speed, Field::Weight, Field::LeadIn, Field::Tail, Field::Ratio};
constexpr int PinValues[] = {4, 8, 5, 6};
constexpr int ModeValues[] = {16, 0, 32, 48};
// Characters of the echo kept on screen: the end of the message being keyed.
constexpr int EchoShown = 40;

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QGroupBox* options(const QString& title, const QStringList& captions, const QString& prefix,
                   std::array<QRadioButton*, 4>& buttons, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < 4; ++i) {
        buttons[size_t(i)] = new QRadioButton(captions[i], box);
        buttons[size_t(i)]->setObjectName(prefix + QString::number(i));
        layout->addWidget(buttons[size_t(i)]);
    }
    return box;
}

} // namespace

WinKeyWindow::WinKeyWindow(CwKeyer& keyer, Dialogs& dialogs, std::function<QString()> ownCall, QWidget* parent)
    : QWidget(parent, Qt::Window), m_keyer(keyer), m_dialogs(dialogs), m_ownCall(std::move(ownCall))
{
    setObjectName(QStringLiteral("frmWinKey"));
    setWindowTitle(QStringLiteral("WinKey Setup"));
    auto* root = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_port = new QLineEdit(this);
    m_port->setObjectName(QStringLiteral("txtWKComPort"));
    installKeyFilter(m_port, KeyFilters::digitsOnly);
    form->addRow(QStringLiteral("Com port"), m_port);
    const char* const names[] = {"txtWKWPM", "txtWeight", "txtLeadIn", "txtTail", "txtRatio"};
    const QStringList labels{QStringLiteral("Speed (WPM)"),
                             QStringLiteral("Proportional amount added or subtracted (50 is standard)."),
                             QStringLiteral("Lead in time for transmitter (10 ms increments)."),
                             QStringLiteral("Tail time after keying has stopped (10 ms increments)."),
                             QStringLiteral("Ratio of dits to dahs (Range: 33 - 66).")};
    for (size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i] = new QLineEdit(this);
        m_fields[i]->setObjectName(QString::fromLatin1(names[i]));
        installKeyFilter(m_fields[i], KeyFilters::digitsOnly);
        form->addRow(labels[int(i)], m_fields[i]);
        connect(m_fields[i], &QLineEdit::editingFinished, this, [this, i] {
            WinKeySettings& s = m_keyer.winKeySettings();
            *s.text(Fields[i]) = m_fields[i]->text();
            s.fieldLeft(Fields[i], m_keyer.winKey());
            m_fields[i]->setText(*s.text(Fields[i]));
        });
    }
    connect(m_port, &QLineEdit::editingFinished, this, [this] {
        bool ok = false;
        const int port = m_port->text().toInt(&ok);
        m_keyer.winKeySettings().port = ok ? port : 0;
        if (!ok)
            m_port->setText(QStringLiteral("0"));
    });
    root->addLayout(form);

    auto* optionRow = new QHBoxLayout;
    optionRow->addWidget(options(QStringLiteral("Pin 5 Configuration"),
                                 {QStringLiteral("P5 Off, P3 Key Out"), QStringLiteral("P5 Key Out, P3 Off"),
                                  QStringLiteral("PTT"), QStringLiteral("Tone")},
                                 QStringLiteral("optPin"), m_pins, this));
    optionRow->addWidget(options(QStringLiteral("Keyer Mode"),
                                 {QStringLiteral("Iambic A"), QStringLiteral("Iambic B"), QStringLiteral("Ultimatic"),
                                  QStringLiteral("Bug Keyer")},
                                 QStringLiteral("optMode"), m_modes, this));
    for (QRadioButton* b : m_pins)
        connect(b, &QRadioButton::clicked, this, &WinKeyWindow::optionsChanged);
    for (QRadioButton* b : m_modes)
        connect(b, &QRadioButton::clicked, this, &WinKeyWindow::optionsChanged);
    root->addLayout(optionRow);

    m_status = new QLabel(QStringLiteral("Closed"), this);
    m_status->setObjectName(QStringLiteral("lblOpenStatus"));
    m_version = new QLabel(QStringLiteral("Version #"), this);
    m_version->setObjectName(QStringLiteral("lblVersion"));
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(m_status);
    statusRow->addWidget(m_version);
    root->addLayout(statusRow);

    // What the keyer reports while it is open.
    auto* reports = new QFormLayout;
    const auto report = [this, reports](const QString& caption, const QString& name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        reports->addRow(caption, l);
        return l;
    };
    m_speedPot = report(QStringLiteral("Speed Pot"), QStringLiteral("lblSpeedPot"));
    m_echoBack = report(QStringLiteral("Echo Bk"), QStringLiteral("lblEchoBk"));
    m_keyerStatus = report(QStringLiteral("Status"), QStringLiteral("lblStatus"));
    root->addLayout(reports);
    WinKeyClient& client = m_keyer.winKey();
    connect(&client, &WinKeyClient::speedPot, this,
            [this](int wpm) { m_speedPot->setText(QStringLiteral("%1 WPM").arg(wpm)); });
    connect(&client, &WinKeyClient::echoed, this,
            [this](QChar ch) { m_echoBack->setText((m_echoBack->text() + ch).right(EchoShown)); });
    connect(&client, &WinKeyClient::statusReceived, this,
            [this](int status) { m_keyerStatus->setText(WinKeyProtocol::statusText(status)); });

    m_typing = new QLineEdit(this);
    m_typing->setObjectName(QStringLiteral("Text1"));
    installKeyFilter(m_typing, [this](int& key) {
        KeyFilters::upperCase(key);
        if (key > 13) {
            const bool wasEmpty = m_keyer.buffer().isEmpty();
            m_keyer.buffer().append(QString(QChar(key)));
            if (wasEmpty)
                m_keyer.winKeySender().WKTransmit();
        }
    });
    root->addWidget(m_typing);

    auto* buttons = new QHBoxLayout;
    auto* open = button(QStringLiteral("cmdOpenWinkey"), QStringLiteral("Open"), this);
    auto* close = button(QStringLiteral("cmdCloseWinkey"), QStringLiteral("Close"), this);
    auto* testButton = button(QStringLiteral("cmdTest"), QStringLiteral("Test"), this);
    auto* bufferButton = button(QStringLiteral("cmdBufferTest"), QStringLiteral("Buffer Test"), this);
    auto* defaultsButton = button(QStringLiteral("cmdDefaultsTest"), QStringLiteral("Defaults Test"), this);
    auto* stopButton = button(QStringLiteral("cmdStop"), QStringLiteral("Stop"), this);
    auto* doneButton = button(QStringLiteral("cmdDone"), QStringLiteral("Done"), this);
    m_done = doneButton;
    for (QPushButton* b : {open, close, testButton, bufferButton, defaultsButton, stopButton, doneButton})
        buttons->addWidget(b);
    root->addLayout(buttons);
    connect(open, &QPushButton::clicked, this, &WinKeyWindow::openKeyer);
    connect(close, &QPushButton::clicked, this, &WinKeyWindow::closeKeyer);
    connect(testButton, &QPushButton::clicked, this, &WinKeyWindow::test);
    connect(bufferButton, &QPushButton::clicked, this, &WinKeyWindow::bufferTest);
    connect(defaultsButton, &QPushButton::clicked, this, &WinKeyWindow::defaultsTest);
    connect(stopButton, &QPushButton::clicked, this, &WinKeyWindow::stop);
    connect(doneButton, &QPushButton::clicked, this, &WinKeyWindow::done);
    connect(&m_keyer, &CwKeyer::winKeyOpened, this, &WinKeyWindow::opened);
    loadFields();
}

void WinKeyWindow::showEvent(QShowEvent* event)
{
    loadFields();
    QWidget::showEvent(event);
}

void WinKeyWindow::loadFields()
{
    WinKeySettings& s = m_keyer.winKeySettings();
    s.wpm = m_keyer.settings().wpm;
    m_port->setText(QString::number(s.port));
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_fields[i]->setText(*s.text(Fields[i]));
    for (size_t i = 0; i < 4; ++i) {
        m_pins[i]->setChecked(PinValues[i] == s.pins);
        m_modes[i]->setChecked(ModeValues[i] == s.mode);
    }
}

void WinKeyWindow::optionsChanged()
{
    WinKeySettings& s = m_keyer.winKeySettings();
    for (size_t i = 0; i < 4; ++i) {
        if (m_pins[i]->isChecked())
            s.pins = PinValues[i];
        if (m_modes[i]->isChecked())
            s.mode = ModeValues[i];
    }
    if (m_keyer.winKey().isOpen())
        s.applyAll(m_keyer.winKey());
}

void WinKeyWindow::openKeyer()
{
    m_keyer.openWinKey();
}

void WinKeyWindow::opened(int result, int version)
{
    const QString text = WinKeyProtocol::openResultText(result);
    if (!text.isEmpty())
        m_status->setText(text);
    if (result != WinKeyClient::AlreadyOpen && version > 0)
        m_version->setText(QStringLiteral("Version # %1").arg(version));
    if (isVisible())
        m_done->setFocus();
}

void WinKeyWindow::closeKeyer()
{
    m_keyer.winKey().close();
    m_status->setText(QStringLiteral("Closed"));
    m_version->setText(QStringLiteral("Version #"));
    for (QLabel* l : {m_speedPot, m_echoBack, m_keyerStatus})
        l->clear();
    if (isVisible())
        m_done->setFocus();
}

void WinKeyWindow::stop()
{
    m_keyer.winKey().clearBuffer();
    m_keyer.buffer().clear();
    m_done->setFocus();
}

void WinKeyWindow::append(const QString& text)
{
    const bool wasEmpty = m_keyer.buffer().isEmpty();
    m_keyer.buffer().append(text);
    if (wasEmpty)
        m_keyer.winKeySender().WKTransmit();
}

void WinKeyWindow::test()
{
    append(QStringLiteral("VVV TEST DE ") + m_ownCall());
    m_done->setFocus();
}

void WinKeyWindow::bufferTest()
{
    QString text;
    for (int i = 0; i < 3; ++i) {
        for (char c = 'A'; c <= 'Z'; ++c)
            text += QLatin1Char(c);
        text += QLatin1Char(' ');
    }
    append(text);
}

void WinKeyWindow::defaultsTest()
{
    m_keyer.winKeySettings().resetToDefaults();
    loadFields();
    if (m_keyer.winKey().isOpen())
        m_keyer.winKeySettings().applyAll(m_keyer.winKey());
    test();
}

void WinKeyWindow::done()
{
    if (!m_keyer.winKeySettings().save(WinKeySettings::path(m_keyer.dataDir())))
        m_dialogs.message(QStringLiteral("WK.txt could not be written in %1.").arg(m_keyer.dataDir()), windowTitle());
    hide();
}
