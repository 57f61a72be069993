#pragma once

#include <cstdint>
#include <vector>

namespace tl {

// The flatten areas held in memory: 128 areas of up to 512 vertices, numbered from 1. Every access
// checks its indexes first and throws a Failure numbered 9 (index out of range) before anything is
// stored. The table is never cleared; resets only set the counts back to 0.
class AreaTable {
public:
    static constexpr std::int32_t maxAreas = 128;
    static constexpr std::int32_t maxVertices = 512;

    struct Vertex {
        double lat = 0;
        double lon = 0;
    };

    AreaTable();

    // Number of areas; area `areaCount` is the current one.
    std::int32_t areaCount = 0;
    // Number of vertices of the current area.
    std::int32_t vertexCount = 0;

    const Vertex& areaPoints(std::int32_t area, std::int32_t vertex) const;
    void setAreaPoint(std::int32_t area, std::int32_t vertex, double lat, double lon);

    std::int16_t areaVertexCount(std::int32_t area) const;
    void setAreaVertexCount(std::int32_t area, std::int16_t count);

private:
    static std::size_t areaIndex(std::int32_t area);
    static std::size_t pointIndex(std::int32_t area, std::int32_t vertex);

    std::vector<Vertex> points_;
    std::vector<std::int16_t> vertexCounts_;
};

}  // namespace tl
