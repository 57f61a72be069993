#pragma once

#include "common/number_text.h"
#include "core/error_reporter.h"
#include "core/map_drawing.h"
#include "core/map_scaling.h"
#include "core/position_source.h"
#include "core/window.h"
#include "map/map_surface.h"
#include "map/map_view.h"
#include "simlink/aircraft_position.h"

namespace tl {

// The map's view: its extent, its centre on the aircraft, the coordinate system set on the surface
// and the four view buttons.
class MapScale : public MapScaling {
public:
    // Zoom stops at these extents (degrees), so that the view stays finite and non-zero and the
    // single-precision surface still resolves it: the smallest view is about 27 m across at the
    // equator, the largest holds the whole earth wherever the aircraft is.
    static constexpr float minimumExtent = 1.0f / 4096;
    static constexpr float maximumExtent = 1024.0f;

    MapScale(MapView& view, PositionSource& source, const AircraftPosition& position,
             MapSurface& surface, MapDrawing& drawing, Window& window, const NumberText& numbers,
             ErrorReporter& errors);

    // Reads the position, centres the map on it, shows the scale and redraws.
    void scaleMap() override;

    // Halve or double the view, then centre it on the aircraft again. At a limit the view keeps its
    // size and is only centred again.
    void cmdZoomIn_Click();
    void cmdZoomOut_Click();
    void cmdRecenter_Click() { scaleMap(); }
    void cmdRedraw_Click() { drawing_.redrawMap(); }

private:
    void resize(float factor);

    MapView& view_;
    PositionSource& source_;
    const AircraftPosition& position_;
    MapSurface& surface_;
    MapDrawing& drawing_;
    Window& window_;
    const NumberText& numbers_;
    ErrorReporter& errors_;
};

}  // namespace tl
