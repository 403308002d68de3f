#include "ui/EditContactDialog.h"

#include "ui/KeyFilter.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

void upperNoQuote(int& k)
{
    if (k == '"')
        k = 0;
    else if (k >= 'a' && k <= 'z')
        k -= 32;
}

}  // namespace

EditContactDialog::EditContactDialog(const ContactRecord& record, QWidget* parent) : QDialog(parent), m_original(record)
{
    setObjectName(QStringLiteral("frmEditCon"));
    setWindowTitle(QStringLiteral("Edit Contact Entry - Field Day"));
    setModal(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Edit Contact:"), this), 0, 0, 1, 8);
    int column = 0;
    auto add = [&](const QString& name, const QString& caption, const QString& value) {
        auto* e = new QLineEdit(value, this);
        e->setObjectName(name);
        installKeyFilter(e, upperNoQuote);
        grid->addWidget(new QLabel(caption, this), 1, column);
        grid->addWidget(e, 2, column);
        ++column;
        return e;
    };
    m_call = add(QStringLiteral("txtEditCall"), QStringLiteral("Call"), record.call);
    m_class = add(QStringLiteral("txtEditCk"), QStringLiteral("Class"), record.cls);
    m_section = add(QStringLiteral("txtEditSec"), QStringLiteral("Section"), record.section);
    m_date = add(QStringLiteral("txtEditDate"), QStringLiteral("Date"), record.date);
    m_time = add(QStringLiteral("txtEditTime"), QStringLiteral("Time"), record.time);
    m_band = add(QStringLiteral("txtEditBnd"), QStringLiteral("Band"), record.band);
    m_mode = add(QStringLiteral("txtEditmode"), QStringLiteral("Mode"), record.mode);
    m_initials = add(QStringLiteral("Text1"), QStringLiteral("Initials"), record.op);

    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("cmdDone"));
    done->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    grid->addWidget(done, 3, 6);
    grid->addWidget(cancel, 3, 7);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

ContactRecord EditContactDialog::edited() const
{
    ContactRecord r = m_original;
    r.call = m_call->text();
    r.cls = m_class->text();
    r.section = m_section->text();
    r.date = m_date->text();
    r.time = m_time->text();
    r.band = m_band->text();
    r.mode = m_mode->text();
    r.op = m_initials->text();
    return r;
}

QLineEdit* EditContactDialog::field(const QString& objectName) const { return findChild<QLineEdit*>(objectName); }
