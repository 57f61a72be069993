// The stand-in's route file, and the places the aircraft flies through on it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

#include "fuzz/support/fuzz_check.h"
#include "simlink/position_conversion.h"
#include "tools/fsuipc-sim/aircraft.h"
#include "tools/fsuipc-sim/flight_route.h"

using tl::fuzz::check;

namespace {

bool onEarth(const tl::sim::Fix& fix) {
    return std::fabs(fix.latitude) <= 90 && std::fabs(fix.longitude) <= 180 &&
           std::fabs(fix.groundMetres) < 8000000;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    std::optional<tl::sim::FlightRoute> route;
    try {
        route = tl::sim::FlightRoute::parse(text);
    } catch (const std::runtime_error&) {
        return 0;
    }
    check(!route->fixes().empty(), "a route has a fix");
    for (const auto& fix : route->fixes()) {
        check(onEarth(fix), "fixes on the earth");
    }
    const double length = route->length();
    check(std::isfinite(length) && length >= 0, "a finite length");
    for (const double metres : {0.0, length / 3, length, length * 2.5, 1e12, 1e300}) {
        const auto fix = route->at(metres);
        check(onEarth(fix), "the aircraft stays on the earth");
        // The client reads back every place along the route from the simulator's encodings.
        using tl::PositionConversion;
        using tl::sim::Aircraft;
        const double lat = PositionConversion::latitude(Aircraft::encodeLatitude(fix.latitude));
        const double lon = PositionConversion::longitude(Aircraft::encodeLongitude(fix.longitude));
        const double ground =
            PositionConversion::groundAltitude(Aircraft::encodeGround(fix.groundMetres));
        check(std::fabs(lat - fix.latitude) < 1e-9, "the latitude reads back");
        check(std::fabs(std::remainder(lon - fix.longitude, 360.0)) < 1e-9,
              "the longitude reads back");
        check(std::fabs(ground - fix.groundMetres) <= 1 / 512.0, "the ground reads back");
    }
    return 0;
}
