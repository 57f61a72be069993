#include "common/degrees_minutes.h"

#include <cmath>

#include "common/integer_conversion.h"

namespace tl {

std::string Dd2DMm(double dd, const NumberText& numbers) {
    const double a = std::fabs(dd);
    const std::int16_t degrees = truncToInt16(a);
    // Minutes go through single precision and back through their text, so that 59.99994 shows as
    // 60.000 beside unchanged degrees: no carry into the degrees.
    const std::string minutesText =
        a == degrees ? "0" : numbers.format(static_cast<float>((a - degrees) * 60.0));
    const double minutes = numbers.parse(minutesText);
    std::string text = dd < 0 ? "-" : "";
    text += std::to_string(degrees);
    text += minutes < 10 ? "    " : "  ";
    text += numbers.pattern(minutes, "0.000");
    return text;
}

}  // namespace tl
