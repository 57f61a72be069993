#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tl {

// What the build has gathered about the area it is reading; ProcessArea writes it out. The values
// stay between builds.
struct BuildState {
    static constexpr int maxVertices = 512;

    // Name of the area being read, as it follows the "#" of its header; empty before any area.
    std::string buildAreaName;
    // Name of the first area whose sources are written; names the copy of the area file.
    std::string buildFirstName;
    // 1-based slot of the next vertex: the area holds buildVertexIndex - 1 vertices.
    std::int16_t buildVertexIndex = 0;
    float buildElevation = 0;
    std::array<double, maxVertices> buildLat{};
    std::array<double, maxVertices> buildLon{};
    double buildNorth = 0;
    double buildSouth = 0;
    double buildEast = 0;
    double buildWest = 0;
};

}  // namespace tl
