#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;
class RigPoller;

// "Test Change Frequency Function": sends a typed raw command, or tunes through the rig
// interface's own frequency change.
class frmFrequencyTest : public QWidget {
    Q_OBJECT
public:
    explicit frmFrequencyTest(RigPoller& poller, QWidget* parent = nullptr);

    void Command1_Click(); // raw command
    void Command2_Click(); // frequency

    // The bytes the raw command sends for this text and hex choice.
    static QByteArray rawBytes(const QString& text, bool hex);

private:
    RigPoller& m_poller;
    QLineEdit* Text1;
    QCheckBox* Check1;
    QLineEdit* Text2;
};
