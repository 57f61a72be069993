#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tl {

// The frames of one exchange on a connection to a server window, little-endian: an 80-byte request
// ("FSIQ") and a 16-byte reply ("FSIR"); and the numbers of registered messages.
class IpcFrame {
public:
    static constexpr std::size_t requestSize = 80;
    static constexpr std::size_t replySize = 16;
    static constexpr std::size_t atomNameSize = 60;

    struct Request {
        std::uint32_t sequence = 0;
        std::uint32_t message = 0;
        std::int32_t wParam = 0;
        std::uint32_t lParam = 0;
        // At most 59 bytes travel, NUL-padded.
        std::string atomName;
    };

    struct Reply {
        std::uint32_t sequence = 0;
        std::uint32_t result = 0;
    };

    static std::array<std::uint8_t, requestSize> encode(const Request& request);
    static std::array<std::uint8_t, replySize> encode(const Reply& reply);
    // Nothing when the magic is wrong or the name is not NUL-terminated.
    static std::optional<Request> decodeRequest(std::span<const std::uint8_t, requestSize> bytes);
    // Nothing when the magic is wrong.
    static std::optional<Reply> decodeReply(std::span<const std::uint8_t, replySize> bytes);

    // 0xC000 + (FNV-1a 32-bit hash of the name's bytes mod 0x4000), the same in every process.
    static std::uint32_t messageNumber(std::string_view name);
};

}  // namespace tl
