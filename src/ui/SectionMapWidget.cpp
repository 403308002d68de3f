#include "ui/SectionMapWidget.h"

#include "log/ContactLog.h"
#include "log/SectionTable.h"

#include <QHash>
#include <QLabel>
#include <QRandomGenerator>
#include <QSet>
#include <QTimer>

const std::vector<SectionMapWidget::Place>& SectionMapWidget::places()
{
    // West to east by column, north to south by row; Canada on top, the islands bottom right.
    // NT/TER, GTA/GH and MAR/NB belong to different editions and share their places.
    static const std::vector<Place> p{
        {"AK", 0, 0},  {"NT", 2, 0},   {"TER", 2, 0},  {"SK", 4, 0},   {"MB", 5, 0},   {"ONN", 8, 0},  {"QC", 11, 0},
        {"NL", 13, 0}, {"MAR", 14, 0}, {"NB", 14, 0},  {"PE", 15, 0},  {"NS", 15, 1},  {"BC", 1, 1},   {"AB", 3, 1},
        {"ONS", 9, 1}, {"GTA", 10, 1}, {"GH", 10, 1},  {"ONE", 11, 1}, {"ME", 14, 1},  {"WWA", 1, 2},  {"EWA", 2, 2},
        {"MT", 3, 2},  {"ND", 4, 2},   {"MN", 5, 2},   {"WI", 6, 2},   {"MI", 8, 2},   {"NNY", 11, 2}, {"VT", 12, 2},
        {"NH", 13, 2}, {"OR", 1, 3},   {"ID", 2, 3},   {"WY", 3, 3},   {"SD", 4, 3},   {"IA", 5, 3},   {"IL", 6, 3},
        {"IN", 7, 3},  {"OH", 8, 3},   {"WNY", 10, 3}, {"ENY", 11, 3}, {"WMA", 12, 3}, {"EMA", 13, 3}, {"SV", 0, 4},
        {"SF", 1, 4},  {"NV", 2, 4},   {"UT", 3, 4},   {"CO", 4, 4},   {"NE", 5, 4},   {"MO", 6, 4},   {"KY", 7, 4},
        {"WV", 8, 4},  {"WPA", 9, 4},  {"EPA", 10, 4}, {"NNJ", 11, 4}, {"CT", 12, 4},  {"RI", 13, 4},  {"EB", 0, 5},
        {"SCV", 1, 5}, {"SJV", 2, 5},  {"AZ", 3, 5},   {"NM", 4, 5},   {"KS", 5, 5},   {"AR", 6, 5},   {"TN", 7, 5},
        {"VA", 8, 5},  {"MDC", 9, 5},  {"DE", 10, 5},  {"SNJ", 11, 5}, {"NLI", 12, 5}, {"PAC", 0, 6},  {"SB", 1, 6},
        {"LAX", 2, 6}, {"ORG", 3, 6},  {"WTX", 4, 6},  {"OK", 5, 6},   {"MS", 6, 6},   {"AL", 7, 6},   {"NC", 8, 6},
        {"SDG", 2, 7}, {"NTX", 4, 7},  {"LA", 6, 7},   {"GA", 7, 7},   {"SC", 8, 7},   {"STX", 4, 8},  {"NFL", 7, 8},
        {"WCF", 6, 9}, {"SFL", 8, 9},  {"PR", 11, 9},  {"VI", 12, 9},
    };
    return p;
}

SectionMapWidget::SectionMapWidget(const ContactLog& log, QWidget* parent, std::function<QColor()> randomColour)
    : QWidget(parent), m_log(log), m_randomColour(std::move(randomColour))
{
    setObjectName(QStringLiteral("picMap"));
    if (!m_randomColour) {
        m_randomColour = [] {
            auto* g = QRandomGenerator::global();
            return QColor(int(g->bounded(254)), int(g->bounded(254)), int(g->bounded(254)));
        };
    }
    setMinimumSize(Columns * 36, Rows * 26);
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    connect(m_timer, &QTimer::timeout, this, &SectionMapWidget::refresh);
    m_timer->start(60'000);
    refresh();
}

void SectionMapWidget::buildAreas()
{
    qDeleteAll(m_areas);
    m_areas.clear();
    m_cells.clear();
    m_table = &m_log.sections();
    QHash<QString, QPoint> placeOf;
    for (const Place& p : places())
        placeOf.insert(QString::fromLatin1(p.abbr), QPoint(p.column, p.row));
    QSet<int> taken;
    for (int i = 0; i < m_table->size(); ++i) {
        const QPoint cell = placeOf.value(m_table->at(i).abbr, QPoint(-1, -1));
        m_cells.push_back(cell);
        if (cell.x() >= 0)
            taken.insert(cell.y() * Columns + cell.x());
    }
    // A section of an edition newer than this map takes the first free place from the bottom right.
    int free = Columns * Rows;
    for (QPoint& cell : m_cells) {
        if (cell.x() >= 0)
            continue;
        while (taken.contains(--free)) {
        }
        cell = QPoint(free % Columns, free / Columns);
    }
    for (int i = 0; i < m_table->size(); ++i) {
        const QString& abbr = m_table->at(i).abbr;
        auto* area = new QLabel(abbr, this);
        area->setObjectName(QStringLiteral("lblMap") + abbr);
        area->setToolTip(abbr);
        area->setAlignment(Qt::AlignCenter);
        area->setAutoFillBackground(true);
        area->setFrameShape(QFrame::Box);
        area->show();
        m_areas.push_back(area);
    }
    placeAreas();
}

void SectionMapWidget::refresh()
{
    if (m_table != &m_log.sections())
        buildAreas();
    m_fill = m_randomColour();
    for (size_t i = 0; i < m_areas.size(); ++i) {
        const bool worked = m_log.isSectionWorked(int(i));
        QPalette p = m_areas[i]->palette();
        p.setColor(QPalette::Window, worked ? m_fill : unworkedColour());
        p.setColor(QPalette::WindowText, worked && m_fill.lightness() < 110 ? Qt::white : Qt::black);
        m_areas[i]->setPalette(p);
    }
}

void SectionMapWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeAreas();
}

void SectionMapWidget::placeAreas()
{
    const double w = double(width()) / Columns;
    const double h = double(height()) / Rows;
    QFont f = font();
    f.setPixelSize(std::max(8, int(h * 0.4)));
    for (size_t i = 0; i < m_areas.size(); ++i) {
        const QPoint& c = m_cells[i];
        m_areas[i]->setGeometry(int(c.x() * w) + 1, int(c.y() * h) + 1, int(w) - 2, int(h) - 2);
        m_areas[i]->setFont(f);
    }
}
