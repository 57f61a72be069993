#pragma once

namespace tl {

// The aircraft's position from the last successful read, decimal degrees, north and east positive.
struct AircraftPosition {
    double planeLat = 0;
    double planeLon = 0;
};

}  // namespace tl
