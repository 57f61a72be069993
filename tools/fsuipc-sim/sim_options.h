#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/fsuipc-sim/flight_route.h"

namespace tl::sim {

// The command line of fsuipc-sim.
struct SimOptions {
    enum class Flight { Stand, Demo, Route };

    std::string windowClass = "UIPCMAIN";
    std::uint32_t fsuipcVersion = 0x39990000;
    std::uint16_t simulatorVersion = 7;
    std::uint16_t checkPattern = 0xFADE;

    Flight flight = Flight::Stand;
    Fix place{47.4582, 8.5481, 432.0};
    std::string routeFile;
    double speedKnots = 120;

    // Faults, for tests of clients.
    std::optional<std::uint32_t> reply;
    std::uint32_t delayMs = 0;
    std::optional<std::uint32_t> dropAfter;
    std::optional<std::uint32_t> corruptIdentifier;
    std::optional<std::uint32_t> corruptCount;
    std::uint32_t faultFrom = 1;
    std::optional<std::uint32_t> faultCount;

    bool verbose = false;
    bool help = false;

    // Throws std::invalid_argument naming the option at fault.
    static SimOptions parse(const std::vector<std::string>& arguments);
    static std::string helpText();
    // Whether the faults apply to a connection's message `number` (counted from 1).
    bool faulted(std::uint32_t number) const;
};

}  // namespace tl::sim
