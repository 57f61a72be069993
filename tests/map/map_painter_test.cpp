#include "map/map_painter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/failure.h"
#include "tests/support/fake_event_pump.h"
#include "tests/support/fake_window.h"
#include "tests/support/recording_surface.h"

namespace tl {
namespace {

using test::RecordingSurface;
using Kind = RecordingSurface::Kind;
using Call = RecordingSurface::Call;

constexpr Colour gridColour = rgb(176, 196, 222);
constexpr Colour black = rgb(0, 0, 0);
constexpr Colour blue = rgb(0, 0, 255);
constexpr Colour magenta = rgb(255, 0, 255);

struct LatLon {
    double lat;
    double lon;
};

class MapPainterTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.setChecked("mnuGrid", true);
        window.setChecked("mnuAllAreas", true);
        window.setChecked("mnuPlotPath", true);
        setView(47.46, 8.55, 0.25f);
    }

    // The view as the map scale sets it around a centre.
    void setView(double lat, double lon, float size) {
        surface.setScale(
            {static_cast<float>(lon - size / 2), static_cast<float>(lat + size / 2), size, -size});
    }

    // Appends an area, which becomes the current one.
    void addArea(const std::vector<LatLon>& vertices) {
        ++areas.areaCount;
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            areas.setAreaPoint(areas.areaCount, static_cast<int>(i) + 1, vertices[i].lat,
                               vertices[i].lon);
        }
        areas.vertexCount = static_cast<int>(vertices.size());
        areas.setAreaVertexCount(areas.areaCount, static_cast<std::int16_t>(vertices.size()));
    }

    std::vector<Call> linesIn(Colour colour) const {
        std::vector<Call> lines;
        for (const Call& c : surface.calls) {
            if (c.kind == Kind::Line && c.colour == colour) {
                lines.push_back(c);
            }
        }
        return lines;
    }

    std::pair<std::vector<Call>, std::vector<Call>> gridLines() const {
        std::pair<std::vector<Call>, std::vector<Call>> split;
        for (const Call& c : linesIn(gridColour)) {
            (c.x1 == c.x2 ? split.first : split.second).push_back(c);
        }
        return split;
    }

    // The one report expected, by its label and failure number.
    void expectReport(const std::string& label, int number) const {
        const std::string head = ErrorReporter::message(label, Failure(number, ""));
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(window.messages[0].substr(0, head.size()), head);
    }

    RecordingSurface surface;
    AreaTable areas;
    PathRecord path;
    GridSettings grid;
    bool fsConnected = true;
    test::FakeWindow window;
    test::FakeEventPump pump;
    ErrorReporter errors{window};
    NumberText numbers;
    MapPainter painter{surface, areas, path, grid, fsConnected, window, pump, errors, numbers};
};

TEST_F(MapPainterTest, GridLineCountsOfTheStartViewByLevel) {
    const struct {
        std::int16_t lod;
        std::size_t vertical;
        std::size_t horizontal;
    } cases[] = {{5, 1, 2}, {8, 1, 2}, {13, 18, 24}, {15, 69, 93}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lod);
        grid.gridLod = c.lod;
        painter.redrawMap();
        const auto [vertical, horizontal] = gridLines();
        EXPECT_EQ(vertical.size(), c.vertical);
        EXPECT_EQ(horizontal.size(), c.horizontal);
    }
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(MapPainterTest, GridLinesLieOnCellBoundariesAcrossTheView) {
    painter.redrawMap();
    const auto [vertical, horizontal] = gridLines();
    ASSERT_EQ(vertical.size(), 18u);
    ASSERT_EQ(horizontal.size(), 24u);
    const SurfaceScale s = surface.scale();
    const double column = 0.0146484375;
    const double row = 0.010986328125;
    // The first line is the first boundary inside the view, the others follow a cell apart.
    EXPECT_GE(vertical[0].x1, s.left);
    EXPECT_LT(vertical[0].x1, s.left + column);
    EXPECT_LE(horizontal[0].y1, s.top);
    EXPECT_GT(horizontal[0].y1, s.top - row);
    for (std::size_t i = 0; i < vertical.size(); ++i) {
        EXPECT_FLOAT_EQ(vertical[i].x1, static_cast<float>(vertical[0].x1 + i * column));
        EXPECT_EQ(vertical[i].y1, s.top);
        EXPECT_EQ(vertical[i].y2, s.top + s.height);
        EXPECT_EQ(vertical[i].width, 1);
    }
    for (std::size_t j = 0; j < horizontal.size(); ++j) {
        EXPECT_FLOAT_EQ(horizontal[j].y1, static_cast<float>(horizontal[0].y1 - j * row));
        EXPECT_EQ(horizontal[j].x1, s.left);
        EXPECT_EQ(horizontal[j].x2, s.left + s.width);
    }
}

TEST_F(MapPainterTest, ViewEdgeOnACellBoundaryCarriesTheFirstLine) {
    // 583 columns and 4320 rows of LOD 13 from the origin; both exact in single precision.
    surface.setScale({8.5400390625f, 47.4609375f, 0.25f, -0.25f});
    painter.redrawMap();
    const auto [vertical, horizontal] = gridLines();
    ASSERT_FALSE(vertical.empty());
    ASSERT_FALSE(horizontal.empty());
    EXPECT_EQ(vertical[0].x1, 8.5400390625f);
    EXPECT_EQ(horizontal[0].y1, 47.4609375f);
}

TEST_F(MapPainterTest, NoGridWithoutLinkMarkOrValidLevel) {
    const struct {
        const char* what;
        bool connected;
        bool marked;
        std::int16_t lod;
    } cases[] = {
        {"link closed", false, true, 13}, {"Show Grid unmarked", true, false, 13},
        {"level 4", true, true, 4},       {"level 16", true, true, 16},
        {"level 0", true, true, 0},       {"level -3", true, true, -3},
        {"level 100", true, true, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fsConnected = c.connected;
        window.setChecked("mnuGrid", c.marked);
        grid.gridLod = c.lod;
        painter.redrawMap();
        EXPECT_EQ(surface.count(Kind::Line), 0);
        EXPECT_EQ(surface.clears, 1);
        surface.clears = 0;
    }
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(MapPainterTest, TooManyVerticalLinesDropTheWholeGrid) {
    grid.gridLod = 15;
    addArea({{47.4, 8.5}});
    surface.setScale({-100.0f, 47.0f, 200.0f, -0.25f});
    painter.redrawMap();
    expectReport("drawGrid", 6);
    EXPECT_EQ(surface.count(Kind::Line, gridColour), 0);
    // The rest of the redraw goes on.
    EXPECT_EQ(surface.count(Kind::Point, blue), 1);
}

TEST_F(MapPainterTest, TooManyHorizontalLinesKeepTheVerticalOnes) {
    grid.gridLod = 15;
    const struct {
        float height;
        bool overflows;
    } cases[] = {{-100.0f, true}, {-90.0f, true}, {-89.99f, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.height);
        window.messages.clear();
        surface.setScale({8.425f, 47.0f, 0.25f, c.height});
        painter.redrawMap();
        const auto [vertical, horizontal] = gridLines();
        EXPECT_EQ(vertical.size(), 69u);
        if (c.overflows) {
            expectReport("drawGrid", 6);
            EXPECT_TRUE(horizontal.empty());
        } else {
            EXPECT_TRUE(window.messages.empty());
            EXPECT_EQ(horizontal.size(), 32766u);
        }
    }
}

TEST_F(MapPainterTest, RecordedAreasOutlinedAndNumberedCurrentOneOnlyDotted) {
    window.setChecked("mnuAreaNumbers", true);
    addArea({{47.40, 8.50}, {47.41, 8.50}, {47.41, 8.52}});
    addArea({{47.45, 8.55}, {47.46, 8.56}});
    addArea({{47.50, 8.60}, {47.51, 8.61}, {47.52, 8.60}, {47.50, 8.59}});
    painter.redrawMap();

    EXPECT_EQ(surface.clears, 1);
    EXPECT_EQ(linesIn(black).size(), 5u);  // three edges and two, each outline closed
    EXPECT_EQ(surface.count(Kind::Point, black), 3 + 2 + 2);
    EXPECT_TRUE(linesIn(blue).empty());
    EXPECT_EQ(surface.count(Kind::Point, blue), 4);

    std::vector<Call> texts;
    for (const Call& c : surface.calls) {
        if (c.kind == Kind::Text) {
            texts.push_back(c);
        }
    }
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, " 1");
    EXPECT_EQ(texts[0].x1, 8.50f);
    EXPECT_EQ(texts[0].y1, 47.40f);
    EXPECT_EQ(texts[0].colour, black);
    EXPECT_EQ(texts[1].text, " 2");
    EXPECT_EQ(texts[1].x1, 8.55f);
    EXPECT_EQ(texts[1].y1, 47.45f);

    // The current area's dots come last, 3 pixels wide, and leave the pen so.
    for (std::size_t i = surface.calls.size() - 4; i < surface.calls.size(); ++i) {
        EXPECT_EQ(surface.calls[i].kind, Kind::Point);
        EXPECT_EQ(surface.calls[i].colour, blue);
        EXPECT_EQ(surface.calls[i].width, 3);
    }
    EXPECT_EQ(surface.penColour, blue);
    EXPECT_EQ(surface.penWidth, 3);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(MapPainterTest, MarksDecideWhatIsDrawn) {
    addArea({{47.40, 8.50}, {47.41, 8.50}});
    addArea({{47.45, 8.55}});
    path.pathCount = 3;
    for (int k = 1; k <= 3; ++k) {
        path.store(k, 47.0 + k / 100.0, 8.5);
    }
    const struct {
        const char* mark;
        Colour colour;
        Kind kind;
        int whenMarked;
    } cases[] = {
        {"mnuAllAreas", black, Kind::Line, 2},
        {"mnuPlotPath", magenta, Kind::Point, 3},
        {"mnuAreaNumbers", black, Kind::Text, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mark);
        const bool before = window.isChecked(c.mark);
        window.setChecked(c.mark, true);
        painter.redrawMap();
        EXPECT_EQ(surface.count(c.kind, c.colour), c.whenMarked);
        window.setChecked(c.mark, false);
        painter.redrawMap();
        EXPECT_EQ(surface.count(c.kind, c.colour), 0);
        window.setChecked(c.mark, before);
    }
}

TEST_F(MapPainterTest, PathPointsAreThinMagentaDotsInOrder) {
    window.setChecked("mnuGrid", false);
    path.pathCount = 2;
    path.store(1, 47.1, 8.1);
    path.store(2, 47.2, 8.2);
    painter.redrawMap();
    ASSERT_EQ(surface.calls.size(), 2u);
    EXPECT_EQ(surface.calls[0].x1, 8.1f);
    EXPECT_EQ(surface.calls[0].y1, 47.1f);
    EXPECT_EQ(surface.calls[1].x1, 8.2f);
    EXPECT_EQ(surface.calls[1].y1, 47.2f);
    for (const Call& c : surface.calls) {
        EXPECT_EQ(c.kind, Kind::Point);
        EXPECT_EQ(c.colour, magenta);
        EXPECT_EQ(c.width, 1);
    }
}

TEST_F(MapPainterTest, PathCountBeyondTheRecordIsReportedNotRead) {
    window.setChecked("mnuGrid", false);
    path.pathCount = PathRecord::capacity + 1;
    addArea({{47.45, 8.55}});
    painter.redrawMap();
    expectReport("redrawMap", 9);
    EXPECT_EQ(surface.count(Kind::Point, magenta), PathRecord::capacity);
    EXPECT_EQ(surface.count(Kind::Point, blue), 0);
}

TEST_F(MapPainterTest, LinkVerticesDrawsAClosedOutlineEdgeByEdge) {
    window.setChecked("mnuAreaNumbers", true);
    addArea({{47.0, 8.0}, {47.1, 8.0}, {47.1, 8.2}});
    std::vector<int> linesAtYield;
    pump.onYield = [&] { linesAtYield.push_back(surface.count(Kind::Line)); };

    painter.LinkVertices(1, 3, blue, blue, 1);

    struct Expected {
        Kind kind;
        float x1, y1, x2, y2;
        int width;
    };
    const Expected expected[] = {
        {Kind::Point, 8.0f, 47.0f, 8.0f, 47.0f, 3}, {Kind::Line, 8.0f, 47.0f, 8.0f, 47.1f, 1},
        {Kind::Point, 8.0f, 47.1f, 8.0f, 47.1f, 3}, {Kind::Line, 8.0f, 47.1f, 8.2f, 47.1f, 1},
        {Kind::Point, 8.2f, 47.1f, 8.2f, 47.1f, 3}, {Kind::Line, 8.2f, 47.1f, 8.0f, 47.0f, 1},
        {Kind::Point, 8.0f, 47.0f, 8.0f, 47.0f, 3},
    };
    ASSERT_EQ(surface.calls.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const Call& c = surface.calls[i];
        EXPECT_EQ(c.kind, expected[i].kind);
        EXPECT_EQ(c.x1, expected[i].x1);
        EXPECT_EQ(c.y1, expected[i].y1);
        EXPECT_EQ(c.x2, expected[i].x2);
        EXPECT_EQ(c.y2, expected[i].y2);
        EXPECT_EQ(c.width, expected[i].width);
        EXPECT_EQ(c.colour, blue);
    }
    // A pause after every edge, the closing one included; a yield after every edge but the
    // closing one, and one at the end. The current area is never numbered.
    EXPECT_EQ(pump.pauses, (std::vector<int>{100, 100, 100}));
    EXPECT_EQ(linesAtYield, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(MapPainterTest, PausesOnlyWhenStepwiseAndPassesTheDelayThrough) {
    addArea({{47.0, 8.0}, {47.1, 8.0}, {47.1, 8.2}});
    const struct {
        int stepwise;
        std::int16_t delay;
        std::vector<int> pauses;
    } cases[] = {
        {0, 100, {}},
        {2, 100, {}},
        {1, 250, {250, 250, 250}},
        // A negative delay reaches the pump, which does not wait on it.
        {1, -5, {-5, -5, -5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stepwise << " " << c.delay);
        grid.linkDelay = c.delay;
        pump.pauses.clear();
        pump.yields = 0;
        surface.clear();
        painter.LinkVertices(1, 3, blue, blue, c.stepwise);
        EXPECT_EQ(pump.pauses, c.pauses);
        EXPECT_EQ(pump.yields, 3);
        EXPECT_EQ(surface.count(Kind::Line), 3);
    }
}

TEST_F(MapPainterTest, OutlinesOfAreasWithOneOrNoVertex) {
    addArea({{47.3, 8.3}});
    addArea({});
    areas.setAreaPoint(2, 1, 47.6, 8.6);  // left in slot 1 by earlier use of the table
    addArea({});
    window.setChecked("mnuAreaNumbers", true);
    const struct {
        int area;
        float x;
        float y;
    } cases[] = {{1, 8.3f, 47.3f}, {2, 8.6f, 47.6f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.area);
        surface.clear();
        painter.LinkVertices(c.area, areas.areaVertexCount(c.area), black, black, 0);
        // A dot, an edge of no length back to itself, the dot again, the number.
        ASSERT_EQ(surface.calls.size(), 4u);
        for (const Call& call : surface.calls) {
            EXPECT_EQ(call.x1, c.x);
            EXPECT_EQ(call.y1, c.y);
            EXPECT_EQ(call.x2, c.x);
            EXPECT_EQ(call.y2, c.y);
        }
        EXPECT_EQ(surface.count(Kind::Line), 1);
        EXPECT_EQ(surface.calls[3].text, " " + std::to_string(c.area));
    }
}

TEST_F(MapPainterTest, OutOfTableIndexesAreReportedByTheOutline) {
    const struct {
        int area;
        int points;
        int dotsBeforeFailure;
    } cases[] = {{0, 1, 0}, {129, 1, 0}, {1, 513, 512}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.area);
        window.messages.clear();
        surface.clear();
        painter.LinkVertices(c.area, c.points, blue, blue, 0);
        expectReport("LinkVertices", 9);
        EXPECT_EQ(surface.count(Kind::Point), c.dotsBeforeFailure);
    }
}

}  // namespace
}  // namespace tl
