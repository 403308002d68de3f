#include "ui/FrequencyTestWindow.h"

#include "rig/RigFrames.h"
#include "rig/RigPoller.h"
#include "rig/RigTune.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FrequencyTestWindow::FrequencyTestWindow(RigPoller& poller, QWidget* parent)
    : QWidget(parent, Qt::Window), m_poller(poller)
{
    setObjectName(QStringLiteral("frmFrequencyTest"));
    setWindowTitle(QStringLiteral("Test Change Frequency Function"));
    auto* grid = new QGridLayout(this);
    m_rawCommand = new QLineEdit(QStringLiteral("FA00028475000;"), this);
    m_rawCommand->setObjectName(QStringLiteral("Text1"));
    m_rawIsHex = new QCheckBox(QStringLiteral("Convert to Hex"), this);
    m_rawIsHex->setObjectName(QStringLiteral("Check1"));
    auto* send1 = new QPushButton(QStringLiteral("Send"), this);
    send1->setObjectName(QStringLiteral("Command1"));
    m_frequency = new QLineEdit(QStringLiteral("28.475"), this);
    m_frequency->setObjectName(QStringLiteral("Text2"));
    auto* send2 = new QPushButton(QStringLiteral("Send"), this);
    send2->setObjectName(QStringLiteral("Command2"));
    const auto label = [this](const QString& text, QLineEdit* field) {
        auto* l = new QLabel(text, this);
        l->setBuddy(field);
        return l;
    };
    grid->addWidget(label(QStringLiteral("Rig &command"), m_rawCommand), 0, 0);
    grid->addWidget(m_rawCommand, 0, 1);
    grid->addWidget(m_rawIsHex, 0, 2);
    grid->addWidget(send1, 0, 3);
    grid->addWidget(label(QStringLiteral("&Frequency (MHz)"), m_frequency), 1, 0);
    grid->addWidget(m_frequency, 1, 1);
    grid->addWidget(send2, 1, 3);
    connect(send1, &QPushButton::clicked, this, &FrequencyTestWindow::sendRawCommand);
    connect(send2, &QPushButton::clicked, this, &FrequencyTestWindow::sendFrequency);
}

QByteArray FrequencyTestWindow::rawBytes(const QString& text, bool hex)
{
    const QString s = text.trimmed();
    return hex ? RigFrames::spacedHexToBytes(s) : s.toLatin1();
}

void FrequencyTestWindow::sendRawCommand()
{
    m_poller.sendRaw(rawBytes(m_rawCommand->text(), m_rawIsHex->isChecked()));
}

void FrequencyTestWindow::sendFrequency()
{
    if (const auto f = RigTune::numeric(m_frequency->text()); f && f->isValid())
        m_poller.ChangeFrequency(*f);
}
