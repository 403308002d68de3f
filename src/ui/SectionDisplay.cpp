#include "ui/SectionDisplay.h"

#include "log/ContactLog.h"
#include "log/SectionTable.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>

namespace {
constexpr int Columns = 14;
}

QColor colourFromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

SectionDisplay::SectionDisplay(const SectionTable& table, QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setSpacing(2);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < table.size(); ++i) {
        auto* l = new QLabel(table.at(i).abbr, this);
        l->setObjectName(QStringLiteral("lblSection%1").arg(table.at(i).abbr));
        l->setProperty("abbr", table.at(i).abbr);
        l->setToolTip(table.at(i).name);
        l->setAlignment(Qt::AlignCenter);
        l->setAutoFillBackground(true);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->installEventFilter(this);
        grid->addWidget(l, i / Columns, i % Columns);
        m_labels.push_back(l);
    }
}

void SectionDisplay::refresh(const ContactLog& log, quint32 workedColour, quint32 notWorkedColour)
{
    const QColor worked = colourFromBgr(workedColour);
    const QColor notWorked = colourFromBgr(notWorkedColour);
    for (int i = 0; i < count(); ++i) {
        QLabel* l = m_labels[static_cast<size_t>(i)];
        const bool done = log.isSectionWorked(i);
        QPalette p = l->palette();
        p.setColor(QPalette::Window, done ? worked : notWorked);
        p.setColor(QPalette::WindowText, Qt::black);
        l->setPalette(p);
        // A mark as well as the colour, for an operator who cannot tell the two colours apart.
        const QString abbr = l->property("abbr").toString();
        l->setText(done ? abbr + QStringLiteral(" \u2713") : abbr);
    }
}

bool SectionDisplay::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::Enter) {
        if (auto* l = qobject_cast<QLabel*>(watched)) {
            const QString abbr = l->property("abbr").toString();
            if (event->type() == QEvent::Enter)
                emit sectionPointedAt(abbr);
            else
                emit sectionClicked(abbr);
        }
    }
    return QWidget::eventFilter(watched, event);
}
