#pragma once

#include <string_view>

#include "common/colour.h"

namespace tl {

// A colour number written as hexadecimal text, blue in the high byte and red in the low byte:
// "&HDEC4B0&" is red 176, green 196, blue 222. The closing "&" may be left out. Text that is not
// such a number, or a number above 24 bits, is a Failure numbered 13 (type mismatch).
Colour colourFromHexText(std::string_view text);

}  // namespace tl
