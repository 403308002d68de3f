#pragma once

#include <QObject>
#include <functional>
#include <memory>

class Clock;
class CwKeyer;
class Dialogs;
class MainWindow;
class PhoneSetupWindow;
class QtWavePlayer;
class Station;
class VoiceKeyer;
class VoiceNavigationWindow;
class VoicePrompter;
class WaveRecorder;

// The phone side of the station for the run: the voice keyer with its player and PTT, the
// spoken prompts with theirs, the recorder, and the two windows with their menu items
// (Options > Phone Setup, Ctrl+P; Options > Voice Navigation). The voice keyer takes the main
// window's keys first and passes on what is not its own to the CW keyer; the two share the
// serial port, each taking it back when it needs it.
class VoiceActions : public QObject {
    Q_OBJECT
public:
    VoiceActions(MainWindow& window, Station& station, CwKeyer& cw, Dialogs& dialogs, Clock& clock);
    ~VoiceActions() override;

    VoiceKeyer& keyer() { return *m_keyer; }
    VoicePrompter& prompter() { return *m_prompter; }
    WaveRecorder& recorder() { return *m_recorder; }
    void showPhoneSetup();
    void showVoiceNavigation();

private:
    MainWindow& m_window;
    Station& m_station;
    CwKeyer& m_cw;
    Dialogs& m_dialogs;
    std::unique_ptr<QtWavePlayer> m_messagePlayer;
    std::unique_ptr<QtWavePlayer> m_promptPlayer;
    std::unique_ptr<WaveRecorder> m_recorder;
    std::unique_ptr<VoiceKeyer> m_keyer;
    std::unique_ptr<VoicePrompter> m_prompter;
    PhoneSetupWindow* m_phoneWindow = nullptr;    // owned by the main window once made
    VoiceNavigationWindow* m_navWindow = nullptr; // likewise
};
