#include "ui/SpotListWidget.h"

#include "spots/SpotBoard.h"
#include "ui/ClickableLabel.h"

#include <QHeaderView>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
QTreeWidgetItem* itemFor(const SpotRow& row)
{
    auto* item = new QTreeWidgetItem(QStringList{row.call} + row.columns);
    if (row.dupe) {
        for (int c = 0; c <= row.columns.size(); ++c) {
            item->setForeground(c, QColor(255, 0, 0));
            item->setToolTip(c, SpotListWidget::dupeToolTip());
        }
    }
    return item;
}
} // namespace

SpotListWidget::SpotListWidget(const SpotBoard& board, QWidget* parent) : QWidget(parent), m_board(board)
{
    setObjectName(QStringLiteral("SpotList"));
    m_caption = new ClickableLabel(QStringLiteral("DX Spots (click for DX Spotting Setup)"), this);
    m_caption->setObjectName(QStringLiteral("lblDXSpots"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("txtDX"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({"Call", "MHz", "", "", "Spotter / comment", "", "Time", ""});
    m_list->header()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_caption);
    layout->addWidget(m_list);
    connect(m_caption, &ClickableLabel::clicked, this, &SpotListWidget::captionClicked);
    connect(m_list, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { emit spotClicked(item->text(0), item->text(1)); });
    redraw();
}

void SpotListWidget::addNewestRow()
{
    // At most a few list updates a second, whatever the rate of spots.
    if (m_pendingRows++ == 0)
        QTimer::singleShot(kRefreshMs, this, &SpotListWidget::addPendingRows);
}

void SpotListWidget::addPendingRows()
{
    const auto& rows = m_board.rows();
    const int fresh = qMin<int>(m_pendingRows, static_cast<int>(rows.size()));
    m_pendingRows = 0;
    if (fresh == 0)
        return;
    QList<QTreeWidgetItem*> items;
    for (int i = 0; i < fresh; ++i)
        items << itemFor(rows[static_cast<size_t>(i)]);
    m_list->insertTopLevelItems(0, items);
    while (m_list->topLevelItemCount() > static_cast<int>(rows.size()))
        delete m_list->takeTopLevelItem(m_list->topLevelItemCount() - 1);
}

QTreeWidget* SpotListWidget::list()
{
    addPendingRows();
    return m_list;
}

void SpotListWidget::redraw()
{
    m_pendingRows = 0;
    m_list->clear();
    QList<QTreeWidgetItem*> items;
    for (const SpotRow& row : m_board.rows())
        items << itemFor(row);
    m_list->addTopLevelItems(items);
}
