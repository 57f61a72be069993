#include "map/lod_cell.h"

#include <gtest/gtest.h>

#include "common/failure.h"

namespace tl {
namespace {

TEST(LodCellTest, CellSizesHalveWithEveryLevel) {
    struct Case {
        int lod;
        double rowHeight;
        double columnWidth;
    };
    const Case cases[] = {
        {5, 2.8125, 3.75},
        {8, 0.3515625, 0.46875},
        {13, 0.010986328125, 0.0146484375},
        {15, 0.00274658203125, 0.003662109375},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lod);
        EXPECT_EQ(LodCell::rowHeight(c.lod), c.rowHeight);
        EXPECT_EQ(LodCell::columnWidth(c.lod), c.columnWidth);
    }
}

TEST(LodCellTest, CellsUnderPoints) {
    struct Case {
        const char* what;
        double lat;
        double lon;
        int row8, column8, row13, column13;
    };
    const Case cases[] = {
        {"Sydney", -33.9, 151.2, 352, 706, 13, 17},
        {"north-west corner of the world", 90.0, -180.0, 0, 0, 0, 0},
        {"on a row boundary", 88.9453125, -180.0, 3, 0, 0, 0},
        {"just north of that boundary", 88.9453125 + 1e-9, -180.0, 2, 0, 31, 0},
        {"last LOD 13 row of an LOD 8 cell", 88.604736328125, -180.0, 3, 0, 31, 0},
        {"on a column boundary", 0.0, -178.9892578125, 256, 2, 0, 5},
        {"just west of that boundary", 0.0, -178.9892578125 - 1e-9, 256, 2, 0, 4},
        {"inside a cell near Zurich", 47.4993896484375, 8.50341796875, 120, 402, 28, 4},
        {"south-east corner of the world", -90.0, 180.0, 512, 768, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LodCell cell = LodCell::at(c.lat, c.lon);
        EXPECT_EQ(cell.row8, c.row8);
        EXPECT_EQ(cell.column8, c.column8);
        EXPECT_EQ(cell.row13, c.row13);
        EXPECT_EQ(cell.column13, c.column13);
    }
}

TEST(LodCellTest, CellNumberBeyond16BitsIsAnOverflow) {
    const struct {
        double lat;
        double lon;
    } cases[] = {{-11600.0, 0.0}, {0.0, 15400.0}, {12000.0, 0.0}, {0.0, -15600.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lat << " " << c.lon);
        try {
            LodCell::at(c.lat, c.lon);
            ADD_FAILURE() << "no failure";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.number(), 6);
        }
    }
}

}  // namespace
}  // namespace tl
