#include "log/LogField.h"

#include <algorithm>

namespace LogField {

bool isValid(QStringView field)
{
    if (field.size() > MaxLength)
        return false;
    for (QChar c : field) {
        if (!isStorableChar(c.unicode()))
            return false;
    }
    return true;
}

int firstInvalidField(const ContactRecord& r)
{
    const QString* fields[] = {&r.call, &r.cls, &r.section, &r.date, &r.time, &r.band, &r.mode, &r.op, &r.freq};
    for (int i = 0; i < 9; ++i) {
        if (!isValid(*fields[i]))
            return i;
    }
    return -1;
}

QString fieldName(int index)
{
    static const char* const names[] = {"call", "class", "section",  "date",     "time",
                                        "band", "mode",  "operator", "frequency"};
    return index >= 0 && index < 9 ? QString::fromLatin1(names[index]) : QString();
}

QString storedCase(QString field)
{
    // Only a-z: toUpper() would also turn Latin-1 letters such as 0xFF into characters
    // outside Latin-1.
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char16_t c = field[i].unicode();
        if (c >= 'a' && c <= 'z')
            field[i] = QChar(c - 'a' + 'A');
    }
    return field;
}

void toStoredCase(ContactRecord& r)
{
    for (QString* f : {&r.call, &r.cls, &r.section, &r.date, &r.time, &r.band, &r.mode, &r.op, &r.freq}) {
        if (std::any_of(f->cbegin(), f->cend(), [](QChar c) { return c >= u'a' && c <= u'z'; }))
            *f = storedCase(std::move(*f));
    }
}

bool isReadable(QByteArrayView raw)
{
    if (raw.size() > MaxLength)
        return false;
    for (char ch : raw) {
        const auto c = static_cast<unsigned char>(ch);
        if (!(isStorableChar(c) || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

} // namespace LogField
