#include "map/map_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

#include "common/degrees_minutes.h"
#include "tests/support/fake_window.h"
#include "tests/support/recording_surface.h"

namespace tl {
namespace {

// Moves the aircraft to the next position of a list on every read; keeps the last one after that.
class ScriptedSource : public PositionSource {
public:
    explicit ScriptedSource(AircraftPosition& position) : position_(position) {}
    void getPosition() override {
        if (reads < static_cast<int>(positions.size())) {
            position_ = positions[static_cast<std::size_t>(reads)];
        }
        ++reads;
    }
    std::vector<AircraftPosition> positions;
    int reads = 0;

private:
    AircraftPosition& position_;
};

// Counts redraws and keeps the surface's scale as each redraw saw it.
class ScaleSeeingDrawing : public MapDrawing {
public:
    explicit ScaleSeeingDrawing(const MapSurface& surface) : surface_(surface) {}
    void redrawMap() override { seen.push_back(surface_.scale()); }
    void LinkVertices(int, int, Colour, Colour, int) override {}
    std::vector<SurfaceScale> seen;

private:
    const MapSurface& surface_;
};

class RefusingSurface : public test::RecordingSurface {
public:
    void setScale(const SurfaceScale&) override { throw Failure(FailureCode::Overflow); }
};

template <typename Surface = test::RecordingSurface>
struct MapRig {
    explicit MapRig(char decimalMark = '.') : numbers(decimalMark) {}

    AircraftPosition position;
    MapView view;
    ScriptedSource source{position};
    Surface surface;
    ScaleSeeingDrawing drawing{surface};
    test::FakeWindow window;
    NumberText numbers;
    ErrorReporter errors{window};
    MapScale map{view, source, position, surface, drawing, window, numbers, errors};
};

TEST(MapScaleTest, ScaleMapCentresTheViewOnAFreshPositionThenRedraws) {
    struct Case {
        AircraftPosition aircraft;
        float left, top;
    };
    const Case cases[] = {
        {{47.46, 8.55}, 8.425f, 47.585f},
        {{-33.9, 151.2}, 151.075f, -33.775f},
        {{0, 0}, -0.125f, 0.125f},
        {{-89.95, -179.99}, -180.115f, -89.825f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.left);
        MapRig rig;
        rig.source.positions = {c.aircraft};
        rig.map.scaleMap();

        EXPECT_EQ(rig.source.reads, 1);
        const SurfaceScale scale = rig.surface.scale();
        EXPECT_FLOAT_EQ(scale.left, c.left);
        EXPECT_FLOAT_EQ(scale.top, c.top);
        EXPECT_EQ(scale.width, 0.25f);
        EXPECT_EQ(scale.height, -0.25f);
        EXPECT_EQ(rig.window.text("lblScale"), "0.25");
        ASSERT_EQ(rig.drawing.seen.size(), 1u);
        EXPECT_EQ(rig.drawing.seen[0].left, scale.left);
        EXPECT_EQ(rig.drawing.seen[0].top, scale.top);
        EXPECT_TRUE(rig.window.messages.empty());
    }
}

TEST(MapScaleTest, ScaleLabelUsesTheRegionalDecimalMark) {
    MapRig rig(',');
    rig.map.scaleMap();
    EXPECT_EQ(rig.window.text("lblScale"), "0,25");
    rig.map.cmdZoomOut_Click();
    rig.map.cmdZoomOut_Click();
    EXPECT_EQ(rig.window.text("lblScale"), "1,0");
}

TEST(MapScaleTest, ZoomButtonsHalveAndDoubleTheViewAndRecentre) {
    struct Case {
        int zoomIns;
        int zoomOuts;
        float extent;
        const char* label;
    };
    const Case cases[] = {
        {1, 0, 0.125f, "0.125"},
        {5, 0, 0.0078125f, "0.00781"},
        {0, 2, 1.0f, "1.0"},
        {3, 3, 0.25f, "0.25"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        MapRig rig;
        rig.position = {10, 20};
        for (int i = 0; i < c.zoomIns; ++i) {
            rig.map.cmdZoomIn_Click();
        }
        for (int i = 0; i < c.zoomOuts; ++i) {
            rig.map.cmdZoomOut_Click();
        }
        EXPECT_EQ(rig.view.mapWidth, c.extent);
        EXPECT_EQ(rig.view.mapHeight, c.extent);
        EXPECT_EQ(rig.view.mapHalfWidth, c.extent / 2);
        EXPECT_EQ(rig.view.mapHalfHeight, c.extent / 2);
        EXPECT_EQ(rig.window.text("lblScale"), c.label);
        const SurfaceScale scale = rig.surface.scale();
        EXPECT_EQ(scale.width, c.extent);
        EXPECT_EQ(scale.height, -c.extent);
        EXPECT_FLOAT_EQ(scale.left, static_cast<float>(20 - c.extent / 2.0));
        EXPECT_FLOAT_EQ(scale.top, static_cast<float>(10 + c.extent / 2.0));
        EXPECT_EQ(rig.source.reads, c.zoomIns + c.zoomOuts);
        EXPECT_EQ(rig.drawing.seen.size(), static_cast<std::size_t>(c.zoomIns + c.zoomOuts));
    }
}

TEST(MapScaleTest, ZoomStopsAtItsLimitsAndStillRecentres) {
    MapRig rig;
    for (int i = 0; i < 200; ++i) {
        rig.map.cmdZoomIn_Click();
    }
    EXPECT_EQ(rig.view.mapWidth, MapScale::minimumExtent);
    EXPECT_EQ(rig.view.mapHeight, MapScale::minimumExtent);
    EXPECT_EQ(rig.view.mapHalfWidth, MapScale::minimumExtent / 2);
    EXPECT_EQ(rig.surface.scale().height, -MapScale::minimumExtent);
    EXPECT_EQ(rig.window.text("lblScale"), "0.00024");
    EXPECT_EQ(rig.source.reads, 200);

    // Ten presses lead back to the starting view exactly.
    for (int i = 0; i < 10; ++i) {
        rig.map.cmdZoomOut_Click();
    }
    EXPECT_EQ(rig.view.mapWidth, 0.25f);
    EXPECT_EQ(rig.view.mapHalfHeight, 0.125f);

    for (int i = 0; i < 200; ++i) {
        rig.map.cmdZoomOut_Click();
    }
    EXPECT_EQ(rig.view.mapWidth, MapScale::maximumExtent);
    EXPECT_EQ(rig.view.mapHalfHeight, MapScale::maximumExtent / 2);
    EXPECT_TRUE(std::isfinite(rig.surface.scale().left));
    EXPECT_EQ(rig.surface.scale().width, MapScale::maximumExtent);
    EXPECT_EQ(rig.window.text("lblScale"), "1024.0");
    EXPECT_TRUE(rig.window.messages.empty());
}

TEST(MapScaleTest, RecenterDropsAPanButRedrawKeepsIt) {
    MapRig rig;
    rig.source.positions = {{47.46, 8.55}, {47.5, 8.6}};
    rig.map.scaleMap();

    SurfaceScale panned = rig.surface.scale();
    panned.left -= 0.1f;
    panned.top += 0.05f;
    rig.surface.setScale(panned);

    rig.map.cmdRedraw_Click();
    EXPECT_EQ(rig.source.reads, 1);
    ASSERT_EQ(rig.drawing.seen.size(), 2u);
    EXPECT_EQ(rig.drawing.seen[1].left, panned.left);
    EXPECT_EQ(rig.drawing.seen[1].top, panned.top);

    rig.map.cmdRecenter_Click();
    EXPECT_EQ(rig.source.reads, 2);
    EXPECT_FLOAT_EQ(rig.surface.scale().left, 8.475f);
    EXPECT_FLOAT_EQ(rig.surface.scale().top, 47.625f);
    EXPECT_EQ(rig.drawing.seen.size(), 3u);
}

TEST(MapScaleTest, AFailureWhileScalingIsReportedAndSkipsTheRest) {
    MapRig<RefusingSurface> rig;
    rig.window.setText("lblScale", "0.25");
    rig.map.cmdZoomIn_Click();

    ASSERT_EQ(rig.window.messages.size(), 1u);
    EXPECT_EQ(rig.window.messages[0],
              ErrorReporter::message("ScaleMap", Failure(FailureCode::Overflow)));
    EXPECT_EQ(rig.window.text("lblScale"), "0.25");
    EXPECT_TRUE(rig.drawing.seen.empty());
    // The zoom itself has happened; the next scaleMap shows it.
    EXPECT_EQ(rig.view.mapWidth, 0.125f);
}

TEST(MapScaleTest, DegreesAndMinutesOfTheWorkedExamples) {
    const NumberText numbers;
    const struct {
        double degrees;
        const char* text;
    } cases[] = {
        {151.2, "151  12.000"},        {-33.5, "-33  30.000"},    {0, "0    0.000"},
        {10, "10    0.000"},           {5.1, "5    6.000"},       {-0.5, "-0  30.000"},
        {47.123456789, "47    7.407"}, {10.999999, "10  60.000"}, {-33.9, "-33  54.000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Dd2DMm(c.degrees, numbers), c.text) << c.degrees;
    }
    EXPECT_EQ(Dd2DMm(-33.5, NumberText(',')), "-33  30,000");
}

// Everything the map can show: a latitude the simulator can encode (up to 19324 degrees, far
// beyond the poles) or a longitude, plus half the largest view, as doubles and as the surface's
// single-precision mouse positions.
TEST(MapScaleTest, DegreesAndMinutesHoldForEveryPlaceTheMapCanShow) {
    const NumberText numbers;
    const double reach = 19324 + MapScale::maximumExtent / 2;
    std::vector<double> places = {1e-9, 0.9999999, 89.99999, 179.9999999, reach - 1e-7};
    for (double v = -reach; v <= reach; v += 0.3971) {
        places.push_back(v);
        places.push_back(static_cast<float>(v));
    }
    int checked = 0;
    for (const double place : places) {
        for (const double dd : {place, -place}) {
            const std::string text = Dd2DMm(dd, numbers);
            const std::size_t gap = text.find(' ');
            const std::size_t field = text.find_first_not_of(' ', gap);
            ASSERT_NE(gap, std::string::npos) << dd;
            ASSERT_TRUE(field - gap == 2 || field - gap == 4) << text;
            EXPECT_EQ(text[0] == '-', dd < 0) << text;
            const std::string degrees = text.substr(dd < 0 ? 1 : 0, gap - (dd < 0 ? 1 : 0));
            EXPECT_EQ(degrees, std::to_string(static_cast<long>(std::trunc(std::fabs(dd)))))
                << text;
            const std::string minutes = text.substr(field);
            ASSERT_EQ(minutes.size() - minutes.find('.'), 4u) << text;
            const double m = std::stod(minutes);
            EXPECT_LE(m, 60.0) << text;
            EXPECT_NEAR(std::stod(degrees) + m / 60, std::fabs(dd), 0.0006 / 60) << text;
            ++checked;
        }
    }
    EXPECT_GT(checked, 190000);
}

}  // namespace
}  // namespace tl
