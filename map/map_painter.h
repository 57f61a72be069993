#pragma once

#include "areas/area_table.h"
#include "areas/grid_settings.h"
#include "common/colour.h"
#include "common/number_text.h"
#include "core/error_reporter.h"
#include "core/event_pump.h"
#include "core/map_drawing.h"
#include "core/window.h"
#include "map/map_surface.h"
#include "simlink/path_record.h"

namespace tl {

// Draws the map from the data: the LOD grid, the outlines of the recorded areas, the aircraft's
// path and the vertices of the current area.
class MapPainter : public MapDrawing {
public:
    static constexpr Colour black = rgb(0, 0, 0);
    static constexpr Colour blue = rgb(0, 0, 255);
    static constexpr Colour magenta = rgb(255, 0, 255);
    // The grid colour as the program holds it; converted each time the grid is drawn.
    static constexpr const char* gridColourText = "&HDEC4B0&";

    MapPainter(MapSurface& surface, const AreaTable& areas, const PathRecord& path,
               const GridSettings& grid, const bool& fsConnected, const Window& window,
               EventPump& pump, ErrorReporter& errors, const NumberText& numbers);

    void redrawMap() override;
    void LinkVertices(int areaNumber, int pointCount, Colour lineColour, Colour dotColour,
                      int stepwise) override;
    void drawGrid();

private:
    void drawPath();
    void drawCurrentVertices();
    void pauseIfStepwise(int stepwise);

    MapSurface& surface_;
    const AreaTable& areas_;
    const PathRecord& path_;
    const GridSettings& grid_;
    const bool& fsConnected_;
    const Window& window_;
    EventPump& pump_;
    ErrorReporter& errors_;
    const NumberText& numbers_;
};

}  // namespace tl
