#pragma once

namespace tl {

// The extent of the map view in degrees; the four values are halved or doubled together.
struct MapView {
    float mapWidth = 0.25f;
    float mapHeight = 0.25f;
    float mapHalfWidth = 0.125f;
    float mapHalfHeight = 0.125f;
};

}  // namespace tl
