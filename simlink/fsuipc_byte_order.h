#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace tl {

// Little-endian integers in byte buffers, whatever the host's byte order.
template <std::integral T>
T loadLittleEndian(const std::uint8_t* bytes) {
    using U = std::make_unsigned_t<T>;
    U value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        value = static_cast<U>(value | static_cast<U>(static_cast<U>(bytes[i]) << (8 * i)));
    }
    return static_cast<T>(value);
}

template <std::integral T>
void storeLittleEndian(std::uint8_t* bytes, T value) {
    using U = std::make_unsigned_t<T>;
    const auto bits = static_cast<U>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

}  // namespace tl
