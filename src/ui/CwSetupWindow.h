#pragma once

#include <QWidget>
#include <array>

class CwKeyer;
class Dialogs;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "CW String Selections": the eleven memories, port, speed, word space, repeat interval,
// keying output and timing of the program's CW keyer. Fields are checked as they are left and
// take effect at once; Done writes cw.txt.
class CwSetupWindow : public QWidget {
    Q_OBJECT
public:
    CwSetupWindow(CwKeyer& keyer, Dialogs& dialogs, QWidget* parent = nullptr);

    // Fills the fields from the keyer's settings.
    void loadFields();
    // The Test button: the F9 memory.
    void test();
    // The Done button.
    void done();

signals:
    // Done with an output chosen: the strings panel is shown minimised.
    void showStringsMinimised();
    // "Configure Winkey".
    void configureWinKey();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void outputChosen(int code);
    void spaceChanged();
    void leaveNumber(QLineEdit* edit);
    void leaveRepeat();
    void stepSpace(int by);

    CwKeyer& m_keyer;
    Dialogs& m_dialogs;
    std::array<QLineEdit*, 11> m_messages{};
    QLineEdit* m_port;
    QLineEdit* m_wpm;
    QLineEdit* m_printer;
    QLineEdit* m_space;
    QLineEdit* m_repeat;
    QLineEdit* m_loopCount;
    QLineEdit* m_cwdaemonHost;
    QCheckBox* m_display;
    std::array<QRadioButton*, 6> m_outputs{}; // RTS, DTR, Printer, None, WinKey, cwdaemon
    std::array<QRadioButton*, 3> m_timing{};  // Timer, Sleep, Loop
    QLabel* m_sending;
    QPushButton* m_winKeyButton;
    bool m_loading = false;
};
