#pragma once

#include <QColor>
#include <QWidget>
#include <functional>
#include <vector>

class ContactLog;
class QLabel;
class QTimer;

// The section map: a tile map of our own drawing, one area per section roughly where it lies,
// each area's tooltip naming its section. On every refresh (a 60 s timer) a new fill colour is
// drawn and every worked section's area takes it.
class SectionMapWidget : public QWidget {
    Q_OBJECT
public:
    struct Place {
        const char* abbr;
        int column;
        int row;
    };
    static const std::vector<Place>& places();
    static constexpr int Columns = 15;
    static constexpr int Rows = 10;

    // `randomColour` draws the fill colour (each part 0..253); tests pass their own.
    SectionMapWidget(const ContactLog& log, QWidget* parent = nullptr, std::function<QColor()> randomColour = {});

    void refresh();
    QColor fillColour() const { return m_fill; }
    static QColor unworkedColour() { return QColor(235, 235, 220); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeAreas();

    const ContactLog& m_log;
    std::function<QColor()> m_randomColour;
    std::vector<QLabel*> m_areas; // in places() order
    QTimer* m_timer;
    QColor m_fill;
};
