#pragma once

#include <filesystem>

#include "common/number_text.h"
#include "common/program_folder.h"
#include "core/coverage_lookup.h"
#include "core/error_reporter.h"
#include "core/map_drawing.h"
#include "core/window.h"
#include "core/window_events.h"
#include "map/map_surface.h"

namespace tl {

// The map's mouse: the position and cell labels under the pointer, panning by dragging, and the
// LOD 13 cell records that a double-click appends to bgl-asm.txt.
class MapMouse {
public:
    static constexpr const char* cursorName = "h_move.cur";
    static constexpr const char* captureFileName = "bgl-asm.txt";

    MapMouse(MapSurface& surface, MapDrawing& drawing, CoverageLookup& coverage, Window& window,
             const NumberText& numbers, const ProgramFolder& programFolder, ErrorReporter& errors);

    void picMap_MouseDown(const MouseEvent& event);
    void picMap_MouseMove(const MouseEvent& event);
    void picMap_MouseUp(const MouseEvent& event);
    void picMap_DblClick();

    // Where the last button went down on the map, in map coordinates.
    double dragStartX = 0;
    double dragStartY = 0;

private:
    std::filesystem::path dragCursor() const;
    std::string positionText(double degrees) const;
    std::string captureLine() const;

    MapSurface& surface_;
    MapDrawing& drawing_;
    CoverageLookup& coverage_;
    Window& window_;
    const NumberText& numbers_;
    const ProgramFolder& programFolder_;
    ErrorReporter& errors_;
};

}  // namespace tl
