#include "areas/area_table.h"

#include "common/failure.h"

namespace tl {

AreaTable::AreaTable()
    : points_(static_cast<std::size_t>(maxAreas) * maxVertices),
      vertexCounts_(static_cast<std::size_t>(maxAreas)) {}

std::size_t AreaTable::areaIndex(std::int32_t area) {
    if (area < 1 || area > maxAreas) {
        throw Failure(FailureCode::IndexOutOfRange);
    }
    return static_cast<std::size_t>(area - 1);
}

std::size_t AreaTable::pointIndex(std::int32_t area, std::int32_t vertex) {
    const std::size_t a = areaIndex(area);
    if (vertex < 1 || vertex > maxVertices) {
        throw Failure(FailureCode::IndexOutOfRange);
    }
    return a * maxVertices + static_cast<std::size_t>(vertex - 1);
}

const AreaTable::Vertex& AreaTable::areaPoints(std::int32_t area, std::int32_t vertex) const {
    return points_[pointIndex(area, vertex)];
}

void AreaTable::setAreaPoint(std::int32_t area, std::int32_t vertex, double lat, double lon) {
    points_[pointIndex(area, vertex)] = {lat, lon};
}

std::int16_t AreaTable::areaVertexCount(std::int32_t area) const {
    return vertexCounts_[areaIndex(area)];
}

void AreaTable::setAreaVertexCount(std::int32_t area, std::int16_t count) {
    vertexCounts_[areaIndex(area)] = count;
}

}  // namespace tl
