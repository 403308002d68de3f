#pragma once

#include "entry/KeyerHandoff.h"
#include "keying/PhoneSettings.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class Clock;
class KeyLine;
class WavePlayer;

// The voice keyer of the main window: in "PH" the function keys play recorded messages and key
// the transmitter's PTT (a serial port's RTS or DTR line, the printer port, or both) from just
// before playback until at most 40 ms after it ends; F1 can repeat as a CQ loop, the interval
// counted from the end of each playback. Owned by the application for the whole run; the
// phone setup window edits settings(). Keys it does not take go on to `next` (the CW keyer).
class VoiceKeyer : public QObject, public KeyerHandoff {
    Q_OBJECT
public:
    static constexpr int PollMs = 40;

    VoiceKeyer(QString dataDir, WavePlayer& player, const Clock& clock, QObject* parent = nullptr);
    ~VoiceKeyer() override;

    PhoneSettings& settings() { return m_settings; }
    const QString& dataDir() const { return m_dataDir; }

    // PTT outputs; the defaults open the real devices (tests give recording lines).
    std::function<std::shared_ptr<KeyLine>(int port, bool dtr, QString* error)> openSerialLine;
    std::function<std::shared_ptr<KeyLine>(const QString& address, QString* error)> openPrinterLine;
    // The CW keying and the WinKey keyer give up their ports before PTT takes one.
    std::function<void()> releaseOtherPorts = [] {};
    // A CW key comes while PTT holds the serial port: the CW keying takes its port back.
    std::function<void()> returnOtherPorts = [] {};
    KeyerHandoff* next = nullptr;

    // Reads wave2.txt (start-up).
    void loadSettings();
    // Done: writes wave2.txt; false when it cannot be written.
    bool saveSettings();

    // PhoneSetup: (re)opens the PTT serial port when a port is given. False (after
    // setupFailed) when it cannot be opened.
    bool PhoneSetup();
    // Another keyer takes the serial port.
    void releasePort();
    // The serial port PTT holds open, 0 for none.
    int heldPort() const { return m_serial ? m_serialPort : 0; }

    // FKeyPhone: key codes 112-120 play F1-F9; anything else does nothing.
    void FKeyPhone(int keyCode);
    // A message's Play button: the operator hears it, PTT stays up. False when there is no file.
    bool playBack(int index);
    // The Test button: plays F1; true when that armed the repeat (the Stop button shows).
    bool playTest();
    // Esc: ends the message playing; the PTT drops with it.
    void stopPlayback();
    // The Stop button: no more repeats.
    void stopRepeat();
    // The 40 ms poll: once playback has ended, drops PTT and starts the repeat wait.
    void checkPlayback();
    // The repeat wait may be over: plays F1 when it is.
    void repeatDue();

    bool playing() const;
    bool pttDown() const { return m_pttDown; }
    bool repeatArmed() const { return m_repeatArmed; }
    bool repeatPending() const { return m_repeatDueMs >= 0; }

    bool windowKey(Key key, bool shift, const QString& mode) override;
    bool typedKey(int key, const QString& mode) override;

signals:
    // The PTT port cannot be opened: tell the operator (and show the setup window).
    void setupFailed(const QString& text, const QString& title);
    void pttChanged(bool down);

private:
    void setPtt(bool down);
    void cancelRepeat();

    QString m_dataDir;
    WavePlayer& m_player;
    const Clock& m_clock;
    PhoneSettings m_settings;
    std::shared_ptr<KeyLine> m_serial;
    QString m_serialFor; // port and line the serial line was opened for
    int m_serialPort = 0;
    std::shared_ptr<KeyLine> m_printer;
    QString m_printerFor;
    bool m_pttDown = false;
    bool m_serialKeyed = false;
    bool m_printerKeyed = false;
    bool m_repeatArmed = false;
    bool m_switching = false; // closing one message to play the next
    qint64 m_repeatDueMs = -1;
    QTimer m_poll;
    QTimer m_repeat;
};
