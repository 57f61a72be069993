#include "areas/area_growth.h"

namespace tl {

void startArea(AreaTable& table) {
    table.setAreaVertexCount(table.areaCount + 1, 0);
    ++table.areaCount;
    table.vertexCount = 0;
}

void addVertex(AreaTable& table, double lat, double lon) {
    const std::int32_t vertex = table.vertexCount + 1;
    table.setAreaPoint(table.areaCount, vertex, lat, lon);
    table.setAreaVertexCount(table.areaCount, static_cast<std::int16_t>(vertex));
    table.vertexCount = vertex;
}

}  // namespace tl
