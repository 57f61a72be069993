#include "tools/fsuipc-sim/sim_requests.h"

#include <vector>

#include "simlink/fsuipc_record_executor.h"

namespace tl::sim {

namespace {
constexpr std::uint32_t unknownIdentifier = 0xEEEE;
constexpr std::uint32_t countPastTheEnd = 0x7FFFFFF0;
}  // namespace

std::optional<std::uint32_t> SimRequests::imposedReply(bool faulted) const {
    return faulted ? options_.reply : std::nullopt;
}

std::uint32_t SimRequests::carryOut(RequestArea& area, std::uint32_t start, bool faulted) {
    const std::chrono::duration<double> running = std::chrono::steady_clock::now() - started_;
    aircraft_.publish(memory_, running.count());
    const std::uint32_t result = carryOutRecords(area, start, memory_);
    aircraft_.takeWrites(memory_);
    if (faulted) {
        corrupt(area, start);
    }
    return result;
}

void SimRequests::corrupt(RequestArea& area, std::uint32_t start) const {
    std::vector<std::uint32_t> positions;
    area.scan(start, [&positions](const RequestArea::Record& record) {
        positions.push_back(record.position);
    });
    const auto at = [&positions](const std::optional<std::uint32_t>& record) {
        return record && *record >= 1 && *record <= positions.size();
    };
    if (at(options_.corruptIdentifier)) {
        area.setIdentifier(positions[*options_.corruptIdentifier - 1], unknownIdentifier);
    }
    if (at(options_.corruptCount)) {
        area.setCount(positions[*options_.corruptCount - 1], countPastTheEnd);
    }
}

}  // namespace tl::sim
