#include "common/integer_conversion.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <optional>

#include "tests/support/test_files.h"

namespace tl {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

struct Conversion {
    const char* name;
    std::function<std::int32_t(double)> convert;
    double value;
    std::optional<std::int32_t> expected;  // empty: an overflow
};

TEST(IntegerConversion, RoundsAndChecksTheRange) {
    const auto i16 = [](double v) { return std::int32_t{toInt16(v)}; };
    const auto i32 = [](double v) { return toInt32(v); };
    const auto floor16 = [](double v) { return std::int32_t{floorToInt16(v)}; };
    const auto trunc16 = [](double v) { return std::int32_t{truncToInt16(v)}; };
    const Conversion cases[] = {
        // Halves go to the even neighbour.
        {"toInt16", i16, 0.5, 0},
        {"toInt16", i16, 1.5, 2},
        {"toInt16", i16, 2.5, 2},
        {"toInt16", i16, -0.5, 0},
        {"toInt16", i16, -1.5, -2},
        {"toInt16", i16, -2.5, -2},
        {"toInt16", i16, 2.5000000000000004, 3},
        {"toInt16", i16, 127.99, 128},
        {"toInt16", i16, 32767.4, 32767},
        {"toInt16", i16, 32767.5, std::nullopt},
        {"toInt16", i16, -32768.5, -32768},
        {"toInt16", i16, -32768.6, std::nullopt},
        {"toInt16", i16, 1e300, std::nullopt},
        {"toInt16", i16, nan, std::nullopt},
        {"toInt16", i16, -inf, std::nullopt},
        {"toInt32", i32, 3.5, 4},
        {"toInt32", i32, 2147483647.4, 2147483647},
        {"toInt32", i32, 2147483647.5, std::nullopt},
        {"toInt32", i32, -2147483648.5, -2147483648},
        {"toInt32", i32, -2147483649.0, std::nullopt},
        {"toInt32", i32, inf, std::nullopt},
        {"floorToInt16", floor16, -0.5, -1},
        {"floorToInt16", floor16, 32767.9, 32767},
        {"floorToInt16", floor16, -32767.1, -32768},
        {"floorToInt16", floor16, -32768.1, std::nullopt},
        {"floorToInt16", floor16, nan, std::nullopt},
        {"truncToInt16", trunc16, -0.9, 0},
        {"truncToInt16", trunc16, -32768.9, -32768},
        {"truncToInt16", trunc16, 32767.9, 32767},
        {"truncToInt16", trunc16, 32768, std::nullopt},
        {"truncToInt16", trunc16, inf, std::nullopt},
    };
    for (const auto& c : cases) {
        if (c.expected) {
            EXPECT_EQ(c.convert(c.value), *c.expected) << c.name << "(" << c.value << ")";
        } else {
            EXPECT_EQ(test::failureNumber([&] { c.convert(c.value); }), 6)
                << c.name << "(" << c.value << ")";
        }
    }
}

}  // namespace
}  // namespace tl
