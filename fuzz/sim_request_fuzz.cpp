// The stand-in's side of an exchange: a request frame as it arrives on the connection, then the
// records it finds in the request area, carried out against the simulator memory. Also the reply
// frame as the client's transport reads it.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz/support/fuzz_check.h"
#include "simlink/fsuipc_record_executor.h"
#include "simlink/fsuipc_request_area.h"
#include "simlink/fsuipc_simulator_memory.h"
#include "simlink/posix/ipc_frame.h"
#include "tools/fsuipc-sim/aircraft.h"

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

void carryOut(const IpcFrame::Request& request, const std::uint8_t* image, std::size_t size) {
    if (request.lParam >= RequestArea::size) {
        return;
    }
    std::vector<std::uint8_t> bytes(RequestArea::size, 0);
    std::copy_n(image, std::min<std::size_t>(size, bytes.size()), bytes.begin());
    RequestArea area(bytes.data());
    SimulatorMemory memory;
    auto aircraft = tl::sim::Aircraft::standing({47.4582, 8.5481, 432.0});
    aircraft.publish(memory, 1.0);

    const std::uint32_t reply = tl::carryOutRecords(area, request.lParam, memory);
    check(reply == 0 || reply == 1, "the reply is 0 or 1");
    check(memory.read<std::uint16_t>(SimulatorMemory::checkPatternOffset) ==
              SimulatorMemory::checkPattern,
          "writes leave the check pattern");

    // A position a client wrote moves the aircraft there, where it then stands.
    const auto latitude = memory.read<std::int64_t>(SimulatorMemory::latitudeOffset);
    const auto longitude = memory.read<std::int64_t>(SimulatorMemory::longitudeOffset);
    aircraft.takeWrites(memory);
    aircraft.publish(memory, 2.0);
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
    carryOut(*request, data + IpcFrame::requestSize, size - IpcFrame::requestSize);
    return 0;
}
