#pragma once

#include <QWidget>

class ClickableLabel;
class QTreeWidget;
class SpotBoard;

// The main window's spot list: the board's 200 rows, newest on top, a dupe in red with a tool
// tip saying so. A click on a row hands its call and frequency on; a click on the caption asks
// for the spotting window.
class SpotListWidget : public QWidget {
    Q_OBJECT
public:
    explicit SpotListWidget(const SpotBoard& board, QWidget* parent = nullptr);

    // One spot more on the board: a row on top, and the oldest out when the board dropped one.
    // Rows are put in a moment later, so a burst costs one update.
    void addNewestRow();
    // All rows again (the dupe marks changed with the log, the band or the mode).
    void redraw();
    // The list, brought up to date with the board.
    QTreeWidget* list();

    static QString dupeToolTip() { return QStringLiteral("Dupe: already worked on this band and mode"); }

signals:
    void captionClicked();
    void spotClicked(const QString& call, const QString& frequencyMHz);

private:
    static constexpr int kRefreshMs = 100;
    void addPendingRows();

    const SpotBoard& m_board;
    int m_pendingRows = 0;
    ClickableLabel* m_caption;
    QTreeWidget* m_list;
};
