#include "entry/ContactEditor.h"

#include "entry/ExchangeValidator.h"
#include "entry/KeyFilters.h"
#include "log/DateTimeText.h"
#include "log/LogField.h"
#include "log/Logbook.h"

ContactEditor::ContactEditor(Logbook& logbook, const ExchangeValidator& validator, int recNo)
    : m_logbook(logbook), m_validator(validator), m_recNo(recNo)
{
    if (recNo >= 1 && recNo <= logbook.log().size())
        m_opened = m_fields = logbook.log().record(recNo);
}

QString ContactEditor::text(Field f) const
{
    switch (f) {
    case Field::Call:
        return m_fields.call;
    case Field::Class:
        return m_fields.cls;
    case Field::Section:
        return m_fields.section;
    case Field::Date:
        return m_fields.date;
    case Field::Time:
        return m_fields.time;
    case Field::Band:
        return m_fields.band;
    case Field::Mode:
        return m_fields.mode;
    case Field::Initials:
        return m_fields.op;
    }
    return {};
}

void ContactEditor::setText(Field f, const QString& text)
{
    QString* target[] = {&m_fields.call, &m_fields.cls,  &m_fields.section, &m_fields.date,
                         &m_fields.time, &m_fields.band, &m_fields.mode,    &m_fields.op};
    *target[static_cast<int>(f)] = text;
}

ContactEditor::Key ContactEditor::keyPress(Field f, int key) const
{
    if (key == KeyFilters::Enter && (f == Field::Call || f == Field::Class || f == Field::Initials))
        return {0, true};
    KeyFilters::upperCase(key);
    return {key, false};
}

bool ContactEditor::fieldLeft(Field f)
{
    switch (f) {
    case Field::Date:
        return !m_validator.checkEditDate(m_fields.date);
    case Field::Time:
        return !m_validator.checkEditTime(m_fields.time);
    case Field::Mode:
        m_modeInvalid = m_validator.editModeInvalid(m_fields.mode);
        return m_modeInvalid;
    case Field::Section:
        m_sectionInvalid = m_validator.editSectionInvalid(m_fields.section);
        return m_sectionInvalid;
    default:
        return false;
    }
}

ContactEditor::Outcome ContactEditor::save()
{
    if (m_recNo < 1 || m_recNo > m_logbook.log().size() || (m_recNo = m_logbook.findAgain(m_recNo, m_opened)) == 0)
        return Outcome::Closed;
    if (m_validator.editDoneIsDupe(m_recNo, m_fields.call, m_fields.band, m_fields.mode)) {
        m_dupe = true;
        return Outcome::Open;
    }
    // Keep the stamps in the log's own form so rates and reports can read them.
    ContactRecord r = m_fields;
    if (const auto d = DateTimeText::parseDate(r.date))
        r.date = DateTimeText::logDate(*d);
    if (const auto t = DateTimeText::parseTime(r.time))
        r.time = DateTimeText::logTime(*t);
    r.freq = m_logbook.log().record(m_recNo).freq;
    // A field the log cannot hold keeps the window open for the operator to correct it.
    if (!m_logbook.replaceRecord(m_recNo, r) && !LogField::isStorable(r))
        return Outcome::Open;
    return Outcome::Closed;
}

ContactEditor::Outcome ContactEditor::deleteDupe()
{
    if (m_recNo < 1 || m_recNo > m_logbook.log().size() || (m_recNo = m_logbook.findAgain(m_recNo, m_opened)) == 0)
        return Outcome::Closed;
    return m_logbook.deleteRecord(m_recNo) ? Outcome::Closed : Outcome::Open;
}
