#pragma once

#include <QByteArray>
#include <QChar>

// International Morse code as element strings: '1' is one element key down, '0' one element
// key up. A dot is "1", a dash "111", one "0" separates the marks of a character and "000"
// follows its last mark, so every character ends key up. Some punctuation stands for the
// procedure signs operators send: '=' and '-' BT, '[' AR, ']' SK, ';' KN, '\' CL.
namespace MorseCode {

// The elements for one character (letters in either case). Empty for '!' (the log mark) and
// for anything we cannot send, which is skipped without a gap.
QByteArray elements(QChar ch);

// A space: eight elements key up after the three that end the previous character, plus
// `adjust` more (or fewer: -8 leaves no word space at all).
QByteArray wordSpace(int adjust);

// Element time in milliseconds at `wpm` words per minute (the 50-element word): 1200 / wpm.
// Zero or a negative speed has none: 0.
double elementMs(double wpm);

// The character that logs the contact when the sender reaches it.
constexpr char16_t LogMark = u'!';

} // namespace MorseCode
