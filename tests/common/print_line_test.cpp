#include "common/print_line.h"

#include <gtest/gtest.h>

#include "common/number_text.h"

namespace tl {
namespace {

// A vertex line of a flatten source: latitude, longitude item and ";k" in print zones.
std::string vertexLine(const NumberText& numbers, double lat, double lon, int k) {
    PrintLine line;
    line.print("    " + numbers.format(lat));
    line.nextZone();
    line.print(numbers.item(lon));
    line.nextZone();
    line.print(";" + std::to_string(k));
    return line.text();
}

TEST(PrintLine, VertexLinesInPrintZones) {
    const NumberText point('.');
    EXPECT_EQ(vertexLine(point, 47.25, 8.5, 1), "    47.25      8.5          ;1");
    EXPECT_EQ(vertexLine(point, 51.5, -0.125, 2), "    51.5      -0.125        ;2");
    EXPECT_EQ(vertexLine(point, 0, 0, 3), "    0          0            ;3");
    EXPECT_EQ(vertexLine(NumberText(','), 47.25, 8.5, 1), "    47,25      8,5          ;1");
    // A first item of 15 to 28 characters moves the longitude to column 29.
    EXPECT_EQ(vertexLine(point, 47.1234567890123, 8.5, 4),
              "    47.1234567890123         8.5          ;4");
}

TEST(PrintLine, ATextEndingAtAZoneEndGoesOneZoneFurther) {
    struct Case {
        std::size_t length;
        std::size_t nextColumn;  // 1-based column where the next item starts
    };
    const Case cases[] = {{0, 15}, {1, 15}, {13, 15}, {14, 29}, {15, 29}, {27, 29}, {28, 43}};
    for (const auto& c : cases) {
        PrintLine line;
        line.print(std::string(c.length, 'x'));
        line.nextZone();
        EXPECT_EQ(line.text().size() + 1, c.nextColumn) << "after " << c.length << " characters";
        EXPECT_EQ(line.text().substr(c.length), std::string(c.nextColumn - 1 - c.length, ' '));
    }
}

}  // namespace
}  // namespace tl
