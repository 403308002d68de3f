#pragma once

#include <QDialog>
#include <array>

class QRadioButton;
class Station;
class VoicePrompter;

// "Voice Navigation Settings": Off, Call Only or All Data Fields. Choosing a level says so
// (the prompt of the level, heard while the window goes on working); "Done" stores it with
// the preferences.
class VoiceNavigationWindow : public QDialog {
    Q_OBJECT
public:
    VoiceNavigationWindow(Station& station, VoicePrompter& prompter, QWidget* parent = nullptr);

    int chosenLevel() const;

private:
    Station& m_station;
    VoicePrompter& m_prompter;
    std::array<QRadioButton*, 3> m_levels{};
};
