#pragma once

#include <cstdint>

namespace tl {

// The simulator's level-of-detail cells: an LOD n cell is 90/2^n degrees of latitude by 120/2^n
// degrees of longitude. Rows count southward from 90 north, columns eastward from 180 west, both
// from 0; one LOD 8 cell holds 32 x 32 LOD 13 cells.
class LodCell {
public:
    // The levels the map's grid can show.
    static constexpr int lowestGridLod = 5;
    static constexpr int highestGridLod = 15;

    static double rowHeight(int lod);
    static double columnWidth(int lod);

    // The LOD 8 cell of a point and the LOD 13 cell within it. A cell number that does not fit in
    // 16 bits is a Failure numbered 6 (overflow).
    static LodCell at(double lat, double lon);

    std::int16_t row8 = 0;
    std::int16_t column8 = 0;
    std::int16_t row13 = 0;
    std::int16_t column13 = 0;
};

}  // namespace tl
