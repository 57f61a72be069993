#pragma once

#include <cstdint>
#include <vector>

namespace tl {

// The recorded aircraft path: slots 1 to pathCount, oldest first. Slot 0 is never written.
class PathRecord {
public:
    static constexpr std::int32_t capacity = 65535;

    struct Point {
        double lat = 0;
        double lon = 0;
    };

    std::int32_t pathCount = 0;

    const Point& at(std::int32_t slot) const { return points_[static_cast<std::size_t>(slot)]; }
    void store(std::int32_t slot, double lat, double lon) {
        points_[static_cast<std::size_t>(slot)] = {lat, lon};
    }

private:
    std::vector<Point> points_ = std::vector<Point>(capacity + 1);
};

}  // namespace tl
