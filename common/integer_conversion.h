#pragma once

#include <cstdint>

namespace tl {

// Rounds to the nearest integer, halves to the even one, and checks the range: a value that does
// not fit is a Failure numbered 6 (overflow).
std::int16_t toInt16(double value);
std::int32_t toInt32(double value);

// Floor and truncation into 16 bits, with the same overflow failure.
std::int16_t floorToInt16(double value);
std::int16_t truncToInt16(double value);

}  // namespace tl
