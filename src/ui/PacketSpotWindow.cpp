#include "ui/PacketSpotWindow.h"

#include "settings/UserSettingsStore.h"
#include "spots/SpotSession.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

PacketSpotWindow::PacketSpotWindow(SpotSession& session, QString settingsPath, UserSettingsStore* userStore,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), m_session(session), m_settingsPath(std::move(settingsPath)), m_userStore(userStore)
{
    setObjectName(QStringLiteral("PacketSpotfrm"));
    setWindowTitle(QStringLiteral("DX Spotting Setup"));

    m_sources = new QListWidget(this);
    m_sources->setObjectName(QStringLiteral("List1"));
    m_sources->addItems({"None", "TNC", "Telnet", "AGW Packet Engine"});
    m_received = new QPlainTextEdit(this);
    m_received->setObjectName(QStringLiteral("txtUnProcessed"));
    m_received->setReadOnly(true);
    m_send = new QLineEdit(this);
    m_send->setObjectName(QStringLiteral("txtSent"));
    m_send->installEventFilter(this);
    m_sendPrompt = new QLabel(this);
    m_listening = new QLabel(QStringLiteral("Listening"), this);
    m_listening->setObjectName(QStringLiteral("lblListening"));
    m_listening->hide();
    m_listDxOnly = new QCheckBox(QStringLiteral("List DX Only (also controls main form)"), this);
    m_listDxOnly->setObjectName(QStringLiteral("chkListDX"));
    m_host = new QLineEdit(this);
    m_host->setObjectName(QStringLiteral("txtTelnetHost"));
    m_port = new QLineEdit(this);
    m_port->setObjectName(QStringLiteral("txtTelnetPort"));
    m_agwHost = new QLineEdit(this);
    m_agwHost->setObjectName(QStringLiteral("txtAgwHost"));
    m_agwPort = new QLineEdit(this);
    m_agwPort->setObjectName(QStringLiteral("txtAgwPort"));

    const auto combo = [this](const char* name, const QStringList& items) {
        auto* c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        c->addItems(items);
        return c;
    };
    m_baud = combo("cboBaud", {"1200", "2400", "4800", "9600", "14400", "19200"});
    m_baud->setToolTip(QStringLiteral("Baud Rate of Com Port to TNC (not necessarily transmitted baud rate)"));
    m_parity = combo("cboParity", {"N", "O", "E"});
    m_dataBits = combo("cboDataBits", {"8", "7"});
    m_stopBits = combo("cboStopBits", {"1", "2"});
    m_comPort = combo("cboComPort", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    m_powerLine = combo("cboPowerLine", {"N", "R", "D"});
    m_handshaking = combo("cboHandshaking", {"None", "Xon Xoff", "RTS", "RTS OnOff"});
    m_commandChar = new QLineEdit(this);
    m_commandChar->setObjectName(QStringLiteral("txtTNCcmd"));
    m_commandChar->setMaxLength(2);
    m_convertToHex = new QCheckBox(QStringLiteral("Convert to Hex"), this);
    m_convertToHex->setObjectName(QStringLiteral("chkConvToHex"));
    m_convertToHex->setToolTip(QStringLiteral("Send text to the TNC as hex pairs: C0 00 1B"));
    m_mainDisplay = combo("cboMainFormDisplay", {"Band Map", "List"});

    auto* tncBox = new QGroupBox(QStringLiteral("TNC"), this);
    auto* tnc = new QFormLayout(tncBox);
    tnc->addRow(QStringLiteral("Baud:"), m_baud);
    tnc->addRow(QStringLiteral("Parity:"), m_parity);
    tnc->addRow(QStringLiteral("Data bits:"), m_dataBits);
    tnc->addRow(QStringLiteral("Stop bits:"), m_stopBits);
    tnc->addRow(QStringLiteral("Com port:"), m_comPort);
    tnc->addRow(QStringLiteral("Power line (None, RTS, DTR):"), m_powerLine);
    tnc->addRow(QStringLiteral("Handshaking:"), m_handshaking);
    tnc->addRow(QStringLiteral("TNC cmd mode hex character:"), m_commandChar);
    tnc->addRow(m_convertToHex);

    auto* open = new QPushButton(QStringLiteral("Open Port"), this);
    open->setObjectName(QStringLiteral("Command1"));
    auto* close = new QPushButton(QStringLiteral("Close Port"), this);
    close->setObjectName(QStringLiteral("Command2"));
    auto* spotLast = new QPushButton(QStringLiteral("Spot Last"), this);
    spotLast->setObjectName(QStringLiteral("Command3"));
    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("cmdDone"));

    auto* telnet = new QFormLayout;
    telnet->addRow(QStringLiteral("Telnet Host:"), m_host);
    telnet->addRow(QStringLiteral("Telnet Port:"), m_port);
    telnet->addRow(QStringLiteral("AGW Host:"), m_agwHost);
    telnet->addRow(QStringLiteral("AGW Port:"), m_agwPort);
    telnet->addRow(QStringLiteral("Main Form Display:"), m_mainDisplay);
    auto* buttons = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(open), static_cast<QWidget*>(close), static_cast<QWidget*>(spotLast),
                       static_cast<QWidget*>(done), static_cast<QWidget*>(m_listening)})
        buttons->addWidget(w);
    auto* top = new QHBoxLayout;
    top->addWidget(m_sources);
    auto* side = new QVBoxLayout;
    side->addLayout(telnet);
    side->addWidget(m_listDxOnly);
    top->addLayout(side);
    top->addWidget(tncBox);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_received, 1);
    layout->addWidget(m_sendPrompt);
    layout->addWidget(m_send);
    layout->addLayout(buttons);

    showSettings();
    m_sendPrompt->setText(m_session.sendPrompt());

    connect(m_sources, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        takeSettingsFromControls();
        m_session.chooseSource(item->text());
        showSettings();
    });
    connect(open, &QPushButton::clicked, this, [this] {
        takeSettingsFromControls();
        m_session.openPort();
    });
    connect(close, &QPushButton::clicked, &m_session, &SpotSession::closePort);
    connect(spotLast, &QPushButton::clicked, this, &PacketSpotWindow::startSpotLine);
    connect(done, &QPushButton::clicked, this, &PacketSpotWindow::finish);
    connect(m_send, &QLineEdit::returnPressed, this, [this] {
        takeSettingsFromControls();
        m_session.sendText(m_send->text());
        m_send->clear();
    });
    connect(m_listDxOnly, &QCheckBox::toggled, this, [this](bool on) { m_session.settings().listDxOnly = on ? 1 : 0; });
    // A flood of lines redraws the box a few times a second, not once a line.
    m_textTimer = new QTimer(this);
    m_textTimer->setSingleShot(true);
    m_textTimer->setInterval(kTextRefreshMs);
    connect(m_textTimer, &QTimer::timeout, this, &PacketSpotWindow::showText);
    connect(&m_session, &SpotSession::textChanged, this, [this] {
        if (!m_textTimer->isActive())
            m_textTimer->start();
    });
    connect(&m_session, &SpotSession::listeningChanged, m_listening, &QWidget::setVisible);
    connect(&m_session, &SpotSession::beep, this, [] { QApplication::beep(); });
    connect(&m_session, &SpotSession::titleChanged, this, &QWidget::setWindowTitle);
    showText();
}

void PacketSpotWindow::finish()
{
    takeSettingsFromControls();
    if (m_session.settings().source != QLatin1String("None") && !m_session.isListening())
        m_session.openPort();
    SaveSpotSettings(m_settingsPath, m_session.settings());
    if (m_userStore)
        m_session.saveAgwAddress(*m_userStore);
    m_session.refreshDisplay();
    hide();
}

void PacketSpotWindow::startSpotLine()
{
    m_send->setText(QStringLiteral("DX Frequency in kHz "));
    m_send->setSelection(3, 16);
    m_send->setFocus();
}

bool PacketSpotWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_send && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape ||
            (key->key() == Qt::Key_C && key->modifiers().testFlag(Qt::ControlModifier))) {
            m_listDxOnly->setChecked(false);
            takeSettingsFromControls();
            m_session.sendCommandCharacter();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PacketSpotWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    showText();
}

void PacketSpotWindow::showText()
{
    if (!isVisible() || m_received->toPlainText() == m_session.received().text())
        return;
    m_received->setPlainText(m_session.received().text());
    m_received->verticalScrollBar()->setValue(m_received->verticalScrollBar()->maximum());
}

void PacketSpotWindow::takeSettingsFromControls()
{
    SpotSettings& s = m_session.settings();
    s.telnetHost = m_host->text().trimmed();
    s.telnetPort = m_port->text().trimmed();
    s.listDxOnly = m_listDxOnly->isChecked() ? 1 : 0;
    s.baud = m_baud->currentText();
    s.parity = m_parity->currentText();
    s.dataBits = m_dataBits->currentText();
    s.stopBits = m_stopBits->currentText();
    s.port = static_cast<quint8>(m_comPort->currentIndex() + 1);
    s.powerLine = m_powerLine->currentText();
    s.handshaking = static_cast<quint8>(m_handshaking->currentIndex() + 1);
    s.tncCommandChar = m_commandChar->text().trimmed();
    s.mainFormList = m_mainDisplay->currentIndex() == 1;
    s.convertToHex = m_convertToHex->isChecked() ? 1 : 0;
    bool ok = false;
    const uint agwPort = m_agwPort->text().trimmed().toUInt(&ok);
    const QString agwHost = m_agwHost->text().trimmed();
    m_session.setAgwAddress(agwHost.isEmpty() ? QString::fromLatin1(SpotSession::kAgwHost) : agwHost,
                            ok && agwPort > 0 && agwPort <= 0xFFFF ? quint16(agwPort) : SpotSession::kAgwPort);
}

void PacketSpotWindow::showSettings()
{
    const SpotSettings& s = m_session.settings();
    if (const auto items = m_sources->findItems(s.source, Qt::MatchExactly); !items.isEmpty())
        m_sources->setCurrentItem(items.front());
    m_host->setText(s.telnetHost);
    m_port->setText(s.telnetPort);
    m_listDxOnly->setChecked(s.listDxOnly != 0);
    m_baud->setCurrentText(s.baud);
    m_parity->setCurrentText(s.parity);
    m_dataBits->setCurrentText(s.dataBits);
    m_stopBits->setCurrentText(s.stopBits);
    m_comPort->setCurrentIndex(qBound(0, s.port - 1, 9));
    m_powerLine->setCurrentText(s.powerLine);
    m_handshaking->setCurrentIndex(qBound(0, s.handshaking - 1, 3));
    m_commandChar->setText(s.tncCommandChar);
    m_mainDisplay->setCurrentIndex(s.mainFormList ? 1 : 0);
    m_convertToHex->setChecked(s.convertToHex != 0);
    m_agwHost->setText(m_session.agwHost());
    m_agwPort->setText(QString::number(m_session.agwPort()));
    m_sendPrompt->setText(m_session.sendPrompt());
    setWindowTitle(m_session.title());
}
