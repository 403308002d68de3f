#include "ui/SecondaryWindowKeeper.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

SecondaryWindowKeeper::SecondaryWindowKeeper(QWidget& mainWindow, std::function<void()> returnToCall)
    : QObject(&mainWindow), m_main(mainWindow), m_returnToCall(std::move(returnToCall))
{
    qApp->installEventFilter(this);
}

bool SecondaryWindowKeeper::isSecondary(const QWidget* window) const
{
    if (!window || window == &m_main || !window->isWindow())
        return false;
    const Qt::WindowType type = window->windowType();
    if (type == Qt::Popup || type == Qt::ToolTip || type == Qt::SplashScreen)
        return false;
    for (const QWidget* w = window->parentWidget(); w; w = w->parentWidget()) {
        if (w == &m_main)
            return true;
    }
    return false;
}

bool SecondaryWindowKeeper::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::Hide)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    if (type == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        QWidget* window = widget->window();
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier && isSecondary(window)) {
            window->close();
            return true;
        }
        return false;
    }
    if (isSecondary(widget)) {
        // After the closing window's own code has run (a modal exec() returns first).
        QTimer::singleShot(0, this, [this] {
            if (m_main.isVisible() && !QApplication::activeModalWidget())
                m_returnToCall();
        });
    }
    return false;
}
