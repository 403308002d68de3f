#pragma once

#include "entry/KeyerHandoff.h"
#include "keying/CwSendBuffer.h"
#include "keying/CwSettings.h"
#include "keying/WinKeySettings.h"
#include "log/DisplayColours.h"
#include "rig/SerialPortTable.h"
#include "settings/UserSettingsStore.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class CwdaemonClient;
class KeyLine;
class KeyingClock;
class KeyingEngine;
class WinKeyClient;
class WinKeySender;

// The CW keyer of the main window: function-key memories, the F1 repeat, the speed keys,
// keyboard CW mode and Escape, over the keying engine and its send buffer. Owned by the
// application for the whole run; the setup window edits settings() and calls apply().
class CwKeyer : public QObject, public KeyerHandoff {
    Q_OBJECT
public:
    // Light yellow behind the keyboard CW notice (red 255, green 255, blue 192).
    static constexpr quint32 KeyboardCwColour = 0xC0FFFF;

    CwKeyer(QString dataDir, UserSettingsStore store, KeyingClock& clock, QObject* parent = nullptr);
    ~CwKeyer() override;

    CwSettings& settings() { return m_settings; }
    const QString& dataDir() const { return m_dataDir; }
    CwSendBuffer& buffer() { return m_buffer; }
    KeyingEngine& engine() { return *m_engine; }
    WinKeyClient& winKey() { return *m_winKey; }
    WinKeySender& winKeySender() { return *m_winKeySender; }
    // The keyer settings (WK.txt), edited by the WinKey window.
    WinKeySettings& winKeySettings() { return m_winKeySettings; }

    // The call being typed and Mains, from the entry.
    std::function<QString()> hisCall = [] { return QString(); };
    std::function<void()> logContact = [] {};
    // The key line for an output (tests give a recording one); the default opens the real port.
    std::function<std::shared_ptr<KeyLine>(const CwSettings&, QString* error)> openKeyLine;
    // Called before the CW key line or the WinKey opens serial port `port` (the voice keyer's
    // PTT may hold it).
    std::function<void(int port)> claimPort = [](int) {};
    // The device a WinKey port number names.
    std::function<QString(int port)> winKeyDevice = [](int port) {
        return SerialPortTable::systemDefault().device(port);
    };

    // LoadCWSettings: cw.txt and the per-user values, then apply().
    void LoadCWSettings();
    // Done: writes cw.txt and the per-user values; false when cw.txt cannot be written.
    bool saveSettings();
    // Speed, word space, timing and the repeat interval to the engine; the port re-opened
    // (CWSetup) when the output or the port changed.
    void apply();
    // CWSetup: (re)opens the key line of the chosen output. False (after setupFailed) when it
    // cannot be opened.
    bool CWSetup();

    // The voice keyer takes serial port `port`: a CW line or WinKey on it closes. The line comes
    // back by itself at the next character keyed; the WinKey at takeBackPort() or its next text.
    void givePortTo(int port);
    // Back in CW: reopens a WinKey that gave its port away.
    void takeBackPort();

    // FKeyCW: key codes 112-120 are F1-F9, 124 F10, 122 F11; anything else sends nothing.
    void FKeyCW(int keyCode);
    void UpDown1_UpClick();
    void UpDown1_DownClick();
    // Opens the WinKey keyer on its port after releasing the CW key line; winKeyOpened()
    // follows, and the settings go to the keyer when it opened.
    void openWinKey();
    // The speed to an open WinKey when that is the output and 4 < speed < 100.
    void sendSpeedToWinKey();
    // Sends the F9 memory (the Test button).
    void sendTest() { FKeyCW(120); }
    // LoopThroughCWBuffer: sends what is in the buffer.
    void LoopThroughCWBuffer();
    // Empties the buffer: sending ends after the current character.
    void stop();

    bool sending() const { return m_buffer.sending(); }
    bool keyboardCwMode() const { return m_buffer.keyboardCw; }
    bool repeatArmed() const { return m_buffer.repeatArmed; }
    bool repeatPending() const { return m_repeat.isActive(); }
    bool outputNone() const { return m_settings.output == CwSettings::None; }
    // For the backup: typed CW still waits to be sent.
    bool keyboardCwWaiting() const { return m_buffer.keyboardCw && (sending() || !m_buffer.isEmpty()); }

    bool windowKey(Key key, bool shift, const QString& mode) override;
    bool typedKey(int key, const QString& mode) override;

signals:
    // What the main window's message label shows.
    void dialogShown(const LabelView& label);
    // The port for CW keying could not be opened: tell the operator.
    void setupFailed(const QString& text, const QString& title);
    void winKeyOpened(int result, int version);

private:
    void cancelRepeat();
    bool winKeyBusy() const;
    void runFinished();
    void showDialog(const QString& text, quint32 colour = DisplayColours::Panel);
    bool serialLineOutput() const
    {
        return m_settings.output == CwSettings::Rts || m_settings.output == CwSettings::Dtr;
    }
    void reportBadPort();

    QString m_dataDir;
    UserSettingsStore m_store;
    CwSettings m_settings;
    CwSendBuffer m_buffer;
    std::unique_ptr<KeyingEngine> m_engine;
    QTimer m_repeat;
    QString m_report;
    QString m_number;
    QString m_openedFor;                        // output and port the key line was opened for
    std::unique_ptr<CwdaemonClient> m_cwdaemon; // the cwdaemon output, while chosen
    WinKeySettings m_winKeySettings;
    std::unique_ptr<WinKeyClient> m_winKey;
    std::unique_ptr<WinKeySender> m_winKeySender;
    bool m_winKeyGaveWay = false;
    bool m_reopenFailShown = false; // one message per run, not one per character
};
