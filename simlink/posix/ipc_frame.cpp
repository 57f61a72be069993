#include "simlink/posix/ipc_frame.h"

#include <algorithm>

#include "simlink/fsuipc_byte_order.h"

namespace tl {

namespace {
constexpr std::array<std::uint8_t, 4> requestMagic{'F', 'S', 'I', 'Q'};
constexpr std::array<std::uint8_t, 4> replyMagic{'F', 'S', 'I', 'R'};

bool hasMagic(const std::uint8_t* bytes, const std::array<std::uint8_t, 4>& magic) {
    return std::equal(magic.begin(), magic.end(), bytes);
}
}  // namespace

std::array<std::uint8_t, IpcFrame::requestSize> IpcFrame::encode(const Request& request) {
    std::array<std::uint8_t, requestSize> bytes{};
    std::copy(requestMagic.begin(), requestMagic.end(), bytes.begin());
    storeLittleEndian(&bytes[4], request.sequence);
    storeLittleEndian(&bytes[8], request.message);
    storeLittleEndian(&bytes[12], request.wParam);
    storeLittleEndian(&bytes[16], request.lParam);
    std::copy_n(request.atomName.begin(), std::min(request.atomName.size(), atomNameSize - 1),
                &bytes[20]);
    return bytes;
}

std::array<std::uint8_t, IpcFrame::replySize> IpcFrame::encode(const Reply& reply) {
    std::array<std::uint8_t, replySize> bytes{};
    std::copy(replyMagic.begin(), replyMagic.end(), bytes.begin());
    storeLittleEndian(&bytes[4], reply.sequence);
    storeLittleEndian(&bytes[8], reply.result);
    return bytes;
}

std::optional<IpcFrame::Request> IpcFrame::decodeRequest(
    std::span<const std::uint8_t, requestSize> frame) {
    const std::uint8_t* bytes = frame.data();
    const std::uint8_t* name = bytes + 20;
    const std::uint8_t* nul = std::find(name, name + atomNameSize, 0);
    if (!hasMagic(bytes, requestMagic) || nul == name + atomNameSize) {
        return std::nullopt;
    }
    Request request;
    request.sequence = loadLittleEndian<std::uint32_t>(bytes + 4);
    request.message = loadLittleEndian<std::uint32_t>(bytes + 8);
    request.wParam = loadLittleEndian<std::int32_t>(bytes + 12);
    request.lParam = loadLittleEndian<std::uint32_t>(bytes + 16);
    request.atomName.assign(name, nul);
    return request;
}

std::optional<IpcFrame::Reply> IpcFrame::decodeReply(
    std::span<const std::uint8_t, replySize> frame) {
    const std::uint8_t* bytes = frame.data();
    if (!hasMagic(bytes, replyMagic)) {
        return std::nullopt;
    }
    return Reply{loadLittleEndian<std::uint32_t>(bytes + 4),
                 loadLittleEndian<std::uint32_t>(bytes + 8)};
}

std::uint32_t IpcFrame::messageNumber(std::string_view name) {
    std::uint32_t hash = 2166136261u;
    for (const char c : name) {
        hash ^= static_cast<std::uint8_t>(c);
        hash *= 16777619u;
    }
    return 0xC000 + hash % 0x4000;
}

}  // namespace tl
