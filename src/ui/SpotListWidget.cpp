#include "ui/SpotListWidget.h"

#include "spots/SpotBoard.h"
#include "ui/ClickableLabel.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Under a cluster flood every repaint shows rows not painted before, and the style's item
// painting lays each cell's text out several times over (size, elision, drawing): most of a
// busy event-loop turn. Each cell here is shaped once and clipped to its column instead.
class PlainCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QString text = index.data(Qt::DisplayRole).toString();
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        if (selected)
            painter->fillRect(option.rect, option.palette.highlight());
        if (text.isEmpty())
            return;
        const QVariant foreground = index.data(Qt::ForegroundRole);
        const QColor colour = selected               ? option.palette.highlightedText().color()
                              : foreground.isValid() ? foreground.value<QBrush>().color()
                                                     : option.palette.text().color();
        const QRect cell = option.rect.adjusted(kPadding, 0, -kPadding, 0);
        painter->save();
        painter->setClipRect(cell, Qt::IntersectClip);
        painter->setPen(colour);
        const QFontMetrics& fm = option.fontMetrics;
        painter->drawText(QPoint(cell.left(), cell.top() + (cell.height() + fm.ascent() - fm.descent()) / 2), text);
        painter->restore();
    }

private:
    static constexpr int kPadding = 3;
};

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
    m_list->setItemDelegate(new PlainCellDelegate(m_list));
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
