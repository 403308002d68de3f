#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <vector>

class ContactLog;
class QLabel;
class SectionTable;
class QTimer;

// The section map: a tile map of our own drawing, one area per section of the log's rules edition
// roughly where it lies, each area's tooltip naming its section. On every refresh (a 60 s timer) a
// new fill colour is drawn and every worked section's area takes it.
class SectionMapWidget : public QWidget {
    Q_OBJECT
public:
    struct Place {
        const char* abbr;
        int column;
        int row;
    };
    // Every section of every edition; a retired section and its successors may share a place.
    static const std::vector<Place>& places();
    static constexpr int Columns = 16;
    static constexpr int Rows = 10;

    // `randomColour` draws the fill colour (each part 0..253); tests pass their own.
    SectionMapWidget(const ContactLog& log, QWidget* parent = nullptr, std::function<QColor()> randomColour = {});

    // Rebuilds the areas when the log has changed rules edition since the last refresh.
    void refresh();
    QColor fillColour() const { return m_fill; }
    static QColor unworkedColour() { return QColor(235, 235, 220); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildAreas();
    void placeAreas();

    const ContactLog& m_log;
    std::function<QColor()> m_randomColour;
    const SectionTable* m_table = nullptr; // the table the areas were built for
    std::vector<QLabel*> m_areas;          // in table order
    std::vector<QPoint> m_cells;           // column, row of each area
    QTimer* m_timer;
    QColor m_fill;
};
