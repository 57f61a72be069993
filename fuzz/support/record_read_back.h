#pragma once

#include <string_view>

#include "common/number_text.h"
#include "tilebound/scenery_header.h"

namespace tl::fuzz {

// Checks that Terralevel's reading of a Tilebound.dat text finds exactly the one record Tilebound
// wrote: the name's first 13 characters and the bounds, to the digits the record keeps.
void checkReadsBack(std::string_view listText, std::string_view name, const SceneryBounds& bounds,
                    const NumberText& numbers);

}  // namespace tl::fuzz
