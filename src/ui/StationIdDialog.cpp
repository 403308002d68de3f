#include "ui/StationIdDialog.h"
#include "ui/WindowPlacement.h"

#include "log/ExchangeValidator.h"
#include "log/KeyFilters.h"
#include "settings/Preferences.h"
#include "ui/KeyFilter.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>


StationIdDialog::StationIdDialog(const Preferences& current, QWidget* parent) : QDialog(parent)
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
        installKeyFilter(e, KeyFilters::Cap3);
    installKeyFilter(m_utc, KeyFilters::numberr);
    // A non-numeric offset keeps the operator in the field until it is corrected.
    connect(m_utc, &QLineEdit::editingFinished, this, [this] {
        if (!ExchangeValidator::isNumericOffset(m_utc->text()))
            m_utc->setFocus();
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
    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("cmdDone"));
    done->setDefault(true);
    grid->addWidget(done, 5, 1);
    connect(done, &QPushButton::clicked, this, &StationIdDialog::cmdDone_Click);
    centreSecondaryWindow(this);
}

void StationIdDialog::cmdDone_Click()
{
    bool ok = false;
    m_utc->text().trimmed().toFloat(&ok);
    if (!ok)
        m_utc->setText(QStringLiteral("0"));
    accept();
}

void StationIdDialog::applyTo(Preferences& prefs) const
{
    prefs.ownCall = m_call->text();
    prefs.ownClass = m_class->text();
    prefs.ownSection = m_section->text();
    bool ok = false;
    const float offset = m_utc->text().trimmed().toFloat(&ok);
    prefs.utcOffset = ok ? offset : 0.0f;
    prefs.operatorInitials = m_operator->text();
}
