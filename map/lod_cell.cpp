#include "map/lod_cell.h"

#include <cmath>

#include "common/integer_conversion.h"

namespace tl {

double LodCell::rowHeight(int lod) {
    return std::ldexp(90.0, -lod);
}

double LodCell::columnWidth(int lod) {
    return std::ldexp(120.0, -lod);
}

LodCell LodCell::at(double lat, double lon) {
    const double south = 90.0 - lat;
    const double east = lon + 180.0;
    LodCell cell;
    cell.row8 = floorToInt16(south / rowHeight(8));
    cell.column8 = floorToInt16(east / columnWidth(8));
    cell.row13 = floorToInt16((south - cell.row8 * rowHeight(8)) / rowHeight(13));
    cell.column13 = floorToInt16((lon - (cell.column8 * columnWidth(8) - 180.0)) / columnWidth(13));
    return cell;
}

}  // namespace tl
