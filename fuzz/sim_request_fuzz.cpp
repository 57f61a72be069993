// The stand-in's side of an exchange: a request frame as it arrives on the connection, then the
// records it finds in the request area, carried out against the simulator memory, with or without
// the faults that corrupt them afterwards. Also the reply frame as the client's transport reads it.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "fuzz/support/fuzz_check.h"
#include "simlink/fsuipc_request_area.h"
#include "simlink/fsuipc_simulator_memory.h"
#include "simlink/posix/ipc_frame.h"
#include "tools/fsuipc-sim/aircraft.h"
#include "tools/fsuipc-sim/sim_options.h"
#include "tools/fsuipc-sim/sim_requests.h"

using tl::IpcFrame;
using tl::RequestArea;
using tl::SimulatorMemory;
using tl::fuzz::check;

namespace {

void checkReply(std::span<const std::uint8_t, IpcFrame::replySize> bytes) {
    const auto reply = IpcFrame::decodeReply(bytes);
    if (!reply) {
        return;
    }
    const auto frame = IpcFrame::encode(*reply);
    check(std::equal(frame.begin(), frame.begin() + 12, bytes.begin()),
          "a reply frame encodes back");
}

bool sameRequest(const IpcFrame::Request& a, const IpcFrame::Request& b) {
    return a.sequence == b.sequence && a.message == b.message && a.wParam == b.wParam &&
           a.lParam == b.lParam && a.atomName == b.atomName;
}

// A record number of a fault option; 0 stands for none.
std::optional<std::uint32_t> recordNumber(FuzzedDataProvider& input) {
    const auto number = input.ConsumeIntegral<std::uint8_t>();
    return number == 0 ? std::nullopt : std::optional<std::uint32_t>(number);
}

void carryOut(const IpcFrame::Request& request, FuzzedDataProvider& input) {
    tl::sim::SimOptions options;
    const bool faulted = input.ConsumeBool();
    options.corruptIdentifier = recordNumber(input);
    options.corruptCount = recordNumber(input);
    const auto image = input.ConsumeRemainingBytes<std::uint8_t>();
    if (request.lParam >= RequestArea::size) {
        return;
    }
    std::vector<std::uint8_t> bytes(RequestArea::size, 0);
    std::copy_n(image.begin(), std::min(image.size(), bytes.size()), bytes.begin());
    RequestArea area(bytes.data());
    SimulatorMemory memory;
    auto aircraft = tl::sim::Aircraft::standing(options.place);
    tl::sim::SimRequests requests(options, aircraft, memory);

    const std::uint32_t reply = requests.carryOut(area, request.lParam, faulted);
    check(reply == 0 || reply == 1, "the reply is 0 or 1");
    check(memory.read<std::uint16_t>(SimulatorMemory::checkPatternOffset) ==
              SimulatorMemory::checkPattern,
          "writes leave the check pattern");

    // A position a client wrote moves the aircraft there, where it then stands.
    const auto latitude = memory.read<std::int64_t>(SimulatorMemory::latitudeOffset);
    const auto longitude = memory.read<std::int64_t>(SimulatorMemory::longitudeOffset);
    std::vector<std::uint8_t> nothing(RequestArea::size, 0);
    RequestArea empty(nothing.data());
    check(requests.carryOut(empty, 0, false) == 1, "an empty request is carried out");
    check(memory.read<std::int64_t>(SimulatorMemory::latitudeOffset) == latitude &&
              memory.read<std::int64_t>(SimulatorMemory::longitudeOffset) == longitude,
          "the aircraft stands where the client put it");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= IpcFrame::replySize) {
        checkReply(std::span<const std::uint8_t, IpcFrame::replySize>(data, IpcFrame::replySize));
    }
    if (size < IpcFrame::requestSize) {
        return 0;
    }
    const auto request = IpcFrame::decodeRequest(
        std::span<const std::uint8_t, IpcFrame::requestSize>(data, IpcFrame::requestSize));
    if (!request) {
        return 0;
    }
    check(request->atomName.size() < IpcFrame::atomNameSize, "the name fits its field");
    const auto again = IpcFrame::decodeRequest(IpcFrame::encode(*request));
    check(again && sameRequest(*again, *request), "a request frame encodes back");
    FuzzedDataProvider rest(data + IpcFrame::requestSize, size - IpcFrame::requestSize);
    carryOut(*request, rest);
    return 0;
}
