#pragma once

#include "areas/area_table.h"
#include "common/number_text.h"
#include "common/program_folder.h"
#include "core/error_reporter.h"
#include "core/map_drawing.h"
#include "core/position_source.h"
#include "core/window.h"
#include "map/map_surface.h"
#include "simlink/aircraft_position.h"
#include "simlink/path_record.h"

namespace tl {

// The commands that capture areas while the aircraft flies or slews over the site. Each capture is
// appended to its file, flushed to the disk and closed before the command returns.
class CaptureCommands {
public:
    CaptureCommands(Window& window, ErrorReporter& errors, const ProgramFolder& folder,
                    const NumberText& numbers, AreaTable& table, PathRecord& path,
                    const AircraftPosition& aircraft, PositionSource& position, MapDrawing& drawing,
                    MapSurface& surface);

    // New Area ("cmdAddArea"). Area16N: the empty line, "#" and the name, and the elevation go to
    // flatten.txt, and a new current area starts. LWM: "#" and the name go to bgl-asm.txt. A 129th
    // area is refused with failure 9 before anything is written.
    void cmdAddArea_Click();

    // Add Vertex ("cmdAddVertex"): the last poll's position goes to flatten.txt, the fresh position
    // is marked on the map and stored. A 513th vertex is refused with failure 9 before anything is
    // written, so the file never holds a vertex that the next load or build would stop at.
    void cmdAddVertex_Click();

    // Draws the current area's outline in blue, edge by edge.
    void cmdLinkVertices_Click();

    // Converts the elevation box from feet to metres. A text that is not a number stays as it is.
    void txtElevation_DblClick();

private:
    bool area16N() const;

    Window& window_;
    ErrorReporter& errors_;
    const ProgramFolder& folder_;
    const NumberText& numbers_;
    AreaTable& table_;
    PathRecord& path_;
    const AircraftPosition& aircraft_;
    PositionSource& position_;
    MapDrawing& drawing_;
    MapSurface& surface_;
};

}  // namespace tl
