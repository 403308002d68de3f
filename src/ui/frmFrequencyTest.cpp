#include "ui/frmFrequencyTest.h"

#include "rig/RigFrames.h"
#include "rig/RigPoller.h"
#include "rig/RigTune.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

frmFrequencyTest::frmFrequencyTest(RigPoller& poller, QWidget* parent) : QWidget(parent, Qt::Window), m_poller(poller)
{
    setObjectName(QStringLiteral("frmFrequencyTest"));
    setWindowTitle(QStringLiteral("Test Change Frequency Function"));
    auto* grid = new QGridLayout(this);
    Text1 = new QLineEdit(QStringLiteral("FA00028475000;"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Check1 = new QCheckBox(QStringLiteral("Convert to Hex"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    auto* send1 = new QPushButton(QStringLiteral("Send"), this);
    send1->setObjectName(QStringLiteral("Command1"));
    Text2 = new QLineEdit(QStringLiteral("28.475"), this);
    Text2->setObjectName(QStringLiteral("Text2"));
    auto* send2 = new QPushButton(QStringLiteral("Send"), this);
    send2->setObjectName(QStringLiteral("Command2"));
    grid->addWidget(Text1, 0, 0);
    grid->addWidget(Check1, 0, 1);
    grid->addWidget(send1, 0, 2);
    grid->addWidget(Text2, 1, 0);
    grid->addWidget(send2, 1, 2);
    connect(send1, &QPushButton::clicked, this, &frmFrequencyTest::Command1_Click);
    connect(send2, &QPushButton::clicked, this, &frmFrequencyTest::Command2_Click);
}

QByteArray frmFrequencyTest::rawBytes(const QString& text, bool hex)
{
    const QString s = text.trimmed();
    return hex ? RigFrames::spacedHexToBytes(s) : s.toLatin1();
}

void frmFrequencyTest::Command1_Click()
{
    m_poller.sendRaw(rawBytes(Text1->text(), Check1->isChecked()));
}

void frmFrequencyTest::Command2_Click()
{
    if (const auto f = RigTune::numeric(Text2->text()))
        m_poller.ChangeFrequency(*f);
}
