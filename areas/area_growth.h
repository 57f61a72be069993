#pragma once

#include "areas/area_table.h"

namespace tl {

// The two ways the area table grows, shared by the load and the capture commands. Each checks its
// indexes through the table before a count moves, so a refused step (failure 9) leaves the counts
// as they were: areaCount stays within 0 to 128 and vertexCount within 0 to 512.

// Starts area areaCount + 1 with no vertices and makes it the current area.
void startArea(AreaTable& table);

// Stores the next vertex of the current area.
void addVertex(AreaTable& table, double lat, double lon);

}  // namespace tl
