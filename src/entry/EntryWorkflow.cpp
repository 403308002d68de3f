#include "entry/EntryWorkflow.h"

#include "entry/KeyFilters.h"
#include "log/Bands.h"
#include "log/DateTimeText.h"
#include "log/Logbook.h"
#include "log/OperatingState.h"
#include "log/SectionTable.h"
#include "settings/Preferences.h"
#include "util/Clock.h"
#include "util/Dialogs.h"

using namespace KeyFilters;

namespace {

constexpr int CarryToSection = 3;
constexpr int CarryToClass = 4;
// The list is refilled when the call field gets the focus and shows fewer rows than this.
constexpr int ShortListRows = 18;

unsigned bit(EntryField f)
{
    return 1u << static_cast<unsigned>(f);
}

bool isDigit(int k)
{
    return k >= '0' && k <= '9';
}

} // namespace

EntryWorkflow::EntryWorkflow(Logbook& logbook, OperatingState& state, Preferences& prefs, Dialogs& dialogs,
                             Clock& clock, QObject* parent)
    : QObject(parent), m_logbook(logbook), m_state(state), m_prefs(prefs), m_dialogs(dialogs), m_clock(clock),
      m_validator(logbook.log(), dialogs), m_list(logbook.log()), m_hold(clock)
{
    // Only a start without a band or mode needs the hint; the preferences normally give both.
    if (state.band().isEmpty() || state.mode().isEmpty())
        m_view.lblDialog.text = QStringLiteral("Select a band and mode from the menu bar!");
    // Every reload (start-up, delete, edit, New, import) ends with a fresh list.
    connect(&logbook, &Logbook::reloaded, this, [this] { m_list.RefreshLogList(); });
}

QString& EntryWorkflow::fieldText(EntryField field)
{
    switch (field) {
    case EntryField::Class:
        return m_view.txtCK;
    case EntryField::Section:
        return m_view.txtSec;
    case EntryField::PostConDate:
        return m_view.txtPostConDate;
    case EntryField::PostConTime:
        return m_view.txtPostConTime;
    default:
        return m_view.txtCall;
    }
}

void EntryWorkflow::setFieldText(EntryField field, const QString& text)
{
    if (field == EntryField::None)
        return;
    QString& t = fieldText(field);
    if (t == text)
        return;
    t = text;
    if (field == EntryField::Call)
        emit currentCallChanged(t);
}

LabelView EntryWorkflow::workedStatus() const
{
    constexpr quint32 NewGreen = 0x90EE90;   // blue 90, green EE, red 90
    constexpr quint32 OtherAmber = 0x80E0FF; // blue 80, green E0, red FF
    const QString& call = m_view.txtCall;
    if (call.size() < 3)
        return {QString(), DisplayColours::ButtonFace};
    const ContactLog& log = m_logbook.log();
    QStringList elsewhere;
    for (int recNo : m_validator.callIndex().recordsWithCall(call)) {
        const ContactRecord& r = log.record(recNo);
        if (r.band == m_state.band() && r.mode == m_state.mode())
            return {QStringLiteral("DUPE  Rec# %1").arg(recNo), DisplayColours::DupeRed};
        const QString where = r.band + QLatin1Char(' ') + r.mode;
        if (!elsewhere.contains(where))
            elsewhere << where;
    }
    if (elsewhere.isEmpty())
        return {QStringLiteral("NEW"), NewGreen};
    return {QStringLiteral("Worked ") + elsewhere.join(QStringLiteral(", ")), OtherAmber};
}

// ---- keys -------------------------------------------------------------------------------

KeyResult EntryWorkflow::keyPress(EntryField field, int key, bool caretAtEnd)
{
    if (m_hold.active()) {
        if (m_hold.dropsKeys()) {
            m_dialogs.beep();
            return {};
        }
        endDupeHold();
    }
    if (m_startsFreshCall) {
        // The first key after a dupe's hold starts the next contact: the report has been read.
        m_startsFreshCall = false;
        m_view.lblDialog = {QStringLiteral(" "), DisplayColours::Panel};
    }
    switch (field) {
    case EntryField::Call:
        return callKey(key, caretAtEnd);
    case EntryField::Class:
        return classKey(key);
    case EntryField::Section:
        return sectionKey(key);
    case EntryField::PostConDate:
        return postContestDateKey(key);
    case EntryField::PostConTime:
        return postContestTimeKey(key);
    case EntryField::None:
        break;
    }
    return {};
}

bool EntryWorkflow::carriesToClass(const QString& call, int key, bool caretAtEnd)
{
    if (!caretAtEnd || !isDigit(key) || call.size() < 3)
        return false;
    qsizetype lastDigit = -1;
    for (qsizetype i = 0; i < call.size(); ++i) {
        const char16_t c = call[i].unicode();
        if (c < '0')
            return false; // a "/" or a blank: the digit belongs to the call (W1AW/3)
        if (c <= '9')
            lastDigit = i;
    }
    return lastDigit >= 0 && lastDigit < call.size() - 1;
}

KeyResult EntryWorkflow::callKey(int key, bool caretAtEnd)
{
    m_view.editDeleteVisible = false;
    if (carriesToClass(m_view.txtCall, key, caretAtEnd)) {
        m_carryState = CarryToClass;
        m_carriedKey = key;
        moveFocus(EntryField::Class);
        classKey(key);
        return {};
    }
    if (m_view.txtCall.size() < 3)
        m_view.lblDialog.text = QStringLiteral(" ");
    if (key == Enter) {
        Mains();
        return {};
    }
    if (key == Space) {
        moveFocus(EntryField::Class);
        return {};
    }
    upperCase(key);
    const auto check =
        m_validator.CheckCallAsTyped(m_view.txtCall, key, m_view.dupWarningOn, m_state.band(), m_state.mode());
    m_view.lblDialog = check.dialog;
    m_view.lblDupe = check.dupe;
    return {key, false};
}

KeyResult EntryWorkflow::classKey(int key)
{
    const QString& ck = m_view.txtCK;
    if (!ck.isEmpty() && ck.back().unicode() > '9' && key > '9') {
        m_carryState = CarryToSection;
        m_carriedKey = key;
        sectionKey(key);
        key = Space;
    }
    if (m_carryState == CarryToClass)
        key = m_carriedKey;
    if (key == Enter) {
        Mains();
        return {};
    }
    if (key == Space) {
        moveFocus(EntryField::Section);
        return {};
    }
    upperCase(key);
    if (m_carryState == CarryToClass) {
        m_view.txtCK = key ? QString(QChar(key)) : QString();
        m_carryState = 0;
        return {};
    }
    return {key, false};
}

KeyResult EntryWorkflow::sectionKey(int key)
{
    if (m_carryState == CarryToSection)
        key = m_carriedKey;
    if (key == Enter) {
        Mains();
        return {};
    }
    if (key == Space)
        return {0, true};
    upperCase(key);
    if (m_carryState == CarryToSection) {
        m_view.txtSec = key ? QString(QChar(key)) : QString();
        m_carryState = 0;
        return {};
    }
    return {key, false};
}

KeyResult EntryWorkflow::postContestDateKey(int key)
{
    if (key == Space)
        return {0, true};
    if (key == Enter) {
        Mains();
        return {};
    }
    postContestDate(key);
    return {key, false};
}

KeyResult EntryWorkflow::postContestTimeKey(int key)
{
    if (key == Space)
        return {0, true};
    if (key == Enter) {
        Mains();
        return {};
    }
    postContestTime(key);
    return {key, false};
}

void EntryWorkflow::typeKeyInto(EntryField field, int key)
{
    if (field == EntryField::None)
        return;
    const KeyResult r = keyPress(field, key, true);
    if (r.key == Backspace) {
        QString t = fieldText(field);
        t.chop(1);
        setFieldText(field, t);
    } else if (r.key > 0) {
        setFieldText(field, fieldText(field) + QChar(r.key));
    }
    if (r.tabForward)
        moveFocus(nextField(field));
}

void EntryWorkflow::typeKey(int key)
{
    typeKeyInto(m_view.focus, key);
}

void EntryWorkflow::typeText(const QString& text)
{
    for (QChar c : text)
        typeKey(c == QLatin1Char('\n') ? Enter : c.unicode());
}

EntryField EntryWorkflow::nextField(EntryField field) const
{
    switch (field) {
    case EntryField::Call:
        return EntryField::Class;
    case EntryField::Class:
        return EntryField::Section;
    case EntryField::Section:
        return m_view.postContestVisible ? EntryField::PostConDate : EntryField::Call;
    case EntryField::PostConDate:
        return EntryField::PostConTime;
    default:
        return EntryField::Call;
    }
}

// ---- the dupe hold ------------------------------------------------------------------------

bool EntryWorkflow::endDupeHold()
{
    return m_hold.end();
}

// ---- focus ----------------------------------------------------------------------------------

void EntryWorkflow::prompt(const char* name, int level)
{
    if (audioPrompt && m_prefs.voiceNavigation >= level)
        audioPrompt(QString::fromLatin1(name));
}

void EntryWorkflow::focusArrived(EntryField field)
{
    if (field == m_view.focus)
        return;
    const EntryField left = m_view.focus;
    m_view.focus = field;
    if (left == EntryField::Class && !m_view.txtCK.isEmpty()) {
        const QString warning = m_validator.CheckClassDesignator(m_view.txtCK);
        if (!warning.isEmpty())
            m_view.lblDialog.text = warning;
    }
    switch (field) {
    case EntryField::Call: {
        m_view.editDeleteVisible = false;
        m_view.lblDupe = {QString(), DisplayColours::ButtonFace};
        prompt("Call", 1);
        const int n = m_logbook.log().size();
        if (m_list.rowCount() < ShortListRows && n > m_list.rowCount() && m_view.txtCall.isEmpty() && !m_justFound)
            m_list.RefreshLogList();
        m_justFound = false;
        break;
    }
    case EntryField::Class:
        prompt("Class", 2);
        break;
    case EntryField::Section:
        prompt("Section", 2);
        if (m_validator.CheckDeltaPair(m_prefs.ownClass, m_view.txtCK)) {
            clearFields();
            moveFocus(EntryField::Call);
        }
        break;
    case EntryField::PostConDate:
        if (m_view.txtPostConDate.isEmpty())
            m_view.txtPostConDate = DateTimeText::logDate(m_clock.localNow().date());
        m_view.selectAll |= bit(field);
        break;
    case EntryField::PostConTime:
        m_view.selectAll |= bit(field);
        break;
    case EntryField::None:
        break;
    }
}

void EntryWorkflow::moveFocus(EntryField field)
{
    focusArrived(field);
}

// ---- logging --------------------------------------------------------------------------------

void EntryWorkflow::Mains()
{
    QString date;
    QString time;
    if (m_view.postContestVisible) {
        const auto pc = m_validator.ValidatePostContestDateTime(m_view.txtPostConDate, m_view.txtPostConTime);
        m_view.txtPostConDate = pc.date;
        m_view.txtPostConTime = pc.time;
        if (!pc.ok) {
            m_view.lblDialog.text = pc.message;
            emit viewChanged();
            return;
        }
        date = pc.date;
        time = pc.time;
    }

    m_missingFlag = m_invalidSectionFlag = false;
    m_hold.clearFlag();
    const auto complete = m_validator.checkComplete(m_view.txtCall, m_view.txtCK, m_view.txtSec);
    if (complete.missing) {
        m_missingFlag = true;
        m_view.lblDialog.text = complete.message;
        moveFocus(complete.focus == ExchangeValidator::Field::Section ? EntryField::Section
                  : complete.focus == ExchangeValidator::Field::Class ? EntryField::Class
                                                                      : EntryField::Call);
    }
    if (!m_validator.CheckSection(m_view.txtSec)) {
        m_invalidSectionFlag = true;
        const QString retired = m_validator.retiredSection(m_view.txtSec);
        m_view.lblDialog.text = retired.isEmpty() ? QStringLiteral("Invalid Section") : retired;
    }
    dupcheck();
    if (!m_missingFlag && !m_hold.flagged() && m_invalidSectionFlag) {
        if (m_validator.askEditInvalidSection(m_view.txtSec))
            moveFocus(EntryField::Section);
        else
            m_invalidSectionFlag = false;
    }

    bool keepEntry = m_missingFlag || m_invalidSectionFlag;
    if (!m_missingFlag && !m_hold.flagged() && !m_invalidSectionFlag) {
        if (!m_view.postContestVisible) {
            const QDateTime utc = shiftedUtc(m_clock.localNow(), m_state.utcOffset());
            date = DateTimeText::logDate(utc.date());
            time = DateTimeText::logTime(utc.time());
        }
        const ContactRecord r{m_view.txtCall,
                              m_view.txtCK,
                              m_view.txtSec,
                              date,
                              time,
                              m_state.band(),
                              m_state.mode(),
                              m_state.operatorInitials(),
                              m_state.frequency()};
        if (m_logbook.storeContact(r) == Logbook::StoreResult::Stored) {
            m_view.lblDialog = {QStringLiteral(" "), DisplayColours::Panel};
            m_list.RefreshLogList();
        } else {
            keepEntry = true; // the operator must be able to press Enter again
        }
    }
    if (!keepEntry) {
        clearEntry();
        moveFocus(EntryField::Call);
    }
    m_view.lblDupe = {QString(), DisplayColours::ButtonFace};
    emit ratesDue();
    m_state.clearFrequency();
    emit viewChanged();
}

bool EntryWorkflow::dupcheck()
{
    m_hold.clearFlag();
    const bool previous = listPrevious();
    if (previous)
        m_list.beginPrevious();
    const QString band = m_state.band();
    const QString mode = m_state.mode();
    const ContactLog& log = m_logbook.log();
    int dupeRec = 0;
    for (int recNo : m_validator.callIndex().recordsWithCall(m_view.txtCall)) {
        const ContactRecord& r = log.record(recNo);
        if (previous)
            m_list.addPrevious(recNo);
        if (m_view.txtCK.isEmpty()) {
            m_view.txtCK = r.cls;
            m_view.selectAll |= bit(EntryField::Class);
        }
        if (m_view.txtSec.isEmpty()) {
            m_view.txtSec = r.section;
            m_view.selectAll |= bit(EntryField::Section);
        }
        if (r.band == band && r.mode == mode) {
            dupeRec = recNo;
            break;
        }
    }
    if (dupeRec == 0)
        return false;

    const ContactRecord& d = log.record(dupeRec);
    m_view.lblDialog = {ExchangeValidator::dupeReport(d, dupeRec), DisplayColours::DupeRed};
    m_view.lblDupe = {QString(), DisplayColours::ButtonFace};
    m_dialogs.beep();
    if (audioPrompt)
        audioPrompt(QStringLiteral("Dupe"));
    m_hold.reported();
    m_startsFreshCall = true;
    clearEntry();
    moveFocus(EntryField::Call);
    return true;
}

bool EntryWorkflow::logDigitalContact(const DigitalContact& c)
{
    const QString band = Bands::bandForFrequency(c.frequency.toSingleMHz());
    const QString mode = QStringLiteral("DIG");
    QString refusal;
    bool beeped = false; // the class check beeps by itself
    if (c.call.isEmpty())
        refusal = QStringLiteral("no call");
    else if (c.cls.isEmpty() || c.section.isEmpty())
        refusal = QStringLiteral("no class and section in the exchange");
    else if (const QString why = m_validator.CheckClassDesignator(c.cls); !why.isEmpty()) {
        refusal = QStringLiteral("%1 %2").arg(why, c.cls);
        beeped = true;
    } else if (!m_validator.CheckSection(c.section))
        refusal = QStringLiteral("%1 is not a valid section").arg(c.section);
    else if (band.isEmpty())
        refusal = QStringLiteral("%1 MHz is on no Field Day band").arg(c.frequency.toMHzText());
    else if (!c.timeOnUtc.isValid())
        refusal = QStringLiteral("no time on");

    bool stored = false;
    if (!refusal.isEmpty()) {
        if (!beeped)
            m_dialogs.beep();
        m_view.lblDialog = {QStringLiteral("%1 contact %2 %3 %4 not logged: %5")
                                .arg(c.source, c.call, c.cls, c.section, refusal)
                                .simplified(),
                            DisplayColours::DupeRed};
    } else if (const int dupeRec = m_validator.findDupe(c.call, band, mode); dupeRec != 0) {
        m_dialogs.beep();
        m_view.lblDialog = {ExchangeValidator::dupeReport(m_logbook.log().record(dupeRec), dupeRec),
                            DisplayColours::DupeRed};
    } else {
        const QDateTime utc = c.timeOnUtc.toUTC();
        const ContactRecord r{c.call,
                              c.cls,
                              c.section,
                              DateTimeText::logDate(utc.date()),
                              DateTimeText::logTime(utc.time()),
                              band,
                              mode,
                              m_state.operatorInitials(),
                              c.frequency.toMHzText()};
        stored = m_logbook.storeContact(r) == Logbook::StoreResult::Stored;
        if (stored) {
            m_view.lblDialog = {
                QStringLiteral("%1 contact logged: %2 %3 %4 on %5 DIG").arg(c.source, r.call, r.cls, r.section, r.band),
                DisplayColours::Panel};
            m_list.RefreshLogList();
            emit ratesDue();
        }
    }
    emit viewChanged();
    return stored;
}

void EntryWorkflow::showNote(const QString& text)
{
    m_view.lblDialog = {text, DisplayColours::Panel};
    emit viewChanged();
}

void EntryWorkflow::showMessage(const QString& text)
{
    m_view.lblDialog = {text, DisplayColours::DupeRed};
    emit viewChanged();
}

void EntryWorkflow::showLabels(const std::optional<LabelView>& dialog, const std::optional<LabelView>& dupe)
{
    if (dialog)
        m_view.lblDialog = *dialog;
    if (dupe)
        m_view.lblDupe = *dupe;
    emit viewChanged();
}

// ---- buttons and menus ----------------------------------------------------------------------

void EntryWorkflow::clearEntry()
{
    setFieldText(EntryField::Call, QString());
    m_view.txtCK.clear();
    m_view.txtSec.clear();
    m_view.selectAll &= ~(bit(EntryField::Class) | bit(EntryField::Section));
}

void EntryWorkflow::clearFields()
{
    clearEntry();
    m_view.lblDialog = {QString(), DisplayColours::Panel};
    m_view.lblDupe = {QString(), DisplayColours::ButtonFace};
    moveFocus(EntryField::Call);
}

void EntryWorkflow::toggleShowAll()
{
    m_list.toggleShowAll();
    moveFocus(EntryField::Call);
}

void EntryWorkflow::toggleDupWarning()
{
    m_view.dupWarningOn = !m_view.dupWarningOn;
}

void EntryWorkflow::beginFind()
{
    m_justFound = true;
}

void EntryWorkflow::findCall(const QString& text, bool partialMatches)
{
    m_list.find(text, partialMatches);
    m_findText = text;
    if (!text.isEmpty() && m_list.rowCount() == 0) {
        m_view.lblDialog = {partialMatches ? QStringLiteral("No call containing %1 in the log.").arg(text)
                                           : QStringLiteral("No contact with %1 in the log.").arg(text),
                            DisplayColours::Panel};
    }
}

QString EntryWorkflow::listFilterText() const
{
    const int n = m_list.rowCount();
    switch (m_list.content()) {
    case LogList::Content::Found:
        return QStringLiteral("Filter on: %1 found for \"%2\" - press %3 for the log")
            .arg(n == 1 ? QStringLiteral("1 contact") : QStringLiteral("%1 contacts").arg(n), m_findText,
                 m_list.cmdListCaption());
    case LogList::Content::Previous:
        return QStringLiteral("Filter on: earlier contacts of the call - press %1 for the log")
            .arg(m_list.cmdListCaption());
    default:
        return {};
    }
}

void EntryWorkflow::listRowClicked()
{
    m_view.editDeleteVisible = m_list.rowCount() > 0;
}

bool EntryWorkflow::listPrevious() const
{
    return m_prefs.listPrevious != 0;
}

void EntryWorkflow::toggleListPrevious()
{
    m_prefs.listPrevious = listPrevious() ? 0 : 1;
    emit preferencesChanged();
}

void EntryWorkflow::togglePostContest()
{
    m_view.postContestVisible = !m_view.postContestVisible;
}

void EntryWorkflow::sectionLabelClicked(int index)
{
    const SectionTable& t = m_logbook.log().sections();
    if (index >= 0 && index < t.size())
        m_view.txtSec = t.at(index).abbr;
}

void EntryWorkflow::clearDupeLabel()
{
    m_view.lblDupe = {QString(), DisplayColours::ButtonFace};
}
