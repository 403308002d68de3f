#include "ui/SectionMapWidget.h"

#include "log/ContactLog.h"
#include "log/SectionTable.h"

#include <QLabel>
#include <QRandomGenerator>
#include <QTimer>

const std::vector<SectionMapWidget::Place>& SectionMapWidget::places()
{
    // West to east by column, north to south by row; Canada on top, the islands bottom right.
    static const std::vector<Place> p{
        {"AK", 0, 0},   {"NT", 2, 0},  {"SK", 4, 0},  {"MB", 5, 0},  {"ONN", 8, 0},  {"QC", 11, 0},  {"MAR", 13, 0},
        {"NL", 14, 0},  {"BC", 1, 1},  {"AB", 3, 1},  {"ONS", 9, 1}, {"GTA", 10, 1}, {"ONE", 11, 1}, {"ME", 14, 1},
        {"WWA", 1, 2},  {"EWA", 2, 2}, {"MT", 3, 2},  {"ND", 4, 2},  {"MN", 5, 2},   {"WI", 6, 2},   {"MI", 8, 2},
        {"NNY", 11, 2}, {"VT", 12, 2}, {"NH", 13, 2}, {"OR", 1, 3},  {"ID", 2, 3},   {"WY", 3, 3},   {"SD", 4, 3},
        {"IA", 5, 3},   {"IL", 6, 3},  {"IN", 7, 3},  {"OH", 8, 3},  {"WNY", 10, 3}, {"ENY", 11, 3}, {"WMA", 12, 3},
        {"EMA", 13, 3}, {"SV", 0, 4},  {"SF", 1, 4},  {"NV", 2, 4},  {"UT", 3, 4},   {"CO", 4, 4},   {"NE", 5, 4},
        {"MO", 6, 4},   {"KY", 7, 4},  {"WV", 8, 4},  {"WPA", 9, 4}, {"EPA", 10, 4}, {"NNJ", 11, 4}, {"CT", 12, 4},
        {"RI", 13, 4},  {"EB", 0, 5},  {"SCV", 1, 5}, {"SJV", 2, 5}, {"AZ", 3, 5},   {"NM", 4, 5},   {"KS", 5, 5},
        {"AR", 6, 5},   {"TN", 7, 5},  {"VA", 8, 5},  {"MDC", 9, 5}, {"DE", 10, 5},  {"SNJ", 11, 5}, {"NLI", 12, 5},
        {"PAC", 0, 6},  {"SB", 1, 6},  {"LAX", 2, 6}, {"ORG", 3, 6}, {"WTX", 4, 6},  {"OK", 5, 6},   {"MS", 6, 6},
        {"AL", 7, 6},   {"NC", 8, 6},  {"SDG", 2, 7}, {"NTX", 4, 7}, {"LA", 6, 7},   {"GA", 7, 7},   {"SC", 8, 7},
        {"STX", 4, 8},  {"NFL", 7, 8}, {"WCF", 6, 9}, {"SFL", 8, 9}, {"PR", 11, 9},  {"VI", 12, 9},
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
    for (const Place& p : places()) {
        auto* area = new QLabel(QString::fromLatin1(p.abbr), this);
        area->setObjectName(QStringLiteral("lblMap") + QLatin1String(p.abbr));
        area->setToolTip(QString::fromLatin1(p.abbr));
        area->setAlignment(Qt::AlignCenter);
        area->setAutoFillBackground(true);
        area->setFrameShape(QFrame::Box);
        m_areas.push_back(area);
    }
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    connect(m_timer, &QTimer::timeout, this, &SectionMapWidget::refresh);
    m_timer->start(60'000);
    refresh();
}

void SectionMapWidget::refresh()
{
    m_fill = m_randomColour();
    // The log counts by the index of its own edition's table, whose order differs between editions.
    const SectionTable& table = m_log.sections();
    for (size_t i = 0; i < m_areas.size(); ++i) {
        const int index = table.indexOf(QString::fromLatin1(places()[i].abbr));
        const bool worked = index >= 0 && m_log.isSectionWorked(index);
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
        const Place& p = places()[i];
        m_areas[i]->setGeometry(int(p.column * w) + 1, int(p.row * h) + 1, int(w) - 2, int(h) - 2);
        m_areas[i]->setFont(f);
    }
}
