#include "ui/WindowPlacement.h"

#include "settings/FormScaling.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centreSecondaryWindow(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window->adjustSize();
    const QRect area = screen->geometry();
    // The layout's size expressed on the reference screen, so the shared arithmetic keeps it as is.
    const QSize design(window->width() * FormScaling::ReferenceWidth / qMax(1, area.width()),
                       window->height() * FormScaling::ReferenceHeight / qMax(1, area.height()));
    const FormScaling::WindowGeometry g =
        FormScaling::FitFormToScreen(design, area.size(), FormScaling::twipsPerPixel(screen->logicalDotsPerInchY()));
    window->move(area.topLeft() + g.rect.topLeft());
}

void centreOver(QWidget* window, const QWidget* owner)
{
    window->adjustSize();
    if (!owner || !owner->isVisible()) {
        centreSecondaryWindow(window);
        return;
    }
    QRect r(QPoint(), window->frameGeometry().size());
    r.moveCenter(owner->frameGeometry().center());
    if (const QScreen* screen = owner->screen()) {
        const QRect area = screen->availableGeometry();
        r.moveLeft(qBound(area.left(), r.left(), qMax(area.left(), area.right() - r.width())));
        r.moveTop(qBound(area.top(), r.top(), qMax(area.top(), area.bottom() - r.height())));
    }
    window->move(r.topLeft());
}
