#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;
class RigPoller;

// "Test Change Frequency Function": sends a typed raw command, or tunes through the rig
// interface's own frequency change.
class FrequencyTestWindow : public QWidget {
    Q_OBJECT
public:
    explicit FrequencyTestWindow(RigPoller& poller, QWidget* parent = nullptr);

    void sendRawCommand(); // raw command
    void sendFrequency();  // frequency

    // The bytes the raw command sends for this text and hex choice.
    static QByteArray rawBytes(const QString& text, bool hex);

private:
    RigPoller& m_poller;
    QLineEdit* m_rawCommand;
    QCheckBox* m_rawIsHex;
    QLineEdit* m_frequency;
};
