#include "simlink/position_tracker.h"

#include <string>

#include "common/colour.h"

namespace tl {

PositionTracker::PositionTracker(PositionSource& source, const AircraftPosition& position,
                                 PathRecord& path, MapSurface& surface, MapDrawing& drawing,
                                 Window& window, ErrorReporter& errors)
    : source_(source),
      position_(position),
      path_(path),
      surface_(surface),
      drawing_(drawing),
      window_(window),
      errors_(errors) {}

void PositionTracker::plotPosition() {
    errors_.guard("plotPosition", [&] { poll(); });
}

void PositionTracker::poll() {
    source_.getPosition();
    const double lat = position_.planeLat;
    const double lon = position_.planeLon;

    surface_.setPenWidth(1);
    surface_.setPenColour(rgb(255, 0, 255));
    if (window_.isChecked("mnuPlotPath")) {
        surface_.point(static_cast<float>(lon), static_cast<float>(lat));
    }

    // The marker's size comes as magnitudes; y grows northward, so its top edge lies above the
    // aircraft.
    const MarkerSize marker = surface_.markerSize();
    surface_.moveMarker(static_cast<float>(lon - 0.45 * marker.width),
                        static_cast<float>(lat + 0.3 * marker.height));

    ++path_.pathCount;
    if (path_.pathCount > PathRecord::capacity) {
        // The wrapped path starts with this position, so the redraw shows nothing of the old one.
        path_.store(1, lat, lon);
        cmdClear_Click();
    }
    window_.setText("lblPC", std::to_string(path_.pathCount));
    path_.store(path_.pathCount, lat, lon);
}

void PositionTracker::cmdClear_Click() {
    path_.pathCount = 1;
    window_.setText("lblPC", "1");
    drawing_.redrawMap();
}

}  // namespace tl
