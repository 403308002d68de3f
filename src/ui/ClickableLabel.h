#pragma once

#include <QLabel>

// A label that reports mouse clicks with the button used (the band and mode displays).
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked(Qt::MouseButton button);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
