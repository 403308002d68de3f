#include "ui/EntryKeyForwarder.h"

#include <QKeyEvent>

int EntryKeyForwarder::keyCode(const QKeyEvent& event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return 0;
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Space: return 32;
    case Qt::Key_Backspace: return 8;
    default: break;
    }
    const QString text = event.text();
    if (text.size() == 1 && text[0].unicode() > 32 && text[0].unicode() < 256)
        return text[0].unicode();
    return 0;
}

bool EntryKeyForwarder::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int code = keyCode(*static_cast<QKeyEvent*>(event));
    return code != 0 && m_handler(watched, code);
}
