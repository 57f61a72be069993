#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/number_text.h"

namespace tl {

// Turns the simulator's raw position values into degrees, metres and the texts of the position
// labels.
class PositionConversion {
public:
    // Little-endian bytes as read from the simulator.
    using Bytes4 = std::array<std::uint8_t, 4>;
    using Bytes8 = std::array<std::uint8_t, 8>;

    // The ground altitude split into whole metres and a remainder in 1/128 m, the remainder
    // carried into the metres when it rounds to a whole metre.
    struct Metres {
        std::int32_t whole = 0;
        std::int32_t remainder = 0;
    };

    // The texts of lblGroundAlt, lblGroundAltM and lblGroundAltMm.
    struct GroundTexts {
        std::string altitude;
        std::string wholeMetres;
        std::string remainder;
    };

    explicit PositionConversion(const NumberText& numbers) : numbers_(numbers) {}

    static std::int32_t signed32(const Bytes4& bytes);
    static std::uint32_t unsigned32(const Bytes4& bytes);
    static std::int64_t signed64(const Bytes8& bytes);

    // Metres from metres x 256.
    static double groundAltitude(std::int32_t raw);
    static Metres splitMetres(double groundAlt);
    // Degrees from the simulator's 64-bit encodings.
    static double latitude(std::int64_t raw);
    static double longitude(std::int64_t raw);
    // The aircraft's place within its LOD 13 area, 0 to 255 from the west and the north edge.
    static std::int32_t areaPointX(double planeLon);
    static std::int32_t areaPointY(double planeLat);

    GroundTexts groundTexts(std::int32_t raw) const;
    // Decimal degrees with 13 decimals, or degrees and decimal minutes.
    std::string coordinateText(double degrees, bool asDegreesMinutes) const;
    // The text shown after an unexpected failure: the ground bytes as an unsigned number / 10000.
    std::string rawGroundText(const Bytes4& ground) const;

private:
    const NumberText& numbers_;
};

}  // namespace tl
