#include "entry/KeyFilters.h"

namespace KeyFilters {

namespace {
bool isDigit(int k)
{
    return k >= '0' && k <= '9';
}
} // namespace

void upperCase(int& keyAscii)
{
    if (keyAscii == '"') {
        keyAscii = 0;
        return;
    }
    if (keyAscii != Tab && keyAscii >= 'a' && keyAscii <= 'z')
        keyAscii -= 'a' - 'A';
}

void digitsOnly(int& keyAscii)
{
    if (keyAscii != Backspace && !isDigit(keyAscii))
        keyAscii = 0;
}

void utcOffset(int& keyAscii)
{
    if (keyAscii != Backspace && (keyAscii < '-' || keyAscii > '9'))
        keyAscii = 0;
}

void postContestDate(int& keyAscii)
{
    if (keyAscii != Backspace && keyAscii != '/' && !isDigit(keyAscii))
        keyAscii = 0;
}

void postContestTime(int& keyAscii)
{
    if (keyAscii != Backspace && keyAscii != ':' && !isDigit(keyAscii))
        keyAscii = 0;
}

} // namespace KeyFilters
