#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tl::durability {

// What the drill tells after each Add Vertex has returned: the number of the vertex and the size
// of flatten.txt at that moment, as one line "N SIZE" written in one piece.
struct DrillReport {
    std::int64_t vertex = 0;
    std::uint64_t fileSize = 0;

    std::string line() const;

    // Every complete report line of a drill's output, in order; a last line without its line end
    // is left out. Throws std::runtime_error naming a line that is not a report.
    static std::vector<DrillReport> all(std::string_view output);
};

}  // namespace tl::durability
