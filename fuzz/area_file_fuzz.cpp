// The area file flatten.txt as readData loads it, under both decimal marks.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "areas/area_file.h"
#include "areas/area_table.h"
#include "common/number_text.h"
#include "fuzz/support/fuzz_check.h"

using tl::fuzz::check;

namespace {

struct NameLines {
    std::int32_t count = 0;
    std::string lastName;
};

// The lines starting with "#" among the first `lines` lines of the text.
NameLines nameLinesBefore(std::string_view text, std::size_t lines) {
    NameLines found;
    std::size_t start = 0;
    for (std::size_t line = 1; line <= lines && start < text.size(); ++line) {
        std::size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end;
        if (text[start] == '#') {
            ++found.count;
            std::string_view name = text.substr(start + 1, end - start - 1);
            if (!name.empty() && name.back() == '\r' && end < text.size()) {
                name.remove_suffix(1);
            }
            found.lastName = name;
        }
        start = end + 1;
    }
    return found;
}

void loadUnder(std::string_view text, tl::AreaTable& table, char mark) {
    // As after New File: the table stays, its counts start at zero.
    table.areaCount = 0;
    table.vertexCount = 0;
    const auto result = tl::AreaFile::load(text, tl::NumberText(mark), table);

    check(table.areaCount >= 0 && table.areaCount <= tl::AreaTable::maxAreas,
          "area count in range");
    check(table.vertexCount >= 0 && table.vertexCount <= tl::AreaTable::maxVertices,
          "vertex count in range");
    check(table.areaCount > 0 ? table.vertexCount == table.areaVertexCount(table.areaCount)
                              : table.vertexCount == 0,
          "the vertex count is the current area's");
    check(result.failure.has_value() == (result.failedLine > 0), "a failure names its line");
    if (result.failure) {
        const auto number = result.failure->number();
        check(number == 6 || number == 9 || number == 13, "failure number 6, 9 or 13");
    }

    // Every name line before the one that stopped the load started an area.
    const NameLines names =
        nameLinesBefore(text, result.failure ? result.failedLine - 1 : std::string_view::npos);
    check(table.areaCount == names.count, "one area per name line read");
    check(names.count == 0 || result.areaName == names.lastName, "the last name line's name");

    for (std::int32_t area = 1; area <= table.areaCount; ++area) {
        const std::int16_t vertices = table.areaVertexCount(area);
        check(vertices >= 0 && vertices <= tl::AreaTable::maxVertices, "area's vertices in range");
        for (std::int32_t vertex = 1; vertex <= vertices; ++vertex) {
            const auto& point = table.areaPoints(area, vertex);
            check(std::isfinite(point.lat) && std::isfinite(point.lon), "vertices are finite");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static tl::AreaTable table;
    tl::fuzz::underEachMark(tl::fuzz::textOf(data, size),
                            [](std::string_view text, char mark) { loadUnder(text, table, mark); });
    return 0;
}
