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

QColor colourFromBgr(quint32 bgr) { return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF)); }

SectionDisplay::SectionDisplay(const SectionTable& table, QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setSpacing(2);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < table.size(); ++i) {
        auto* l = new QLabel(table.at(i).abbr, this);
        l->setObjectName(QStringLiteral("lblSection%1").arg(table.at(i).abbr));
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
        QPalette p = m_labels[static_cast<size_t>(i)]->palette();
        p.setColor(QPalette::Window, log.isSectionWorked(i) ? worked : notWorked);
        p.setColor(QPalette::WindowText, Qt::black);
        m_labels[static_cast<size_t>(i)]->setPalette(p);
    }
}

bool SectionDisplay::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (auto* l = qobject_cast<QLabel*>(watched))
            emit sectionClicked(l->text());
    }
    return QWidget::eventFilter(watched, event);
}
