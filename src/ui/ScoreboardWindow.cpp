#include "ui/ScoreboardWindow.h"

#include "log/Bands.h"
#include "log/ContactLog.h"
#include "log/Logbook.h"
#include "log/OperatingState.h"
#include "log/RateStats.h"
#include "log/Station.h"
#include "reports/EntryClaims.h"
#include "reports/Score.h"
#include "ui/SectionMapWidget.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

ScoreboardWindow::ScoreboardWindow(Station& station, QWidget* parent)
    : QWidget(parent, Qt::Window), m_station(station), m_log(station.log()), m_state(station.state()),
      m_clock(station.clock())
{
    Logbook& logbook = station.logbook();
    setObjectName(QStringLiteral("frmScoreboard"));
    setWindowTitle(QStringLiteral("Field Day Scoreboard"));
    setStyleSheet(QStringLiteral("background: black; color: white;"));
    QFont big = font();
    big.setPixelSize(56);
    big.setBold(true);
    QFont table = font();
    table.setPixelSize(28);
    m_points = new QLabel(this);
    m_points->setObjectName(QStringLiteral("lblPoints"));
    m_points->setFont(big);
    m_rate = new QLabel(this);
    m_rate->setObjectName(QStringLiteral("lblRate"));
    m_rate->setFont(big);
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("tblBandMode"));
    m_table->setFont(table);
    m_table->horizontalHeader()->setFont(table);
    m_table->verticalHeader()->setFont(table);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setFocusPolicy(Qt::NoFocus);
    m_map = new SectionMapWidget(m_log, this);

    auto* top = new QHBoxLayout;
    top->addWidget(m_points);
    top->addStretch();
    top->addWidget(m_rate);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_table, 2);
    bottom->addWidget(m_map, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom, 1);

    connect(&logbook, &Logbook::appended, this, &ScoreboardWindow::refresh);
    connect(&logbook, &Logbook::reloaded, this, &ScoreboardWindow::refresh);
    refresh();
}

void ScoreboardWindow::refresh()
{
    if (m_station.rules() == RulesEdition::FieldDay2025) {
        // Read at each refresh: the summary window may have changed the claims meanwhile.
        const ClaimedScore c = scoreClaims(m_log.points(), EntryClaimsFile::read(m_station.paths().dataDir),
                                           entryClassLetter(m_station.prefs().ownClass));
        m_points->setText(QStringLiteral("Score: %1 (%2 x %3 + %4 bonus)")
                              .arg(c.claimed)
                              .arg(m_log.points())
                              .arg(c.multiplier)
                              .arg(c.bonusPoints));
    } else {
        m_points->setText(QStringLiteral("Points: %1").arg(m_log.points()));
    }
    const RateFigures rate = TimeStats(m_log, m_clock, m_state.utcOffset());
    m_rate->setText(QStringLiteral("Last hour: %1").arg(rate.lastHour));

    // Only the bands that have contacts, so the table stays large enough to read.
    const BandModeCounts counts = CountContactsByBandAndMode(m_log.records());
    const QStringList& bands = Bands::labels();
    std::vector<int> rows;
    for (int b = 0; b < bands.size(); ++b) {
        if (counts.at(b, 0) + counts.at(b, 1) + counts.at(b, 2) > 0)
            rows.push_back(b);
    }
    m_table->clear();
    m_table->setColumnCount(4);
    m_table->setRowCount(int(rows.size()) + 1);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("CW"), QStringLiteral("DIG"), QStringLiteral("PH"), QStringLiteral("Total")});
    QStringList labels;
    qint64 totals[4] = {};
    for (size_t r = 0; r < rows.size(); ++r) {
        labels << bands[rows[r]];
        qint64 sum = 0;
        for (int m = 0; m < 3; ++m) {
            const qint32 n = counts.at(rows[r], m);
            sum += n;
            totals[m] += n;
            m_table->setItem(int(r), m, new QTableWidgetItem(QString::number(n)));
        }
        totals[3] += sum;
        m_table->setItem(int(r), 3, new QTableWidgetItem(QString::number(sum)));
    }
    labels << QStringLiteral("Total");
    for (int m = 0; m < 4; ++m)
        m_table->setItem(int(rows.size()), m, new QTableWidgetItem(QString::number(totals[m])));
    m_table->setVerticalHeaderLabels(labels);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_map->refresh();
}

void ScoreboardWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}
