#pragma once

#include <QDialog>
#include <array>

class Dialogs;
class QLineEdit;
class QPushButton;
class QRadioButton;
class VoiceKeyer;
class WaveRecorder;

// "Phone Wave Selections": the wave file of each function key (typed, browsed for or
// recorded here), the PTT port and line, the printer port address and the F1 repeat. Edits go
// to the voice keyer at once; "Done" writes wave2.txt and hides the window.
class PhoneSetupWindow : public QDialog {
    Q_OBJECT
public:
    PhoneSetupWindow(VoiceKeyer& keyer, WaveRecorder& recorder, Dialogs& dialogs, QWidget* parent = nullptr);

    // Shows the keyer's settings in the fields.
    void showSettings();

private:
    void browse(int key);
    void record(int key);
    void portLeft();
    void loopLeft();
    void fieldsToSettings();
    void done();

    VoiceKeyer& m_keyer;
    WaveRecorder& m_recorder;
    Dialogs& m_dialogs;
    std::array<QLineEdit*, 9> m_files{};
    std::array<QPushButton*, 9> m_record{};
    int m_recording = -1; // the key being recorded
    QLineEdit* m_port;
    std::array<QRadioButton*, 3> m_lines{};
    QLineEdit* m_printer;
    QLineEdit* m_loop;
    QPushButton* m_stop;
    QPushButton* m_done;
};
