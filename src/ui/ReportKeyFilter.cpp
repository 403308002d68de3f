#include "ui/ReportKeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

void ReportKeyFilter::install(QWidget* w, Kind kind) { w->installEventFilter(new ReportKeyFilter(kind, w)); }

bool ReportKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    // Keys without text (arrows, tab, backspace's control code aside) move the caret: let them pass.
    if (text.size() != 1 || text[0] < QLatin1Char(' ') || text[0] == QChar(0x7f))
        return false;
    const QChar c = text[0];
    if (m_kind == Kind::Number)
        return !(c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
        const QString up(c.toUpper());
        if (auto* le = qobject_cast<QLineEdit*>(watched))
            le->insert(up);
        else if (auto* te = qobject_cast<QPlainTextEdit*>(watched))
            te->insertPlainText(up);
        else
            return false;
        return true;
    }
    return false;
}
