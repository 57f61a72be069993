#pragma once

#include "core/error_reporter.h"
#include "core/map_drawing.h"
#include "core/poller.h"
#include "core/position_source.h"
#include "core/window.h"
#include "map/map_surface.h"
#include "simlink/aircraft_position.h"
#include "simlink/path_record.h"

namespace tl {

// One poll of the aircraft: reads the position, extends the drawn track, moves the marker and
// records the position in the path. Also the Clear Path command.
class PositionTracker : public Poller {
public:
    PositionTracker(PositionSource& source, const AircraftPosition& position, PathRecord& path,
                    MapSurface& surface, MapDrawing& drawing, Window& window,
                    ErrorReporter& errors);

    void plotPosition() override;
    // Restarts the path at slot 1 and redraws the map.
    void cmdClear_Click();

private:
    void poll();

    PositionSource& source_;
    const AircraftPosition& position_;
    PathRecord& path_;
    MapSurface& surface_;
    MapDrawing& drawing_;
    Window& window_;
    ErrorReporter& errors_;
};

}  // namespace tl
