#include "simlink/position_conversion.h"

#include <cmath>

#include "common/degrees_minutes.h"
#include "common/integer_conversion.h"
#include "simlink/fsuipc_byte_order.h"

namespace tl {

namespace {
constexpr double latitudeDivisor = 42957189152768000.0;      // 10001750 x 65536 x 65536
constexpr double longitudeDivisor = 18446744073709551616.0;  // 65536^4
constexpr double lod13Width = 0.0146484375;                  // 120 / 8192 degrees of longitude
constexpr double lod13Height = 0.010986328125;               // 90 / 8192 degrees of latitude

// Place of an offset within its cell, in 1/256 of the cell.
std::int32_t placeInCell(double offset, double cellSize) {
    const double cells = offset / cellSize;
    return static_cast<std::int32_t>(std::floor((cells - std::trunc(cells)) * 256));
}
}  // namespace

std::int32_t PositionConversion::signed32(const Bytes4& bytes) {
    return loadLittleEndian<std::int32_t>(bytes.data());
}

std::uint32_t PositionConversion::unsigned32(const Bytes4& bytes) {
    return loadLittleEndian<std::uint32_t>(bytes.data());
}

std::int64_t PositionConversion::signed64(const Bytes8& bytes) {
    return loadLittleEndian<std::int64_t>(bytes.data());
}

double PositionConversion::groundAltitude(std::int32_t raw) {
    return raw / 256.0;
}

PositionConversion::Metres PositionConversion::splitMetres(double groundAlt) {
    const double whole = std::trunc(groundAlt);
    Metres metres{toInt32(whole), toInt32((groundAlt - whole) * 128)};
    if (metres.remainder == 128 || metres.remainder == -128) {
        metres.remainder = 0;
        metres.whole += groundAlt >= 0 ? 1 : -1;
    }
    return metres;
}

double PositionConversion::latitude(std::int64_t raw) {
    return static_cast<double>(raw) * 90.0 / latitudeDivisor;
}

double PositionConversion::longitude(std::int64_t raw) {
    return static_cast<double>(raw) * 360.0 / longitudeDivisor;
}

std::int32_t PositionConversion::areaPointX(double planeLon) {
    return placeInCell(planeLon + 180, lod13Width);
}

std::int32_t PositionConversion::areaPointY(double planeLat) {
    return placeInCell(90 - planeLat, lod13Height);
}

PositionConversion::GroundTexts PositionConversion::groundTexts(std::int32_t raw) const {
    const double groundAlt = groundAltitude(raw);
    const Metres metres = splitMetres(groundAlt);
    return {numbers_.format(groundAlt), std::to_string(metres.whole) + ", ",
            std::to_string(metres.remainder)};
}

std::string PositionConversion::coordinateText(double degrees, bool asDegreesMinutes) const {
    return asDegreesMinutes ? Dd2DMm(degrees, numbers_)
                            : numbers_.pattern(degrees, "0.0000000000000");
}

std::string PositionConversion::rawGroundText(const Bytes4& ground) const {
    return "Raw: " + numbers_.format(unsigned32(ground) / 10000.0) +
           "  NegValue: " + numbers_.format(4294967296.0 / 10000.0);
}

}  // namespace tl
