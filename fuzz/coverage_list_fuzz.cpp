// Tilebound.dat as readHeaderData loads it, and the lookup over what it loaded.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "areas/coverage_list.h"
#include "common/number_text.h"
#include "fuzz/support/fuzz_check.h"

using tl::fuzz::check;

namespace {

// The first record that holds the point, by a plain scan.
std::size_t firstHolding(const tl::CoverageList& list, double lat, double lon) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto b = list.bounds(i);
        if (b.north >= lat && b.south <= lat && b.east >= lon && b.west <= lon) {
            return i;
        }
    }
    return tl::CoverageList::npos;
}

void loadUnder(std::string_view text, char mark) {
    tl::CoverageList list;
    const auto result = list.load(text, tl::NumberText(mark));

    check(list.size() <= tl::CoverageList::maxRecords, "at most 32767 records");
    check(result.failure.has_value() == (result.failedLine > 0), "a failure names its line");
    if (result.failure) {
        const auto number = result.failure->number();
        check(number == 6 || number == 13, "failure number 6 or 13");
    }

    std::vector<std::pair<double, double>> points{{0, 0}, {47.46, 8.55}, {-90, -180}, {90, 180}};
    for (std::size_t i = 0; i < list.size(); ++i) {
        check(list.fileName(i).size() <= 13, "names of at most 13 characters");
        const auto b = list.bounds(i);
        check(std::isfinite(b.north) && std::isfinite(b.south) && std::isfinite(b.east) &&
                  std::isfinite(b.west),
              "finite bounds");
        if (i < 64) {
            points.insert(points.end(), {{b.north, b.west},
                                         {b.south, b.east},
                                         {(b.north + b.south) / 2, (b.east + b.west) / 2}});
        }
    }
    for (const auto& [lat, lon] : points) {
        check(list.find(lat, lon) == firstHolding(list, lat, lon),
              "the lookup finds the first record holding the point");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tl::fuzz::underEachMark(tl::fuzz::textOf(data, size), loadUnder);
    return 0;
}
