#include "ui/PacketSpotWindow.h"

#include "spots/SpotSession.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

PacketSpotWindow::PacketSpotWindow(SpotSession& session, QString settingsPath, QWidget* parent)
    : QWidget(parent, Qt::Window), m_session(session), m_settingsPath(std::move(settingsPath))
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
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_received, 1);
    layout->addWidget(m_sendPrompt);
    layout->addWidget(m_send);
    layout->addLayout(buttons);

    const SpotSettings& s = m_session.settings();
    if (const auto items = m_sources->findItems(s.source, Qt::MatchExactly); !items.isEmpty())
        m_sources->setCurrentItem(items.front());
    m_host->setText(s.telnetHost);
    m_port->setText(s.telnetPort);
    m_listDxOnly->setChecked(s.listDxOnly != 0);
    m_sendPrompt->setText(m_session.sendPrompt());

    connect(m_sources, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        m_session.chooseSource(item->text());
        m_sendPrompt->setText(m_session.sendPrompt());
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
    connect(&m_session, &SpotSession::textChanged, this, &PacketSpotWindow::showText);
    connect(&m_session, &SpotSession::listeningChanged, m_listening, &QWidget::setVisible);
    connect(&m_session, &SpotSession::beep, this, [] { QApplication::beep(); });
    showText();
}

void PacketSpotWindow::finish()
{
    takeSettingsFromControls();
    if (m_session.settings().source != QLatin1String("None") && !m_session.isListening())
        m_session.openPort();
    SaveSpotSettings(m_settingsPath, m_session.settings());
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
            if (!m_session.isListening()) {
                takeSettingsFromControls();
                m_session.openPort();
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PacketSpotWindow::showText()
{
    if (m_received->toPlainText() == m_session.received().text())
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
}
