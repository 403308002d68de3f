#include "log/KeyFilters.h"

namespace KeyFilters {

namespace {
bool isDigit(int k) { return k >= '0' && k <= '9'; }
}  // namespace

void Capital(int& keyAscii)
{
    if (keyAscii == '"') {
        keyAscii = 0;
        return;
    }
    if (keyAscii != Tab && keyAscii >= 'a' && keyAscii <= 'z')
        keyAscii -= 'a' - 'A';
}

void Cap2(int& keyAscii) { Capital(keyAscii); }

void Cap3(int& keyAscii) { Capital(keyAscii); }

void number(int& keyAscii)
{
    if (keyAscii != Backspace && !isDigit(keyAscii))
        keyAscii = 0;
}

void numberr(int& keyAscii)
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

}  // namespace KeyFilters
