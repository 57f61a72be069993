#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "simlink/fsuipc_request_area.h"
#include "simlink/fsuipc_simulator_memory.h"
#include "tools/fsuipc-sim/aircraft.h"
#include "tools/fsuipc-sim/sim_options.h"

namespace tl::sim {

// What the stand-in does with one message, whatever carries it: the aircraft shown in the memory,
// the records carried out, and the faults the options ask for.
class SimRequests {
public:
    SimRequests(const SimOptions& options, Aircraft& aircraft, SimulatorMemory& memory)
        : options_(options), aircraft_(aircraft), memory_(memory) {}

    // The reply that a fault imposes on a message, without carrying out its records.
    std::optional<std::uint32_t> imposedReply(bool faulted) const;
    // Carries out the records from `start` and returns the reply; a faulted message then has its
    // records corrupted as the options say.
    std::uint32_t carryOut(RequestArea& area, std::uint32_t start, bool faulted);

private:
    void corrupt(RequestArea& area, std::uint32_t start) const;

    const SimOptions& options_;
    Aircraft& aircraft_;
    SimulatorMemory& memory_;
    const std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
};

}  // namespace tl::sim
