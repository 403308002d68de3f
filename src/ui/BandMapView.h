#pragma once

#include "spots/BandMap.h"

#include <QWidget>
#include <functional>
#include <vector>

class Clock;

// Spots drawn as their prefixes along one or more frequency scales, painted here: the main
// window's strip (one row, the current band) and the spectrum map (eleven rows). Each row's
// range follows its spots; labels fade with age. Presses on a label are handed on with its
// slot and button; the owner tunes or dismisses.
class BandMapView : public QWidget {
    Q_OBJECT
public:
    struct Row {
        QString name; // shown left of the scale; empty on the strip
        BandMap::Range edges;
        BandMap::Range shown;
        std::vector<BandMap::Label> labels;
        std::vector<QRect> labelRects; // where each label was placed, same order
    };

    BandMapView(const SpotStore& store, const Clock& clock, std::function<float()> utcOffsetHours,
                QWidget* parent = nullptr);

    // The bands to show, by name and edges (the strip: the current band, or none).
    void setBands(const std::vector<std::pair<QString, BandMap::Range>>& bands);
    // Scales and labels are worked out again from the store before the next paint (or read),
    // so a burst of spots costs one.
    void redraw();
    const std::vector<Row>& rows() const;
    // The slot of the label on top at a point; -1 for none.
    int slotAt(const QPoint& pos) const;
    QString toolTipAt(const QPoint& pos) const;

    QSize sizeHint() const override;

signals:
    void labelPressed(int slot, Qt::MouseButton button);
    void labelHovered(const QString& toolTip);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeLabels() const;
    void layOutIfDue() const;
    int nameWidth() const;
    QRect scaleLine(int row) const;

    const SpotStore& m_store;
    const Clock& m_clock;
    std::function<float()> m_utcOffsetHours;
    mutable std::vector<Row> m_rows;
    mutable bool m_due = false;
    // Repaints follow spots at most a few times a second.
    static constexpr int kRepaintMs = 100;
    bool m_repaintQueued = false;
    QString m_hovered;
};
