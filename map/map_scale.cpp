#include "map/map_scale.h"

#include <algorithm>

namespace tl {

MapScale::MapScale(MapView& view, PositionSource& source, const AircraftPosition& position,
                   MapSurface& surface, MapDrawing& drawing, Window& window,
                   const NumberText& numbers, ErrorReporter& errors)
    : view_(view),
      source_(source),
      position_(position),
      surface_(surface),
      drawing_(drawing),
      window_(window),
      numbers_(numbers),
      errors_(errors) {}

void MapScale::scaleMap() {
    errors_.guard("ScaleMap", [&] {
        source_.getPosition();
        SurfaceScale scale;
        scale.left = static_cast<float>(position_.planeLon - double{view_.mapHalfWidth});
        scale.top = static_cast<float>(position_.planeLat + double{view_.mapHalfHeight});
        scale.width = view_.mapWidth;
        scale.height = -view_.mapHeight;
        surface_.setScale(scale);
        window_.setText("lblScale", numbers_.pattern(-double{surface_.scale().height}, "0.0####"));
        drawing_.redrawMap();
    });
}

void MapScale::cmdZoomIn_Click() {
    if (std::min(view_.mapWidth, view_.mapHeight) / 2 >= minimumExtent) {
        resize(0.5f);
    }
    scaleMap();
}

void MapScale::cmdZoomOut_Click() {
    if (std::max(view_.mapWidth, view_.mapHeight) * 2 <= maximumExtent) {
        resize(2.0f);
    }
    scaleMap();
}

void MapScale::resize(float factor) {
    view_.mapWidth *= factor;
    view_.mapHeight *= factor;
    view_.mapHalfWidth *= factor;
    view_.mapHalfHeight *= factor;
}

}  // namespace tl
