#pragma once

#include <string>

#include "common/number_text.h"

namespace tl {

// Decimal degrees as degrees and decimal minutes: 151.2 -> "151  12.000", -0.5 -> "-0  30.000".
std::string Dd2DMm(double dd, const NumberText& numbers);

}  // namespace tl
