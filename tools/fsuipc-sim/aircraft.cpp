#include "tools/fsuipc-sim/aircraft.h"

#include <cmath>
#include <utility>

namespace tl::sim {

namespace {
constexpr long double latitudeUnits = 10001750.0L * 65536.0L * 65536.0L / 90.0L;
constexpr long double longitudeUnits = 65536.0L * 65536.0L * 65536.0L * 65536.0L / 360.0L;
}  // namespace

Aircraft::Aircraft(std::optional<FlightRoute> route, double metresPerSecond, const Fix& place)
    : route_(std::move(route)),
      metresPerSecond_(metresPerSecond),
      latitude_(encodeLatitude(place.latitude)),
      longitude_(encodeLongitude(place.longitude)),
      ground_(encodeGround(place.groundMetres)) {}

Aircraft Aircraft::standing(const Fix& place) {
    return Aircraft(std::nullopt, 0, place);
}

Aircraft Aircraft::flying(FlightRoute route, double metresPerSecond) {
    const Fix start = route.fixes().front();
    return Aircraft(std::move(route), metresPerSecond, start);
}

std::int64_t Aircraft::encodeLatitude(double degrees) {
    return std::llround(static_cast<long double>(degrees) * latitudeUnits);
}

std::int64_t Aircraft::encodeLongitude(double degrees) {
    const double wrapped = degrees - 360.0 * std::floor((degrees + 180.0) / 360.0);
    return std::llround(static_cast<long double>(wrapped) * longitudeUnits);
}

std::int32_t Aircraft::encodeGround(double metres) {
    return static_cast<std::int32_t>(std::lround(metres * 256.0));
}

void Aircraft::publish(SimulatorMemory& memory, double seconds) {
    if (route_) {
        const Fix fix = route_->at(seconds * metresPerSecond_);
        latitude_ = encodeLatitude(fix.latitude);
        longitude_ = encodeLongitude(fix.longitude);
        ground_ = encodeGround(fix.groundMetres);
    }
    memory.write(SimulatorMemory::latitudeOffset, latitude_);
    memory.write(SimulatorMemory::longitudeOffset, longitude_);
    memory.write(SimulatorMemory::groundAltitudeOffset, ground_);
}

void Aircraft::takeWrites(const SimulatorMemory& memory) {
    const auto latitude = memory.read<std::int64_t>(SimulatorMemory::latitudeOffset);
    const auto longitude = memory.read<std::int64_t>(SimulatorMemory::longitudeOffset);
    if (latitude != latitude_ || longitude != longitude_) {
        route_.reset();
        latitude_ = latitude;
        longitude_ = longitude;
    }
}

}  // namespace tl::sim
