#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace tl {

// Geographic bounds of a scenery file in decimal degrees, north and east positive.
struct SceneryBounds {
    float north = 0;
    float south = 0;
    float east = 0;
    float west = 0;
};

// The header of an old-format scenery (BGL) file: a 16-bit word, then the north, south, east and
// west bounds as signed 32-bit little-endian integers. Files of the newer format, which start
// with 01 02 92 19 38 00 00 00 and hold no bounds there, are refused.
class SceneryHeader {
public:
    static constexpr std::size_t size = 18;
    // Enough to see the newer format's mark at offset 16 as well.
    static constexpr std::size_t bytesLooked = 20;

    // Bounds from the first bytes of a file; a Failure (62 too short, 13 newer format) otherwise.
    static SceneryBounds parse(std::span<const std::uint8_t> bytes);

    // Reads the first bytes of the file and parses them; 53 when it is missing, 75 when it is not
    // a readable file.
    static SceneryBounds read(const std::filesystem::path& path);

    // Latitude units (90/10001750 of a degree) and longitude units (360/2^32 of a degree), each
    // converted in double precision and rounded once to single precision.
    static float latitude(std::int32_t units);
    static float longitude(std::int32_t units);
};

}  // namespace tl
