#include "ui/EditContactDialog.h"
#include "ui/WindowPlacement.h"

#include "log/LogField.h"
#include "ui/EntryKeyForwarder.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using Field = ContactEditor::Field;

EditContactDialog::EditContactDialog(Logbook& logbook, const ExchangeValidator& validator, int recNo, QWidget* parent)
    : QDialog(parent), m_editor(logbook, validator, recNo)
{
    setObjectName(QStringLiteral("frmEditCon"));
    setWindowTitle(QStringLiteral("Edit Contact Entry - Field Day"));
    setModal(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Edit Contact:"), this), 0, 0, 1, 8);
    // Each field as wide as its longest usual text, so the eight fit side by side on a small screen.
    const QList<std::tuple<Field, QString, QString, int>> fields{
        {Field::Call, "txtEditCall", "Call", 12},     {Field::Class, "txtEditCk", "Class", 5},
        {Field::Section, "txtEditSec", "Section", 5}, {Field::Date, "txtEditDate", "Date", 10},
        {Field::Time, "txtEditTime", "Time", 8},      {Field::Band, "txtEditBnd", "Band", 5},
        {Field::Mode, "txtEditmode", "Mode", 5},      {Field::Initials, "Text1", "Initials", 5}};
    int column = 0;
    for (const auto& [f, name, caption, chars] : fields) {
        auto* e = new QLineEdit(m_editor.text(f), this);
        e->setObjectName(name);
        e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QString(chars + 2, QLatin1Char('W'))));
        e->setMaxLength(static_cast<int>(LogField::MaxLength));
        e->installEventFilter(this);
        const Field which = f;
        connect(e, &QLineEdit::textChanged, this, [this, which](const QString& t) { m_editor.setText(which, t); });
        connect(e, &QLineEdit::editingFinished, this, [this, which, e] {
            if (m_editor.fieldLeft(which))
                e->setFocus();
            showState();
        });
        grid->addWidget(new QLabel(caption, this), 1, column);
        grid->addWidget(e, 2, column);
        m_fields[f] = e;
        ++column;
    }
    m_sectionWarning = new QLabel(QStringLiteral("   Invalid!"), this);
    m_sectionWarning->setObjectName(QStringLiteral("lblSecInvalid"));
    m_modeWarning = new QLabel(QStringLiteral("   Invalid!"), this);
    m_modeWarning->setObjectName(QStringLiteral("lblModeInvalid"));
    grid->addWidget(m_sectionWarning, 3, 2);
    grid->addWidget(m_modeWarning, 3, 6);
    m_dupeLabel = new QLabel(QStringLiteral(" Dupe!"), this);
    m_dupeLabel->setObjectName(QStringLiteral("lblDupe"));
    grid->addWidget(m_dupeLabel, 4, 0);

    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("cmdDone"));
    m_deleteDupe = new QPushButton(QStringLiteral("Delete Dupe"), this);
    m_deleteDupe->setObjectName(QStringLiteral("cmdDeleteDupe"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    grid->addWidget(m_deleteDupe, 4, 5);
    grid->addWidget(done, 4, 6);
    grid->addWidget(cancel, 4, 7);
    connect(done, &QPushButton::clicked, this, [this] { finish(m_editor.save(), true); });
    connect(m_deleteDupe, &QPushButton::clicked, this, [this] { finish(m_editor.deleteDupe(), true); });
    connect(cancel, &QPushButton::clicked, this, [this] { finish(m_editor.cancel(), false); });
    showState();
    centreSecondaryWindow(this);
}

bool EditContactDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int code = EntryKeyForwarder::keyCode(*static_cast<QKeyEvent*>(event));
    if (code == 0 || code == 8)
        return false;
    for (const auto& [f, edit] : m_fields) {
        if (edit != watched)
            continue;
        const ContactEditor::Key k = m_editor.keyPress(f, code);
        if (k.key != 0 && k.key != 13)
            edit->insert(QString(QChar(k.key)));
        if (k.done)
            finish(m_editor.save(), true);
        return true;
    }
    return false;
}

void EditContactDialog::showState()
{
    m_modeWarning->setVisible(m_editor.modeWarningVisible());
    m_sectionWarning->setVisible(m_editor.sectionWarningVisible());
    m_dupeLabel->setVisible(m_editor.dupeVisible());
    m_deleteDupe->setVisible(m_editor.dupeVisible());
}

void EditContactDialog::finish(ContactEditor::Outcome outcome, bool stored)
{
    showState();
    if (outcome != ContactEditor::Outcome::Closed)
        return;
    if (stored)
        accept();
    else
        reject();
}

QLineEdit* EditContactDialog::field(const QString& objectName) const
{
    return findChild<QLineEdit*>(objectName);
}
