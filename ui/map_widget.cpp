#include "ui/map_widget.h"

#include <QMouseEvent>
#include <QPainter>

namespace tl {

MapWidget::MapWidget(QWidget* parent, QSize pixels, Colour background, Colour pen,
                     EventForwarder& forwarder)
    : QWidget(parent), surface_(*this, pixels, background, pen), forwarder_(forwarder) {
    setFixedSize(pixels);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // The picture covers the whole widget: no background to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    surface_.paint(painter);
}

MouseEvent MapWidget::toEvent(const QMouseEvent& event, Qt::MouseButtons buttons) const {
    MouseEvent result;
    result.button = (buttons.testFlag(Qt::LeftButton) ? 1 : 0) |
                    (buttons.testFlag(Qt::RightButton) ? 2 : 0) |
                    (buttons.testFlag(Qt::MiddleButton) ? 4 : 0);
    const Qt::KeyboardModifiers keys = event.modifiers();
    result.shift = (keys.testFlag(Qt::ShiftModifier) ? 1 : 0) |
                   (keys.testFlag(Qt::ControlModifier) ? 2 : 0) |
                   (keys.testFlag(Qt::AltModifier) ? 4 : 0);
    const MapPoint at = surface_.toMap(event.position());
    result.x = at.x;
    result.y = at.y;
    return result;
}

void MapWidget::mousePressEvent(QMouseEvent* event) {
    forwarder_.mouseDown(toEvent(*event, event->button()));
}

void MapWidget::mouseMoveEvent(QMouseEvent* event) {
    forwarder_.mouseMove(toEvent(*event, event->buttons()));
}

void MapWidget::mouseReleaseEvent(QMouseEvent* event) {
    forwarder_.mouseUp(toEvent(*event, event->button()));
}

// The second press of a double-click is the double-click alone, not another button down.
void MapWidget::mouseDoubleClickEvent(QMouseEvent*) {
    forwarder_.mapDoubleClick();
}

}  // namespace tl
