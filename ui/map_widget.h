#pragma once

#include <QWidget>

#include "ui/event_forwarder.h"
#include "ui/qt_map_surface.h"

namespace tl {

// The map `picMap`: shows its surface's picture and marker and hands its mouse events, in map
// units, to the program.
class MapWidget : public QWidget {
public:
    MapWidget(QWidget* parent, QSize pixels, Colour background, Colour pen,
              EventForwarder& forwarder);

    QtMapSurface& surface() { return surface_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // `buttons` as the map's mouse events number them: 1 left, 2 right, 4 middle.
    MouseEvent toEvent(const QMouseEvent& event, Qt::MouseButtons buttons) const;

    QtMapSurface surface_;
    EventForwarder& forwarder_;
};

}  // namespace tl
