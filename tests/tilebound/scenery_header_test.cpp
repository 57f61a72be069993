#include "tilebound/scenery_header.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"
#include "tests/support/test_files.h"
#include "tests/tilebound/bgl_fixtures.h"

namespace tl {
namespace {

std::vector<std::uint8_t> header(std::int32_t north, std::int32_t south, std::int32_t east,
                                 std::int32_t west) {
    std::vector<std::uint8_t> bytes{0x01, 0x00};
    for (const std::int32_t v : {north, south, east, west}) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<std::uint8_t>(u >> shift));
        }
    }
    return bytes;
}

std::int32_t failureOf(std::span<const std::uint8_t> bytes) {
    return test::failureNumber([&] { SceneryHeader::parse(bytes); });
}

TEST(SceneryHeader, OldFormatBoundsOfARealFile) {
    const SceneryBounds b = SceneryHeader::parse(test::trees0Bgl);
    EXPECT_EQ(b.north, 79.99999237060547f);
    EXPECT_EQ(b.south, -80.00000762939453f);
    EXPECT_EQ(b.east, 180.0f);
    EXPECT_EQ(b.west, -179.99972534179688f);
    // Only the first 18 bytes count.
    const std::vector<std::uint8_t> first18(test::trees0Bgl.begin(), test::trees0Bgl.begin() + 18);
    EXPECT_EQ(SceneryHeader::parse(first18).west, b.west);
}

TEST(SceneryHeader, UnitsAreRoundedOnceToSinglePrecision) {
    struct Case {
        std::int32_t north, south, east, west;
        SceneryBounds expected;
    };
    const Case cases[] = {
        {5000875, -5000875, -1456355328, 0, {45.0f, -45.0f, -122.0702972412109375f, 0.0f}},
        {10001750, -10001750, 2147483647, -2147483647 - 1, {90.0f, -90.0f, 180.0f, -180.0f}},
        {0,
         1,
         1,
         -1,
         {0.0f, 8.998425073514227e-06f, 8.381903171539306640625e-8f, -8.381903171539306640625e-8f}},
    };
    for (const auto& c : cases) {
        const SceneryBounds b = SceneryHeader::parse(header(c.north, c.south, c.east, c.west));
        EXPECT_EQ(b.north, c.expected.north) << c.north;
        EXPECT_EQ(b.south, c.expected.south) << c.south;
        EXPECT_EQ(b.east, c.expected.east) << c.east;
        EXPECT_EQ(b.west, c.expected.west) << c.west;
    }
}

TEST(SceneryHeader, NewerFormatAndShortHeadersAreRefused) {
    EXPECT_EQ(failureOf(test::lkprBgl), 13);
    EXPECT_EQ(failureOf(test::lkkbBgl), 13);
    // The newer format's first 18 bytes alone are refused as well.
    EXPECT_EQ(failureOf(std::span(test::lkprBgl).first(18)), 13);
    EXPECT_EQ(failureOf(std::span(test::trees0Bgl).first(17)), 62);
    EXPECT_EQ(failureOf({}), 62);
    // An old header whose word and north bound happen to start like the newer format, but which
    // lacks the newer format's mark at offset 16, still gives bounds.
    std::vector<std::uint8_t> lookalike = test::lkprBgl;
    lookalike[16] = 0;
    EXPECT_EQ(failureOf(lookalike), 0);
}

TEST(SceneryHeader, ReadTakesTheFirstBytesOfTheFile) {
    test::TempFolder folder;
    test::writeBytes(folder / "trees_0.bgl", test::trees0Bgl);
    test::writeBytes(folder / "short.bgl", "0123456789");
    EXPECT_EQ(SceneryHeader::read(folder / "trees_0.bgl").north, 79.99999237060547f);
    const std::pair<std::filesystem::path, std::int32_t> failures[] = {
        {folder / "missing.bgl", 53},
        {folder.path(), 75},
        {folder / "short.bgl", 62},
    };
    for (const auto& [path, number] : failures) {
        EXPECT_EQ(test::failureNumber([&] { SceneryHeader::read(path); }), number) << path;
    }
}

}  // namespace
}  // namespace tl
