#pragma once

#include "log/Frequency.h"

#include <QString>
#include <optional>

class RigPoller;

// The rules behind the tune window: steps, band presets, scan and the key filter. The window
// turns clicks and timer ticks into calls here and shows the text that comes back. The
// arithmetic is in whole hertz, so a hundred 10 Hz steps are exactly 1 kHz.
class RigTune {
public:
    explicit RigTune(RigPoller& poller) : m_poller(poller) {}

    static constexpr int kSteps = 10;
    static constexpr int kBands = 16;
    static constexpr int kScanSteps = 5;
    static qint64 stepHz(int index); // signed
    static QString stepCaption(int index);
    static Frequency bandPreset(int index);
    static qint64 scanStepHz(int option); // 1..5, as Option1..Option5
    static QString scanStepCaption(int option);

    // A number as the frequency box takes it, to the hertz; nullopt for anything else. Zero
    // and below are numbers too (the step buttons stay enabled) but tune nothing.
    static std::optional<Frequency> numeric(const QString& text);
    // Backspace and the characters "." "/" "0"-"9" pass the frequency boxes' key filter.
    static bool keyPasses(QChar c);

    // Go: tunes to the text's frequency unless it is not a number or no rig is selected.
    void go(const QString& text);
    // A step button: the new text, already sent; nullopt when the text was not a number or the
    // step would go below zero.
    std::optional<QString> step(const QString& text, int index);
    // One scan tick: the next frequency text (sent), wrapping from past `to` back to `from`;
    // nullopt when any of the three boxes is not a number.
    std::optional<QString> scanTick(const QString& current, const QString& from, const QString& to, int option);
    // A mode button.
    void setMode(const QString& mode);

    // "####.#####": up to five decimals, trailing zeros dropped ("14." for 14 MHz).
    static QString scanText(Frequency f);

private:
    RigPoller& m_poller;
};
