#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/number_text.h"
#include "tilebound/scenery_header.h"

namespace tl {

// One record of Tilebound.dat: the name from column 1 and the north, south, east and west bounds
// from columns 20, 40, 60 and 80, each with the pattern "###.0#############". A part whose column
// the line has already reached starts a new line at that column, so a name of 20 characters or
// more puts the bounds on a second line.
class TileboundRecord {
public:
    static constexpr const char* boundPattern = "###.0#############";

    // The record's lines, without line ends.
    static std::vector<std::string> lines(std::string_view name, const SceneryBounds& bounds,
                                          const NumberText& numbers);
};

}  // namespace tl
