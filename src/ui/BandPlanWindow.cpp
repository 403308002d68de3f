#include "ui/BandPlanWindow.h"

#include "rig/BandPlanPrivileges.h"
#include "ui/WindowPlacement.h"
#include "util/Dialogs.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int RowWidth = 520;
constexpr int RowHeight = 22;
} // namespace

BandPlanWindow::BandPlanWindow(const QString& dataDir, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_dataDir(dataDir), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmBandPlan"));
    setWindowTitle(QStringLiteral("Frequency Privileges"));
    m_effective = new QLabel(this);
    m_effective->setObjectName(QStringLiteral("lblEffective"));
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("lblHeading"));
    QFont big = m_heading->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    m_heading->setFont(big);
    auto* buttons = new QHBoxLayout;
    for (const auto& b : BandPlanPrivileges::classButtons()) {
        auto* button = new QPushButton(QString::fromLatin1(b.caption), this);
        button->setObjectName(QStringLiteral("cmdClass") + QLatin1String(b.letter));
        const QString letter = QString::fromLatin1(b.letter);
        connect(button, &QPushButton::clicked, this, [this, letter] { showClass(letter); });
        buttons->addWidget(button);
    }
    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("cmdDone"));
    connect(done, &QPushButton::clicked, this, &QDialog::close);
    buttons->addWidget(done);
    m_layout = new QVBoxLayout(this);
    m_layout->addWidget(m_heading);
    m_layout->addWidget(m_effective);
    m_layout->addLayout(buttons);
    centreSecondaryWindow(this);
}

bool BandPlanWindow::load()
{
    QFile own(m_dataDir + QStringLiteral("/BandPlan.txt"));
    if (own.exists())
        m_plan = own.open(QIODevice::ReadOnly) ? BandPlanLookup::parse(own.readAll()) : BandPlanLookup{};
    else
        m_plan = BandPlanLookup::load(m_dataDir);
    if (m_plan.isEmpty()) {
        m_dialogs.message(QStringLiteral("Band data not available."), QStringLiteral("Band Data Not Available."),
                          Dialogs::Icon::Critical);
        return false;
    }
    m_effective->setText(QStringLiteral("Frequencies Effective: ") + m_plan.effectiveDate());
    showClass(QStringLiteral("E"));
    return true;
}

QString BandPlanWindow::heading() const
{
    return m_heading->text();
}

void BandPlanWindow::showClass(const QString& letter)
{
    for (const auto& b : BandPlanPrivileges::classButtons()) {
        if (letter == QLatin1String(b.letter))
            m_heading->setText(QString::fromLatin1(b.heading));
    }
    delete m_rows;
    m_rows = new QWidget(this);
    m_rows->setObjectName(QStringLiteral("rows"));
    auto* rows = new QVBoxLayout(m_rows);
    QFont narrow(QStringLiteral("Arial Narrow"));
    for (const auto& row : BandPlanPrivileges::rowsFor(m_plan, letter)) {
        auto* line = new QHBoxLayout;
        auto* name = new QLabel(row.band, m_rows);
        name->setObjectName(QStringLiteral("lblBandName") + row.band);
        name->setFont(QFont(QStringLiteral("Arial")));
        name->setStyleSheet(QStringLiteral("background: yellow; color: black;"));
        name->setFixedWidth(50);
        auto* band = new QLabel(m_rows);
        band->setObjectName(QStringLiteral("lblBand") + row.band);
        band->setToolTip(row.tooltip);
        band->setFixedSize(RowWidth, RowHeight);
        band->setStyleSheet(QStringLiteral("background: #d0d0d0;"));
        for (const auto& s : row.segments) {
            auto* seg = new QLabel(s.tooltip.mid(4), band);
            seg->setObjectName(QStringLiteral("lblSegment"));
            seg->setFont(narrow);
            seg->setToolTip(s.tooltip);
            seg->setAlignment(Qt::AlignCenter);
            seg->setStyleSheet(s.cw ? QStringLiteral("background: blue; color: white;")
                                    : QStringLiteral("background: green; color: white;"));
            seg->setGeometry(int(RowWidth * s.left + 0.5), 0, int(RowWidth * s.width + 0.5), RowHeight);
        }
        line->addWidget(name);
        line->addWidget(band);
        rows->addLayout(line);
    }
    m_layout->insertWidget(2, m_rows);
}
