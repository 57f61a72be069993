#include "fuzz/support/record_read_back.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "areas/coverage_list.h"
#include "fuzz/support/fuzz_check.h"

namespace tl::fuzz {

namespace {

// The record keeps at most 14 decimals and 15 significant digits.
bool keptDigits(double read, float written) {
    const double value = written;
    return std::fabs(read - value) <= 1e-14 * std::max(1.0, std::fabs(value));
}

}  // namespace

void checkReadsBack(std::string_view listText, std::string_view name, const SceneryBounds& bounds,
                    const NumberText& numbers) {
    CoverageList list;
    const auto result = list.load(listText, numbers);
    check(!result.failure, "Terralevel reads the record Tilebound wrote");
    check(list.size() == 1, "one record per run");
    // A name shorter than 13 characters comes back padded with the spaces before the bounds.
    std::string shown(name.substr(0, 13));
    shown.resize(13, ' ');
    check(list.fileName(0) == shown, "the record keeps the name");
    const auto read = list.bounds(0);
    check(keptDigits(read.north, bounds.north) && keptDigits(read.south, bounds.south) &&
              keptDigits(read.east, bounds.east) && keptDigits(read.west, bounds.west),
          "the record keeps the bounds");
}

}  // namespace tl::fuzz
