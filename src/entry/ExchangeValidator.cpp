#include "entry/ExchangeValidator.h"

#include "log/Bands.h"
#include "log/ContactLog.h"
#include "log/DateTimeText.h"
#include "log/SectionTable.h"
#include "util/Dialogs.h"

#include <cmath>

namespace {

constexpr qsizetype DupeListLimit = 120;

bool isCallDigit(QChar c)
{
    return c.unicode() >= '/' && c.unicode() <= '9';
}

bool isAllDigits(const QString& s)
{
    for (QChar c : s) {
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
    }
    return true;
}

} // namespace

ExchangeValidator::ExchangeValidator(const ContactLog& log, Dialogs& dialogs)
    : m_log(log), m_index(log), m_dialogs(dialogs)
{
}

ExchangeValidator::CallCheck ExchangeValidator::CheckCallAsTyped(const QString& callText, int key, bool warningOn,
                                                                 const QString& band, const QString& mode) const
{
    CallCheck out;
    out.dialog = {QString(), DisplayColours::Panel};
    out.dupe = {QString(), DisplayColours::ButtonFace};

    QString typed = callText;
    if (key > 0)
        typed.append(QChar(key));
    const bool listable = key > 45 && key < 91; // "." to "Z"

    if (warningOn && listable) {
        const QString list = m_index.partialMatches(typed, band, mode, DupeListLimit);
        if (!list.isEmpty())
            out.dupe = {list, DisplayColours::Panel};
    }

    const bool listed = !out.dupe.text.isEmpty();
    out.dialog.text = callText.size() >= 3 && listed ? QStringLiteral("Possible Duplicate!") : QStringLiteral(" ");

    if (typed.size() == 3 && listable) {
        if (isCallDigit(typed[2]) || isCallDigit(typed[1])) {
            out.dialog.text = QStringLiteral(" ");
        } else {
            m_dialogs.beep();
            out.beeped = true;
            out.dialog.text = QStringLiteral("The second or third character is not numeric!");
        }
    }
    return out;
}

ExchangeValidator::Completeness ExchangeValidator::checkComplete(const QString& call, const QString& cls,
                                                                 const QString& section) const
{
    Completeness out;
    auto fail = [&](const char* message, Field field) {
        out.missing = true;
        out.message = QString::fromLatin1(message);
        out.focus = field;
        m_dialogs.beep();
    };
    if (section.isEmpty())
        fail("Need Section!", Field::Section);
    if (cls.isEmpty())
        fail("Need Class!", Field::Class);
    if (call.size() < 3)
        fail("Need Call Sign!", Field::Call);
    return out;
}

bool ExchangeValidator::CheckSection(const QString& section) const
{
    return section.isEmpty() || m_log.sections().isValidSection(section);
}

QString ExchangeValidator::retiredSection(const QString& section) const
{
    return m_log.sections().retiredMessage(section);
}

bool ExchangeValidator::askEditInvalidSection(const QString& section) const
{
    m_dialogs.beep();
    if (const QString retired = retiredSection(section); !retired.isEmpty()) {
        m_dialogs.message(retired, QStringLiteral("Invalid section!"), Dialogs::Icon::Warning);
        return true;
    }
    return m_dialogs.askYesNo(section + QStringLiteral(" is not a valid section.  Do you want to edit the section?"),
                              QStringLiteral("Invalid section!"));
}

QString ExchangeValidator::CheckClassDesignator(const QString& cls) const
{
    if (cls.isEmpty() || isValidEntryClass(cls, m_log.sections().edition()))
        return {};
    m_dialogs.beep();
    return QStringLiteral("Invalid Designator!");
}

bool ExchangeValidator::CheckDeltaPair(const QString& ownClass, const QString& cls) const
{
    const auto delta = [](const QString& c) { return !c.isEmpty() && c.endsWith(QLatin1Char('D')); };
    if (!deltaMayNotWorkDelta(m_log.sections().edition()) || !delta(ownClass) || !delta(cls))
        return false;
    return m_dialogs.askYesNo(QStringLiteral("Delta stations (stations on commercial power) are not allowed to work "
                                             "other Delta Stations.  Do you want to clear this entry?"),
                              QStringLiteral("Delta Stations Can't Work Other Delta Stations!"));
}

bool ExchangeValidator::isNumericOffset(const QString& text)
{
    bool ok = false;
    const float v = text.trimmed().toFloat(&ok);
    return ok && std::isfinite(v);
}

float ExchangeValidator::offsetFromField(const QString& text)
{
    return isNumericOffset(text) ? text.trimmed().toFloat() : 0.0f;
}

ExchangeValidator::PostContest ExchangeValidator::ValidatePostContestDateTime(const QString& date,
                                                                              const QString& time) const
{
    PostContest out{false, date, time, {}};
    const auto d = DateTimeText::parseDate(date);
    if (!d) {
        out.message = QStringLiteral("Invalid date format!");
        m_dialogs.beep();
        return out;
    }
    out.date = DateTimeText::logDate(*d);
    if ((time.size() == 3 || time.size() == 4) && isAllDigits(time))
        out.time = time.left(time.size() - 2) + QLatin1Char(':') + time.right(2);
    const auto t = DateTimeText::parseTime(out.time);
    if (!t) {
        out.message = QStringLiteral("Invalid time format!");
        m_dialogs.beep();
        return out;
    }
    out.time = DateTimeText::logTime(*t);
    out.ok = true;
    return out;
}

bool ExchangeValidator::checkEditDate(const QString& date) const
{
    if (DateTimeText::parseDate(date))
        return true;
    m_dialogs.beep();
    m_dialogs.message(QStringLiteral("Invalid Date!"), QStringLiteral("Invalid Date!"), Dialogs::Icon::Warning);
    return false;
}

bool ExchangeValidator::checkEditTime(const QString& time) const
{
    if (DateTimeText::parseTime(time))
        return true;
    m_dialogs.beep();
    m_dialogs.message(QStringLiteral("Invalid Time!"), QStringLiteral("Invalid Time!"), Dialogs::Icon::Warning);
    return false;
}

bool ExchangeValidator::editModeInvalid(const QString& mode) const
{
    if (Bands::modes().contains(mode))
        return false;
    m_dialogs.beep();
    return true;
}

bool ExchangeValidator::editSectionInvalid(const QString& section) const
{
    if (m_log.sections().isValidSection(section))
        return false;
    m_dialogs.beep();
    return true;
}

bool ExchangeValidator::editDoneIsDupe(int recNo, const QString& call, const QString& band, const QString& mode) const
{
    for (int other : m_index.recordsWithCall(call)) {
        const ContactRecord& r = m_log.record(other);
        if (other != recNo && r.band == band && r.mode == mode) {
            m_dialogs.beep();
            return true;
        }
    }
    return false;
}

int ExchangeValidator::findDupe(const QString& call, const QString& band, const QString& mode) const
{
    for (int recNo : m_index.recordsWithCall(call)) {
        const ContactRecord& r = m_log.record(recNo);
        if (r.band == band && r.mode == mode)
            return recNo;
    }
    return 0;
}

QString ExchangeValidator::dupeReport(const ContactRecord& d, int recNo)
{
    return QStringLiteral("Dupe: %1 %2 %3 %4 %5 ON %6 %7  Rec# %8")
        .arg(d.call, d.cls, d.section, d.date, d.time, d.band, d.mode)
        .arg(recNo);
}
