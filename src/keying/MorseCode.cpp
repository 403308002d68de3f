#include "keying/MorseCode.h"

#include <array>
#include <utility>

namespace {

// Dots and dashes; the element strings are built from these once.
constexpr std::array<std::pair<char, const char*>, 46> Codes{{
    {'A', ".-"},     {'B', "-..."},   {'C', "-.-."},   {'D', "-.."},       {'E', "."},     {'F', "..-."},
    {'G', "--."},    {'H', "...."},   {'I', ".."},     {'J', ".---"},      {'K', "-.-"},   {'L', ".-.."},
    {'M', "--"},     {'N', "-."},     {'O', "---"},    {'P', ".--."},      {'Q', "--.-"},  {'R', ".-."},
    {'S', "..."},    {'T', "-"},      {'U', "..-"},    {'V', "...-"},      {'W', ".--"},   {'X', "-..-"},
    {'Y', "-.--"},   {'Z', "--.."},   {'0', "-----"},  {'1', ".----"},     {'2', "..---"}, {'3', "...--"},
    {'4', "....-"},  {'5', "....."},  {'6', "-...."},  {'7', "--..."},     {'8', "---.."}, {'9', "----."},
    {'.', ".-.-.-"}, {',', "--..--"}, {'?', "..--.."}, {'/', "-..-."},     {'=', "-...-"}, {'-', "-...-"},
    {'[', ".-.-."},  {']', "...-.-"}, {';', "-.--."},  {'\\', "-.-..-.."},
}};

QByteArray build(const char* marks)
{
    QByteArray out;
    for (const char* m = marks; *m; ++m) {
        if (m != marks)
            out += '0';
        out += (*m == '.') ? QByteArrayLiteral("1") : QByteArrayLiteral("111");
    }
    return out + QByteArrayLiteral("000");
}

const std::array<QByteArray, 128>& table()
{
    static const std::array<QByteArray, 128> t = [] {
        std::array<QByteArray, 128> a;
        for (const auto& [ch, marks] : Codes)
            a[static_cast<unsigned char>(ch)] = build(marks);
        return a;
    }();
    return t;
}

} // namespace

QByteArray MorseCode::elements(QChar ch)
{
    const char16_t u = ch.toUpper().unicode();
    return u < 128 ? table()[u] : QByteArray();
}

QByteArray MorseCode::wordSpace(int adjust)
{
    const int n = 8 + (adjust < -8 ? -8 : adjust);
    return QByteArray(n, '0');
}

double MorseCode::elementMs(double wpm)
{
    return wpm > 0 ? 1200.0 / wpm : 0.0;
}
