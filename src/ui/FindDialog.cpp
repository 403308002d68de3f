#include "ui/FindDialog.h"
#include "ui/WindowPlacement.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FindDialog::FindDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("Find a Call"));
    setModal(true);
    m_call = new QLineEdit(this);
    m_call->setObjectName(QStringLiteral("txtFind"));
    m_partial = new QCheckBox(QStringLiteral("Include partial matches"), this);
    m_partial->setObjectName(QStringLiteral("chkPartial"));
    auto* find = new QPushButton(QStringLiteral("&Find"), this);
    find->setObjectName(QStringLiteral("cmdFind"));
    find->setDefault(true);
    connect(find, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please enter the call that you would like to find:"), this));
    layout->addWidget(m_call);
    layout->addWidget(m_partial);
    layout->addWidget(find);
    centreSecondaryWindow(this);
}

QString FindDialog::call() const { return m_call->text(); }

bool FindDialog::partialMatches() const { return m_partial->isChecked(); }
