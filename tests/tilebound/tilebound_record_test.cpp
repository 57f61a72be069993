#include "tilebound/tilebound_record.h"

#include <gtest/gtest.h>

#include "tests/tilebound/bgl_fixtures.h"

namespace tl {
namespace {

using Lines = std::vector<std::string>;

const SceneryBounds trees0{79.99999237060547f, -80.00000762939453f, 180.0f, -179.99972534179688f};
const std::string bounds =
    "79.9999923706055    -80.0000076293945   180.0               -179.999725341797";

TEST(TileboundRecord, BoundsAtColumns20To80) {
    const NumberText numbers;
    EXPECT_EQ(TileboundRecord::lines("trees_0.bgl", trees0, numbers), Lines{test::trees0Record});
    EXPECT_EQ(TileboundRecord::lines("", trees0, numbers), Lines{std::string(19, ' ') + bounds});
    EXPECT_EQ(TileboundRecord::lines("x", {0.0f, -0.25f, 47.1f, 8.0f}, numbers),
              Lines{"x                  .0                  -.25                "
                    "47.0999984741211    8.0"});
}

TEST(TileboundRecord, NamesOf20CharactersOrMorePutTheBoundsOnASecondLine) {
    const NumberText numbers;
    const std::string name19(19, 'a');
    const std::string name20(20, 'b');
    const std::string name45 = "C:\\Scenery\\Flatten areas\\very long name.bgl";
    EXPECT_EQ(TileboundRecord::lines(name19, trees0, numbers), Lines{name19 + bounds});
    EXPECT_EQ(TileboundRecord::lines(name20, trees0, numbers),
              (Lines{name20, std::string(19, ' ') + bounds}));
    EXPECT_EQ(TileboundRecord::lines(name45, trees0, numbers),
              (Lines{name45, std::string(19, ' ') + bounds}));
}

TEST(TileboundRecord, BoundsUseTheRegionalDecimalMark) {
    const Lines lines = TileboundRecord::lines(
        "trees_0.bgl", {45.0f, -0.25f, -122.07029724121094f, 0.0f}, NumberText(','));
    EXPECT_EQ(lines, Lines{"trees_0.bgl        45,0                -,25                "
                           "-122,070297241211   ,0"});
}

}  // namespace
}  // namespace tl
