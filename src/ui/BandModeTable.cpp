#include "ui/BandModeTable.h"

#include "log/Bands.h"
#include "log/ContactLog.h"
#include "reports/Score.h"

#include <QHeaderView>

BandModeTable::BandModeTable(QWidget* parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("tblBandMode"));
    const QStringList bands = Bands::labels();
    setRowCount(static_cast<int>(bands.size()) + 1);
    setColumnCount(3);
    setHorizontalHeaderLabels({QStringLiteral("CW"), QStringLiteral("DIG"), QStringLiteral("PH")});
    setVerticalHeaderLabels(bands + QStringList{QStringLiteral("Total")});
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setMinimumSectionSize(fontMetrics().height());
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            setItem(r, c, item);
        }
    }
}

void BandModeTable::refresh(const ContactLog& log)
{
    const BandModeCounts counts = CountContactsByBandAndMode(log.records());
    const int bands = rowCount() - 1;
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < bands; ++r) {
            const qint32 n = counts.at(r, c);
            item(r, c)->setText(n ? QString::number(n) : QString());
        }
        item(bands, c)->setText(QString::number(counts.modeTotal(c)));
    }
}

QSize BandModeTable::sizeHint() const
{
    return {verticalHeader()->sizeHint().width() + 3 * fontMetrics().horizontalAdvance(QStringLiteral(" 0000 ")),
            QTableWidget::sizeHint().height()};
}
