#pragma once

#include <QWidget>
#include <array>
#include <functional>

class CwKeyer;
class Dialogs;
class QLabel;
class QLineEdit;
class QRadioButton;

// "WinKey Setup": the keyer's port and settings (WK.txt), opening and closing it, the Test,
// Buffer Test, Defaults Test, Stop and typing box that send through it, and what the keyer
// reports: its speed pot, the characters it echoes as it keys them, its status.
class WinKeyWindow : public QWidget {
    Q_OBJECT
public:
    WinKeyWindow(CwKeyer& keyer, Dialogs& dialogs, std::function<QString()> ownCall, QWidget* parent = nullptr);

    void openKeyer();
    void closeKeyer();
    void stop();
    void test();
    void bufferTest();
    // The settings back to their defaults, sent to an open keyer, then the Test message.
    void defaultsTest();
    // Done: writes WK.txt (the operator is told when it cannot) and hides the window.
    void done();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void loadFields();
    void opened(int result, int version);
    void append(const QString& text);
    void optionsChanged();

    CwKeyer& m_keyer;
    Dialogs& m_dialogs;
    std::function<QString()> m_ownCall;
    QLineEdit* m_port;
    std::array<QLineEdit*, 5> m_fields{}; // speed, weight, lead-in, tail, ratio
    std::array<QRadioButton*, 4> m_pins{};
    std::array<QRadioButton*, 4> m_modes{};
    QLineEdit* m_typing;
    QLabel* m_status;
    QLabel* m_version;
    QLabel* m_speedPot;
    QLabel* m_echoBack;
    QLabel* m_keyerStatus;
    QWidget* m_done;
};
