#pragma once

#include <cstdint>
#include <optional>

#include "simlink/fsuipc_simulator_memory.h"
#include "tools/fsuipc-sim/flight_route.h"

namespace tl::sim {

// The simulated aircraft: it stands still or flies a route at a steady speed, and shows its
// position and the ground under it in the simulator memory, in FSUIPC's encodings.
class Aircraft {
public:
    static Aircraft standing(const Fix& place);
    static Aircraft flying(FlightRoute route, double metresPerSecond);

    // Writes the position at `seconds` after the start into the memory.
    void publish(SimulatorMemory& memory, double seconds);
    // After an exchange: a position that a client wrote moves the aircraft there, where it then
    // stands.
    void takeWrites(const SimulatorMemory& memory);

    // Latitude x 10001750 x 2^32 / 90, longitude x 2^64 / 360 (taken into -180 to 180 first),
    // metres x 256; each rounded to the nearest integer.
    static std::int64_t encodeLatitude(double degrees);
    static std::int64_t encodeLongitude(double degrees);
    static std::int32_t encodeGround(double metres);

private:
    Aircraft(std::optional<FlightRoute> route, double metresPerSecond, const Fix& place);

    std::optional<FlightRoute> route_;
    double metresPerSecond_;
    // The raw values last shown (and, standing, the ones to show).
    std::int64_t latitude_;
    std::int64_t longitude_;
    std::int32_t ground_;
};

}  // namespace tl::sim
