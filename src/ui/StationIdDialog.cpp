#include "ui/StationIdDialog.h"
#include "ui/WindowPlacement.h"

#include "entry/ExchangeValidator.h"
#include "entry/KeyFilters.h"
#include "log/UtcOffsetCheck.h"
#include "settings/Preferences.h"
#include "ui/KeyFilter.h"
#include "ui/QtDialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

StationIdDialog::StationIdDialog(const Preferences& current, QWidget* parent, Dialogs* dialogs)
    : QDialog(parent), m_ownDialogs(dialogs ? nullptr : std::make_unique<QtDialogs>(this)),
      m_dialogs(dialogs ? dialogs : m_ownDialogs.get())
{
    setObjectName(QStringLiteral("frmStationID"));
    setWindowTitle(QStringLiteral(" Amateur Station I.D."));
    setModal(true);

    auto make = [this](const QString& name, const QString& text) {
        auto* e = new QLineEdit(text, this);
        e->setObjectName(name);
        return e;
    };
    m_call = make(QStringLiteral("txtCall"), current.ownCall);
    m_class = make(QStringLiteral("txtClass"), current.ownClass);
    m_section = make(QStringLiteral("txtSection"), current.ownSection);
    m_utc = make(QStringLiteral("txtUTC"), QString::fromLatin1(formatSingle(current.utcOffset)));
    m_operator = make(QStringLiteral("txtOperator"), current.operatorInitials);
    for (QLineEdit* e : {m_call, m_class, m_section, m_operator})
        installKeyFilter(e, KeyFilters::upperCase);
    installKeyFilter(m_utc, KeyFilters::utcOffset);
    // A non-numeric offset keeps the operator in the field until it is corrected.
    connect(m_utc, &QLineEdit::editingFinished, this, [this] {
        if (!ExchangeValidator::isNumericOffset(m_utc->text()))
            m_utc->setFocus();
        else if (focusWidget() != m_done) // Done says it itself
            offsetAcceptable();
    });

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Please Enter your Call Sign:"), this), 0, 0);
    grid->addWidget(m_call, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Class:"), this), 1, 0);
    grid->addWidget(m_class, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("(2A, 1E, etc.)"), this), 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Section:"), this), 2, 0);
    grid->addWidget(m_section, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("(ARRL Section: ENY, MDC, etc.)"), this), 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("Hours added for UTC:"), this), 3, 0);
    grid->addWidget(m_utc, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Operator's Initials:"), this), 4, 0);
    grid->addWidget(m_operator, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("(Optional)"), this), 4, 2);
    m_rules = new QComboBox(this);
    m_rules->setObjectName(QStringLiteral("cboRules"));
    for (RulesEdition e : {RulesEdition::FieldDay2025, RulesEdition::AsWritten})
        m_rules->addItem(rulesEditionName(e), static_cast<int>(e));
    setRules(DefaultRulesEdition);
    grid->addWidget(new QLabel(QStringLiteral("Rules:"), this), 5, 0);
    grid->addWidget(m_rules, 5, 1);
    m_done = new QPushButton(QStringLiteral("Done"), this);
    m_done->setObjectName(QStringLiteral("cmdDone"));
    m_done->setDefault(true);
    grid->addWidget(m_done, 6, 1);
    connect(m_done, &QPushButton::clicked, this, &StationIdDialog::cmdDone_Click);
    centreSecondaryWindow(this);
}

StationIdDialog::~StationIdDialog() = default;

void StationIdDialog::setRules(RulesEdition edition)
{
    m_rules->setCurrentIndex(m_rules->findData(static_cast<int>(edition)));
}

RulesEdition StationIdDialog::rules() const
{
    return static_cast<RulesEdition>(m_rules->currentData().toInt());
}

bool StationIdDialog::offsetAcceptable()
{
    if (isUtcOffsetInRange(ExchangeValidator::offsetFromField(m_utc->text())))
        return true;
    m_dialogs->message(utcOffsetOutOfRangeText(), utcOffsetOutOfRangeTitle(), Dialogs::Icon::Warning);
    m_utc->setFocus();
    m_utc->selectAll();
    return false;
}

void StationIdDialog::cmdDone_Click()
{
    bool ok = false;
    m_utc->text().trimmed().toFloat(&ok);
    if (!ok)
        m_utc->setText(QStringLiteral("0"));
    if (!offsetAcceptable())
        return;
    accept();
}

void StationIdDialog::applyTo(Preferences& prefs) const
{
    prefs.ownCall = m_call->text();
    prefs.ownClass = m_class->text();
    prefs.ownSection = m_section->text();
    bool ok = false;
    const float offset = m_utc->text().trimmed().toFloat(&ok);
    if (!ok)
        prefs.utcOffset = 0.0f;
    else if (isUtcOffsetInRange(offset))
        prefs.utcOffset = offset;
    prefs.operatorInitials = m_operator->text();
}
