#include "common/integer_conversion.h"

#include <cmath>
#include <limits>

#include "common/failure.h"

namespace tl {
namespace {

// Nearest integer, an exact half going to the even neighbour, independent of the FPU's mode.
double roundHalfEven(double value) {
    const double below = std::floor(value);
    const double rest = value - below;  // exact for every finite double
    if (rest > 0.5 || (rest == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        return below + 1.0;
    }
    return below;
}

// A whole number (or NaN/infinity) narrowed to T; anything outside T's range is an overflow.
template <typename T>
T checked(double whole) {
    if (!(whole >= static_cast<double>(std::numeric_limits<T>::min()) &&
          whole <= static_cast<double>(std::numeric_limits<T>::max()))) {
        throw Failure(FailureCode::Overflow);
    }
    return static_cast<T>(whole);
}

}  // namespace

std::int16_t toInt16(double value) {
    return checked<std::int16_t>(roundHalfEven(value));
}

std::int32_t toInt32(double value) {
    return checked<std::int32_t>(roundHalfEven(value));
}

std::int16_t floorToInt16(double value) {
    return checked<std::int16_t>(std::floor(value));
}

std::int16_t truncToInt16(double value) {
    return checked<std::int16_t>(std::trunc(value));
}

}  // namespace tl
