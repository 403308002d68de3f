#pragma once

#include "reports/EntryClaims.h"

#include <QDialog>
#include <vector>

class QAbstractButton;
class QLabel;
class QSpinBox;

// "Bonus Points": every bonus of the current rules with its points and cap, a count where the
// rule counts and a check where it does not. Bonuses the entry's class may not claim are greyed
// with the reason. The total and the claimed score follow every change; OK hands the claims back.
class BonusCalculatorWindow : public QDialog {
    Q_OBJECT
public:
    // `qsoPoints` and `multiplier` only feed the claimed score shown at the bottom.
    BonusCalculatorWindow(const QHash<QString, qint64>& claims, QChar classLetter, qint64 qsoPoints, int multiplier,
                          QWidget* parent = nullptr);

    QHash<QString, qint64> claims() const;
    qint64 total() const;

    // The count or check of a bonus file key, for tests and the operator's notes.
    QSpinBox* countBox(const QString& key) const;
    QAbstractButton* checkBox(const QString& key) const;
    QLabel* reasonLabel(const QString& key) const;

private:
    void recalculate();

    struct Row {
        const BonusRule* rule = nullptr;
        QSpinBox* count = nullptr;
        QAbstractButton* check = nullptr;
        QLabel* points = nullptr;
        QLabel* reason = nullptr;
    };
    std::vector<Row> m_rows;
    QChar m_class;
    qint64 m_qsoPoints;
    int m_multiplier;
    QLabel* m_total;
    QLabel* m_claimed;
};
