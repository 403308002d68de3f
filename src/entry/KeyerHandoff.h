#pragma once

#include <QString>

// Keys the main window does not keep for its entry fields: the function keys, Up and Down
// (keying speed) and F12 in "CW"; the function keys in "PH" (voice keyer); F12 in "DIG"
// (keyboard RTTY); Escape in "CW" and "PH" to stop sending. The window hands them over with the
// current mode and leaves the entry fields' own Enter, Space and character handling alone.
// The CW and voice keyers implement this; until they exist nothing takes the keys.
class KeyerHandoff {
public:
    enum class Key { F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12, Up, Down, Escape };

    virtual ~KeyerHandoff() = default;

    // Whether the window hands this key over in this mode: in "CW" the function keys, Up, Down
    // and Escape; in "PH" the function keys and Escape; in "DIG" only F12.
    static bool handedOver(Key key, const QString& mode)
    {
        if (mode == QLatin1String("CW"))
            return true;
        if (mode == QLatin1String("PH"))
            return key != Key::Up && key != Key::Down;
        if (mode == QLatin1String("DIG"))
            return key == Key::F12;
        return false;
    }

    // True when the key was used and must not reach the focused field.
    virtual bool windowKey(Key key, bool shift, const QString& mode) = 0;
    // A character or Backspace (8) typed into an entry field; true when the keyer took it
    // (keyboard CW) and the field must not see it.
    virtual bool typedKey(int, const QString&) { return false; }
};

// Stands in until the keyers are built: takes no key.
class NoKeyer final : public KeyerHandoff {
public:
    bool windowKey(Key, bool, const QString&) override { return false; }
};
