#include "ui/StatisticsWindows.h"

#include "log/ContactLog.h"
#include "settings/Preferences.h"
#include "ui/WindowPlacement.h"
#include "util/Dialogs.h"

#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

QColor colourFromPreference(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

quint32 preferenceFromColour(const QColor& c)
{
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

// ---- operator view ---------------------------------------------------------------------------

OperatorViewWindow::OperatorViewWindow(const ContactLog& log, QWidget* parent) : QDialog(parent), m_log(log)
{
    setObjectName(QStringLiteral("frmOperatorStats"));
    setWindowTitle(QStringLiteral("Contacts by Operator"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("ListView1"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("Initials"), QStringLiteral("Contacts")});
    auto* counts = new QGridLayout;
    const auto& names = StationStats::bandBucketNames();
    for (int i = 0; i < StationStats::BandBuckets; ++i) {
        counts->addWidget(new QLabel(names[static_cast<size_t>(i)], this), 0, i);
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("lblBand%1").arg(i));
        counts->addWidget(l, 1, i);
        m_bandLabels.push_back(l);
    }
    counts->addWidget(new QLabel(QStringLiteral("Total"), this), 0, StationStats::BandBuckets);
    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("lblTotal"));
    counts->addWidget(m_total, 1, StationStats::BandBuckets);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(counts);
    layout->addWidget(close);
    centreSecondaryWindow(this);
}

void OperatorViewWindow::fill()
{
    const auto c = StationStats::operatorCounts(m_log);
    m_list->clear();
    QFont fixed(QStringLiteral("monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    for (const auto& [initials, count] : c.rows) {
        auto* item = new QTreeWidgetItem(m_list, {initials, count});
        item->setFont(1, fixed);
    }
    for (int i = 0; i < StationStats::BandBuckets; ++i)
        m_bandLabels[static_cast<size_t>(i)]->setText(QString::number(c.bandCounts[static_cast<size_t>(i)]));
    m_total->setText(QString::number(c.total));
}

// ---- activity graph --------------------------------------------------------------------------

ActivityGraphWindow::ActivityGraphWindow(const ContactLog& log, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_log(log), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmGraph"));
    setWindowTitle(QStringLiteral(" Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)"));
    resize(900, 520);
    m_background = new QPushButton(QStringLiteral("White Background"), this);
    m_background->setObjectName(QStringLiteral("cmdBackground"));
    connect(m_background, &QPushButton::clicked, this, &ActivityGraphWindow::toggleBackground);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_background);
    layout->addLayout(row);
}

void ActivityGraphWindow::fill()
{
    m_graph = StationStats::rateGraph(m_log);
    if (!m_graph.enough)
        m_dialogs.message(
            QStringLiteral("The graph will not display with less than 7 contacts.  The graph becomes more "
                           "meaningful as several hours of contest logging are accumulated."),
            QStringLiteral("Not Enough Contacts to Graph."));
    update();
}

void ActivityGraphWindow::toggleBackground()
{
    m_black = !m_black;
    m_background->setText(m_black ? QStringLiteral("White Background") : QStringLiteral("Black Background"));
    update();
}

QColor ActivityGraphWindow::bandColour(const QString& band)
{
    static const QHash<QString, QColor> colours{
        {QStringLiteral("160"), QColor(255, 64, 64)}, {QStringLiteral("80"), QColor(255, 160, 0)},
        {QStringLiteral("40"), QColor(230, 230, 0)},  {QStringLiteral("20"), QColor(0, 200, 0)},
        {QStringLiteral("15"), QColor(0, 200, 255)},  {QStringLiteral("10"), QColor(80, 120, 255)},
        {QStringLiteral("6"), QColor(220, 80, 255)},
    };
    return colours.value(band, QColor(160, 160, 160));
}

void ActivityGraphWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor text = m_black ? Qt::white : Qt::black;
    p.fillRect(rect(), m_black ? Qt::black : Qt::white);
    p.setPen(text);
    const QRect plot = rect().adjusted(70, 50, -30, -90);
    p.drawText(QRect(0, 8, width(), 30), Qt::AlignCenter, windowTitle().trimmed());
    p.drawRect(plot);

    // Key: one label per band colour.
    const QStringList key{"160", "80", "40", "20", "15", "10", "6", "Other"};
    for (int i = 0; i < key.size(); ++i) {
        p.setPen(bandColour(key[i]));
        p.drawText(plot.left() + i * 60, height() - 20, key[i]);
    }
    p.setPen(text);
    if (!m_graph.enough || m_graph.points.empty())
        return;

    const int divisions = 16;
    const double top = std::max(60, ((m_graph.maxRate + 59) / 60) * 60);
    for (int i = 0; i <= divisions; ++i) {
        const int y = plot.bottom() - plot.height() * i / divisions;
        p.drawText(QRect(0, y - 8, plot.left() - 6, 16), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(top * i / divisions, 'f', 1));
    }
    for (int i = 0; i <= StationStats::RateGraph::Steps; ++i) {
        const int x = plot.left() + plot.width() * i / StationStats::RateGraph::Steps;
        p.drawText(QRect(x - 30, plot.bottom() + 4, 60, 16), Qt::AlignCenter, m_graph.timeLabels[size_t(i)]);
        p.drawText(QRect(x - 30, plot.bottom() + 20, 60, 16), Qt::AlignCenter, m_graph.dateLabels[size_t(i)]);
    }
    const double span = std::max<qint64>(1, m_graph.spanSeconds);
    for (const auto& pt : m_graph.points) {
        const int x = plot.left() + int(plot.width() * (pt.seconds / span));
        const int y = plot.bottom() - int(plot.height() * (pt.rate / top));
        p.setPen(Qt::NoPen);
        p.setBrush(bandColour(pt.band));
        p.drawEllipse(QPoint(x, y), 3, 3);
    }
}

// ---- section colours -------------------------------------------------------------------------

SectionColoursWindow::SectionColoursWindow(Preferences& prefs, Chooser chooser, QWidget* parent)
    : QDialog(parent), m_prefs(prefs), m_chooser(std::move(chooser))
{
    setObjectName(QStringLiteral("frmColor"));
    setWindowTitle(QStringLiteral(" Modify Multiplier Color Selections"));
    m_remainingSample = new QLabel(QStringLiteral("Appearance of multiplier remaining"), this);
    m_remainingSample->setObjectName(QStringLiteral("lblRemaining"));
    m_workedSample = new QLabel(QStringLiteral("Appearance of multiplier worked"), this);
    m_workedSample->setObjectName(QStringLiteral("lblWorked"));
    for (QLabel* l : {m_remainingSample, m_workedSample}) {
        l->setAutoFillBackground(true);
        l->setMargin(6);
    }
    auto* remaining = new QPushButton(QStringLiteral("Change"), this);
    remaining->setObjectName(QStringLiteral("cmdRemaining"));
    connect(remaining, &QPushButton::clicked, this, &SectionColoursWindow::changeRemaining);
    auto* worked = new QPushButton(QStringLiteral("Change"), this);
    worked->setObjectName(QStringLiteral("cmdWorked"));
    connect(worked, &QPushButton::clicked, this, &SectionColoursWindow::changeWorked);
    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("cmdDone"));
    connect(done, &QPushButton::clicked, this, &QDialog::close);
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_remainingSample, 0, 0);
    grid->addWidget(remaining, 0, 1);
    grid->addWidget(m_workedSample, 1, 0);
    grid->addWidget(worked, 1, 1);
    grid->addWidget(done, 2, 1);
    showSamples();
    centreSecondaryWindow(this);
}

void SectionColoursWindow::changeRemaining()
{
    const QColor c = m_chooser(colourFromPreference(m_prefs.notWorkedColour));
    if (!c.isValid())
        return;
    m_prefs.notWorkedColour = preferenceFromColour(c);
    showSamples();
    emit coloursChanged();
}

void SectionColoursWindow::changeWorked()
{
    const QColor c = m_chooser(colourFromPreference(m_prefs.workedColour));
    if (!c.isValid())
        return;
    m_prefs.workedColour = preferenceFromColour(c);
    showSamples();
    emit coloursChanged();
}

void SectionColoursWindow::showSamples()
{
    const auto paint = [](QLabel* l, quint32 bgr) {
        QPalette p = l->palette();
        p.setColor(QPalette::Window, colourFromPreference(bgr));
        p.setColor(QPalette::WindowText, Qt::black);
        l->setPalette(p);
    };
    paint(m_remainingSample, m_prefs.notWorkedColour);
    paint(m_workedSample, m_prefs.workedColour);
}

// ---- help ------------------------------------------------------------------------------------

HelpWindow::HelpWindow(const QString& dataDir, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Field Day Logging Program Help Page"));
    resize(720, 560);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setReadOnly(true);
    QFile own(dataDir + QStringLiteral("/readfd.txt"));
    QFile builtIn(QStringLiteral(":/fdlog/readfd.txt"));
    QFile& f = own.exists() ? own : builtIn;
    if (f.open(QIODevice::ReadOnly))
        m_text->setPlainText(QString::fromLatin1(f.readAll()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(close);
}

QString HelpWindow::text() const
{
    return m_text->toPlainText();
}
