#include "ui/OperatorDialog.h"
#include "ui/WindowPlacement.h"

#include "ui/KeyFilter.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

OperatorDialog::OperatorDialog(const QString& current, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOperator"));
    setWindowTitle(QStringLiteral("Change Operator"));
    setModal(true);
    m_initials = new QLineEdit(current, this);
    m_initials->setObjectName(QStringLiteral("Text1"));
    m_initials->selectAll(); // typing replaces the old initials
    // Quotes would break the quoted log fields; initials are always capitals.
    installKeyFilter(m_initials, [](int& k) {
        if (k == '"' || k == '\'')
            k = 0;
        else if (k >= 'a' && k <= 'z')
            k -= 32;
    });
    auto* done = new QPushButton(QStringLiteral("&Done"), this);
    done->setObjectName(QStringLiteral("Command1"));
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_initials, &QLineEdit::returnPressed, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please enter your initials:"), this));
    layout->addWidget(m_initials);
    layout->addWidget(done);
    centreSecondaryWindow(this);
}

QString OperatorDialog::initials() const { return m_initials->text(); }
