#include "ui/BonusCalculatorWindow.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QString pointsText(const BonusRule& r, QChar classLetter)
{
    const int cap = bonusCap(r, classLetter);
    if (!r.counted)
        return QString::number(r.pointsEach);
    return cap > 0 ? QStringLiteral("%1 each, up to %2").arg(r.pointsEach).arg(cap)
                   : QStringLiteral("%1 each").arg(r.pointsEach);
}

} // namespace

BonusCalculatorWindow::BonusCalculatorWindow(const QHash<QString, qint64>& claims, QChar classLetter, qint64 qsoPoints,
                                             int multiplier, QWidget* parent)
    : QDialog(parent), m_class(classLetter), m_qsoPoints(qsoPoints), m_multiplier(multiplier)
{
    setObjectName(QStringLiteral("frmBonus"));
    setWindowTitle(QStringLiteral("Bonus Points"));
    setModal(true);
    auto* grid = new QGridLayout;
    const QStringList heads{QStringLiteral("Rule"), QStringLiteral("Bonus"), QStringLiteral("Points"),
                            QStringLiteral("Claim"), QStringLiteral("Earned")};
    for (int c = 0; c < heads.size(); ++c)
        grid->addWidget(new QLabel(QStringLiteral("<b>%1</b>").arg(heads[c])), 0, c);
    int row = 1;
    for (const BonusRule& r : bonusRules()) {
        Row w;
        w.rule = &r;
        const QString key = QLatin1String(r.key);
        const QString refusal = bonusRefusal(r, classLetter);
        auto* rule = new QLabel(QLatin1String(r.rule));
        auto* label = new QLabel(QLatin1String(r.label));
        auto* points = new QLabel(pointsText(r, classLetter));
        QWidget* claim = nullptr;
        if (r.counted) {
            w.count = new QSpinBox;
            w.count->setRange(0, 9999);
            w.count->setValue(int(claims.value(key)));
            w.count->setObjectName(QStringLiteral("spn_") + key);
            connect(w.count, &QSpinBox::valueChanged, this, &BonusCalculatorWindow::recalculate);
            claim = w.count;
        } else {
            w.check = new QCheckBox;
            w.check->setChecked(claims.value(key) > 0);
            w.check->setObjectName(QStringLiteral("chk_") + key);
            connect(w.check, &QAbstractButton::toggled, this, &BonusCalculatorWindow::recalculate);
            claim = w.check;
        }
        w.points = new QLabel;
        w.points->setObjectName(QStringLiteral("lbl_") + key);
        w.points->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        for (QWidget* x : std::initializer_list<QWidget*>{rule, label, points, claim, w.points})
            x->setEnabled(refusal.isEmpty());
        grid->addWidget(rule, row, 0);
        grid->addWidget(label, row, 1);
        grid->addWidget(points, row, 2);
        grid->addWidget(claim, row, 3);
        grid->addWidget(w.points, row, 4);
        ++row;
        if (!refusal.isEmpty()) {
            // The reason sits under the greyed row, readable rather than hidden in a tooltip.
            w.reason = new QLabel(refusal);
            w.reason->setObjectName(QStringLiteral("why_") + key);
            w.reason->setEnabled(false);
            label->setToolTip(refusal);
            grid->addWidget(w.reason, row++, 1, 1, 4);
        }
        m_rows.push_back(w);
    }
    m_total = new QLabel;
    m_total->setObjectName(QStringLiteral("lblBonusTotal"));
    m_claimed = new QLabel;
    m_claimed->setObjectName(QStringLiteral("lblClaimedScore"));
    auto* inner = new QWidget;
    inner->setLayout(grid);
    auto* scroll = new QScrollArea;
    scroll->setWidget(inner);
    scroll->setWidgetResizable(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addWidget(scroll, 1);
    top->addWidget(m_total);
    top->addWidget(m_claimed);
    top->addWidget(buttons);
    resize(720, 700);
    recalculate();
}

QHash<QString, qint64> BonusCalculatorWindow::claims() const
{
    QHash<QString, qint64> out;
    for (const Row& w : m_rows) {
        const qint64 n = w.count ? w.count->value() : (w.check->isChecked() ? 1 : 0);
        if (n > 0)
            out.insert(QLatin1String(w.rule->key), n);
    }
    return out;
}

qint64 BonusCalculatorWindow::total() const
{
    return computeBonus(claims(), m_class).total;
}

void BonusCalculatorWindow::recalculate()
{
    const BonusResult res = computeBonus(claims(), m_class);
    for (size_t i = 0; i < m_rows.size(); ++i)
        m_rows[i].points->setText(QString::number(res.lines[i].points));
    m_total->setText(QStringLiteral("Total bonus points: %1").arg(res.total));
    m_claimed->setText(QStringLiteral("Claimed score: %1 QSO points x %2 + %3 bonus points = %4")
                           .arg(m_qsoPoints)
                           .arg(m_multiplier)
                           .arg(res.total)
                           .arg(claimedScore(m_qsoPoints, m_multiplier, res.total)));
}

QSpinBox* BonusCalculatorWindow::countBox(const QString& key) const
{
    return findChild<QSpinBox*>(QStringLiteral("spn_") + key);
}

QAbstractButton* BonusCalculatorWindow::checkBox(const QString& key) const
{
    return findChild<QAbstractButton*>(QStringLiteral("chk_") + key);
}

QLabel* BonusCalculatorWindow::reasonLabel(const QString& key) const
{
    return findChild<QLabel*>(QStringLiteral("why_") + key);
}
