#include "ui/ClickableLabel.h"

#include <QMouseEvent>

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    emit clicked(event->button());
    QLabel::mouseReleaseEvent(event);
}
