#pragma once

namespace tl {

// Centres the map on the aircraft and sets its coordinate system.
class MapScaling {
public:
    virtual ~MapScaling() = default;
    virtual void scaleMap() = 0;
};

}  // namespace tl
