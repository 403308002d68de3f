#include "ui/BandMapView.h"

#include "util/Clock.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>

namespace {
constexpr int kMargin = 6;
const QColor kBackground(0, 0, 64);
const QColor kScale(0, 255, 255);

QColor fromRgb(quint32 rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
} // namespace

BandMapView::BandMapView(const SpotStore& store, const Clock& clock, std::function<float()> utcOffsetHours,
                         QWidget* parent)
    : QWidget(parent), m_store(store), m_clock(clock), m_utcOffsetHours(std::move(utcOffsetHours))
{
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, kBackground);
    setPalette(p);
}

void BandMapView::setBands(const std::vector<std::pair<QString, BandMap::Range>>& bands)
{
    m_rows.clear();
    for (const auto& [name, edges] : bands)
        m_rows.push_back({name, edges, edges, {}, {}});
    redraw();
}

void BandMapView::redraw()
{
    m_due = true;
    if (!m_repaintQueued) {
        m_repaintQueued = true;
        QTimer::singleShot(kRepaintMs, this, [this] {
            m_repaintQueued = false;
            update();
        });
    }
}

const std::vector<BandMapView::Row>& BandMapView::rows() const
{
    layOutIfDue();
    return m_rows;
}

void BandMapView::layOutIfDue() const
{
    if (!m_due)
        return;
    m_due = false;
    const QDateTime now = m_clock.localNow();
    const float offset = m_utcOffsetHours ? m_utcOffsetHours() : 0.0f;
    for (Row& row : m_rows) {
        row.shown = BandMap::scale(m_store, row.edges);
        row.labels = BandMap::labels(m_store, row.shown, now, offset);
    }
    placeLabels();
}

int BandMapView::nameWidth() const
{
    int w = 0;
    for (const Row& row : m_rows)
        w = qMax(w, fontMetrics().horizontalAdvance(row.name));
    return w > 0 ? w + kMargin : 0;
}

QRect BandMapView::scaleLine(int row) const
{
    const int rowHeight = m_rows.empty() ? height() : height() / static_cast<int>(m_rows.size());
    const int left = kMargin + nameWidth() + fontMetrics().horizontalAdvance(QStringLiteral("00.000")) / 2;
    const int right = width() - kMargin - fontMetrics().horizontalAdvance(QStringLiteral("0000.000")) / 2;
    const int y = rowHeight * (row + 1) - fontMetrics().height() - 4;
    return QRect(QPoint(left, y), QPoint(qMax(left + 1, right), y));
}

void BandMapView::placeLabels() const
{
    const QFontMetrics fm = fontMetrics();
    for (size_t r = 0; r < m_rows.size(); ++r) {
        Row& row = m_rows[r];
        const QRect line = scaleLine(static_cast<int>(r));
        row.labelRects.clear();
        for (const BandMap::Label& l : row.labels) {
            const int w = fm.horizontalAdvance(l.caption) + 4;
            const int centre = line.left() + static_cast<int>(l.position * line.width());
            // Every label of a row stands just above its scale line; close ones may cover each other.
            row.labelRects.emplace_back(centre - w / 2, line.top() - fm.height() - 2, w, fm.height());
        }
    }
}

QSize BandMapView::sizeHint() const
{
    const int rows = qMax<int>(1, static_cast<int>(m_rows.size()));
    return {600, rows * (2 * fontMetrics().height() + 12)};
}

void BandMapView::paintEvent(QPaintEvent*)
{
    layOutIfDue();
    QPainter p(this);
    const QFontMetrics fm = fontMetrics();
    for (size_t r = 0; r < m_rows.size(); ++r) {
        const Row& row = m_rows[r];
        const QRect line = scaleLine(static_cast<int>(r));
        p.setPen(kScale);
        p.drawLine(line.left(), line.top(), line.right(), line.top());
        if (!row.name.isEmpty())
            p.drawText(kMargin, line.top() + fm.ascent() / 2, row.name);
        const auto scale = BandMap::scaleLabels(row.shown);
        for (int i = 0; i < 5; ++i) {
            const int x = line.left() + line.width() * i / 4;
            p.drawLine(x, line.top(), x, line.top() + 3);
            const QString& text = scale[static_cast<size_t>(i)];
            p.drawText(x - fm.horizontalAdvance(text) / 2, line.top() + 4 + fm.ascent(), text);
        }
        for (size_t i = 0; i < row.labels.size(); ++i) {
            p.setPen(fromRgb(row.labels[i].rgb));
            p.drawText(row.labelRects[i], Qt::AlignCenter, row.labels[i].caption);
        }
    }
}

int BandMapView::slotAt(const QPoint& pos) const
{
    layOutIfDue();
    for (const Row& row : m_rows) {
        // The label painted last is the one on top.
        for (size_t i = row.labels.size(); i-- > 0;) {
            if (row.labelRects[i].contains(pos))
                return row.labels[i].slot;
        }
    }
    return -1;
}

QString BandMapView::toolTipAt(const QPoint& pos) const
{
    const int slot = slotAt(pos);
    for (const Row& row : m_rows) {
        for (const BandMap::Label& l : row.labels) {
            if (l.slot == slot)
                return l.toolTip;
        }
    }
    return {};
}

bool BandMapView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}

void BandMapView::mousePressEvent(QMouseEvent* event)
{
    const int slot = slotAt(event->position().toPoint());
    if (slot >= 0)
        emit labelPressed(slot, event->button());
}

void BandMapView::mouseMoveEvent(QMouseEvent* event)
{
    const QString tip = toolTipAt(event->position().toPoint());
    if (!tip.isEmpty() && tip != m_hovered)
        emit labelHovered(tip);
    m_hovered = tip;
}

void BandMapView::resizeEvent(QResizeEvent*)
{
    placeLabels();
}
