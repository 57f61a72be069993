#pragma once

#include <QImage>
#include <QPointF>
#include <QSize>

#include "map/map_surface.h"
#include "ui/qt_convert.h"

class QPainter;
class QWidget;

namespace tl {

// A position on the map in map units.
struct MapPoint {
    float x = 0;
    float y = 0;
};

// The map surface drawn into a persistent picture. The aircraft marker is painted on top of the
// picture and is never part of it. Drawing writes the picture's pixels directly: no allocation per
// call, and one repaint request until the view has painted.
class QtMapSurface : public MapSurface {
public:
    // `view` shows the picture: it is asked to repaint after drawing and carries the pointer. The
    // scale starts as the picture's size in twips.
    QtMapSurface(QWidget& view, QSize pixels, Colour background, Colour pen);

    void clear() override;

    SurfaceScale scale() const override { return scale_; }
    // Throws tl::Failure for a zero or non-finite width or height and keeps the old scale.
    void setScale(const SurfaceScale& scale) override;

    void setPenColour(Colour colour) override { pen_ = toQRgb(colour); }
    // Throws tl::Failure for a width outside 1 to 32767.
    void setPenWidth(int pixels) override;

    void setCurrentPoint(float x, float y) override;
    void point(float x, float y) override;
    void point(float x, float y, Colour colour) override;
    void lineTo(float x, float y, Colour colour) override;
    // Like a line statement, it leaves the current point at its end.
    void line(float x1, float y1, float x2, float y2) override;
    void text(std::string_view text) override;

    void setMarkerColour(Colour colour) override {
        marker_ = toQRgb(colour);
        requestRepaint();
    }
    void moveMarker(float left, float top) override;
    MarkerSize markerSize() const override;

    void useDefaultPointer() override;
    // A missing file is failure 53; a file that holds no cursor picture is failure 481.
    void useCursorFile(const std::filesystem::path& cursorFile) override;

    // The persistent picture, without the marker.
    const QImage& picture() const { return picture_; }
    // Paints the picture with the marker on top.
    void paint(QPainter& painter);
    // A pixel position on the view in map units.
    MapPoint toMap(QPointF pixel) const;

private:
    QPointF toPixels(float x, float y) const;
    void dot(QPointF centre, QRgb colour);
    void stamp(int x, int y, QRgb colour);
    void segment(QPointF from, QPointF to, QRgb colour);
    void requestRepaint();

    QWidget& view_;
    QImage picture_;
    QRgb background_;
    QRgb pen_;
    int penWidth_ = 1;
    SurfaceScale scale_;
    double pixelsPerUnitX_ = 1;
    double pixelsPerUnitY_ = 1;
    float currentX_ = 0;
    float currentY_ = 0;
    // The marker's top left corner in pixels of the view.
    QPointF markerAt_;
    QRgb marker_;
    bool repaintPending_ = false;
};

}  // namespace tl
