#pragma once

#include "log/ContactRecord.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// What one field of a log line may hold. The reader and the writer both go by it, so the
// writer never stores a line the reader would refuse: printable Latin-1 (no control byte, no
// DEL, no C1 byte), no double quote (fields are written in quotes), letters a-z only as the
// capitals the entry filters make of them, and at most MaxLength characters, which keeps a
// whole line of nine quoted fields well under the reader's line limit.
namespace LogField {

constexpr qsizetype MaxLength = 255;
// The reader's limit on one line without its line end; nine fields at MaxLength fit in it.
constexpr qsizetype MaxLineLength = 4096;
static_assert(9 * (MaxLength + 3) + 2 < MaxLineLength, "a line of maximal fields must stay readable");

// A character a stored field may hold (lower-case a-z are not: they are stored as capitals).
constexpr bool isStorableChar(char16_t c)
{
    return c >= 0x20 && c != '"' && c != 0x7f && !(c >= 0x80 && c < 0xa0) && c <= 0xff && !(c >= 'a' && c <= 'z');
}

bool isValid(QStringView field);
// The index (0 = call ... 8 = frequency) of the first field of `r` that is not valid; -1 when all are.
int firstInvalidField(const ContactRecord& r);
inline bool isStorable(const ContactRecord& r)
{
    return firstInvalidField(r) < 0;
}
// The field's name as the operator knows it ("call", "class", ...).
QString fieldName(int index);

// The field in stored case: a-z become capitals, as the entry filters would have made them.
QString storedCase(QString field);
// Every field of `r` in stored case.
void toStoredCase(ContactRecord& r);

// Checks raw bytes read from a line (before the case is changed): false for a control byte,
// a C1 byte, DEL, a double quote or more than MaxLength bytes. Lower case is allowed here:
// the reader turns it into capitals.
bool isReadable(QByteArrayView raw);

} // namespace LogField
