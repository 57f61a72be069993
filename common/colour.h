#pragma once

#include <cstdint>

namespace tl {

// Colour numbers: red in the low byte, green in the middle, blue in the high byte.
using Colour = std::uint32_t;

constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return Colour{red} | (Colour{green} << 8) | (Colour{blue} << 16);
}

}  // namespace tl
