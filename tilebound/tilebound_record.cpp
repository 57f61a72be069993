#include "tilebound/tilebound_record.h"

#include <array>

namespace tl {

std::vector<std::string> TileboundRecord::lines(std::string_view name, const SceneryBounds& bounds,
                                                const NumberText& numbers) {
    struct Part {
        std::size_t column;
        float value;
    };
    const std::array<Part, 4> parts{
        {{20, bounds.north}, {40, bounds.south}, {60, bounds.east}, {80, bounds.west}}};
    std::vector<std::string> lines{std::string(name)};
    for (const auto& part : parts) {
        if (lines.back().size() >= part.column) {
            lines.emplace_back();
        }
        lines.back().resize(part.column - 1, ' ');
        lines.back() += numbers.pattern(static_cast<double>(part.value), boundPattern);
    }
    return lines;
}

}  // namespace tl
