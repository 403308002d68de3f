#pragma once

#include <QDialog>

class QLineEdit;

// frmOperator, "Change Operator": the initials stamped on every following contact.
class OperatorDialog : public QDialog {
    Q_OBJECT
public:
    explicit OperatorDialog(const QString& current, QWidget* parent = nullptr);
    QString initials() const;
    QLineEdit* field() const { return m_initials; }

private:
    QLineEdit* m_initials;
};
