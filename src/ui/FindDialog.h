#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

// frmFind, "Find a Call": asks for a call and whether partial matches count.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget* parent = nullptr);

    QString call() const;
    bool partialMatches() const;

    QLineEdit* callField() const { return m_call; }
    QCheckBox* partialBox() const { return m_partial; }

private:
    QLineEdit* m_call;
    QCheckBox* m_partial;
};
