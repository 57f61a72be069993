#include "simlink/position_tracker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_window.h"
#include "tests/support/recording_surface.h"

namespace tl {
namespace {

using Kind = test::RecordingSurface::Kind;
constexpr Colour magenta = rgb(255, 0, 255);

// Flies the aircraft east by 0.001 degrees on every read, or leaves it where it is when the link
// is "lost".
class SteppingSource : public PositionSource {
public:
    explicit SteppingSource(AircraftPosition& position) : position_(position) {}
    void getPosition() override {
        ++reads;
        if (!linkLost) {
            position_.planeLon += 0.001;
        }
    }
    int reads = 0;
    bool linkLost = false;

private:
    AircraftPosition& position_;
};

// Keeps what the path held when each redraw ran.
class PathSeeingDrawing : public MapDrawing {
public:
    explicit PathSeeingDrawing(const PathRecord& path) : path_(path) {}
    void redrawMap() override {
        counts.push_back(path_.pathCount);
        firstPoints.push_back(path_.at(1));
    }
    void LinkVertices(int, int, Colour, Colour, int) override {}
    std::vector<std::int32_t> counts;
    std::vector<PathRecord::Point> firstPoints;

private:
    const PathRecord& path_;
};

class FailingMarkerSurface : public test::RecordingSurface {
public:
    void moveMarker(float, float) override { throw Failure(FailureCode::InvalidCall); }
};

template <typename Surface = test::RecordingSurface>
struct TrackerRig {
    TrackerRig() {
        position = {47.46, 8.55};
        window.setChecked("mnuPlotPath", true);
    }
    AircraftPosition position;
    SteppingSource source{position};
    PathRecord path;
    Surface surface;
    PathSeeingDrawing drawing{path};
    test::FakeWindow window;
    ErrorReporter errors{window};
    PositionTracker tracker{source, position, path, surface, drawing, window, errors};

    void poll(int times) {
        for (int i = 0; i < times; ++i) {
            tracker.plotPosition();
        }
    }
};

TEST(PositionTrackerTest, FirstPollDrawsMovesMarkerAndRecordsSlotOne) {
    TrackerRig rig;
    rig.surface.marker = {0.02f, 0.01f};
    rig.surface.penColour = rgb(0, 0, 255);
    rig.surface.penWidth = 3;
    rig.tracker.plotPosition();

    EXPECT_EQ(rig.source.reads, 1);
    ASSERT_EQ(rig.surface.count(Kind::Point), 1);
    const auto& dot = rig.surface.calls[0];
    EXPECT_EQ(dot.colour, magenta);
    EXPECT_EQ(dot.width, 1);
    EXPECT_EQ(dot.x1, static_cast<float>(8.551));
    EXPECT_EQ(dot.y1, static_cast<float>(47.46));

    // The aircraft lies 0.45 of the marker's width from its left edge and 0.3 of its height
    // below its top edge, on whichever side of the equator and the meridian.
    EXPECT_FLOAT_EQ(rig.surface.markerLeft, 8.551f - 0.45f * 0.02f);
    EXPECT_FLOAT_EQ(rig.surface.markerTop, 47.46f + 0.3f * 0.01f);

    EXPECT_EQ(rig.path.pathCount, 1);
    EXPECT_EQ(rig.window.text("lblPC"), "1");
    EXPECT_DOUBLE_EQ(rig.path.at(1).lat, 47.46);
    EXPECT_DOUBLE_EQ(rig.path.at(1).lon, 8.551);
    EXPECT_TRUE(rig.drawing.counts.empty());
    EXPECT_TRUE(rig.window.messages.empty());
}

TEST(PositionTrackerTest, MarkerPlacementKeepsItsSignsInEveryQuadrant) {
    const AircraftPosition places[] = {{-33.9, 151.2}, {40.7, -74.0}, {-0.001, -0.001}};
    for (const AircraftPosition& place : places) {
        TrackerRig rig;
        rig.position = place;
        rig.source.linkLost = true;
        rig.surface.marker = {0.004f, 0.002f};
        rig.tracker.plotPosition();
        EXPECT_FLOAT_EQ(rig.surface.markerLeft, static_cast<float>(place.planeLon - 0.0018));
        EXPECT_FLOAT_EQ(rig.surface.markerTop, static_cast<float>(place.planeLat + 0.0006));
    }
}

TEST(PositionTrackerTest, PlotPathOnlyDecidesTheDrawing) {
    TrackerRig rig;
    rig.window.setChecked("mnuPlotPath", false);
    rig.poll(3);
    EXPECT_EQ(rig.surface.count(Kind::Point), 0);
    EXPECT_EQ(rig.surface.markerMoves, 3);
    EXPECT_EQ(rig.path.pathCount, 3);
    EXPECT_EQ(rig.window.text("lblPC"), "3");
    EXPECT_DOUBLE_EQ(rig.path.at(3).lon, 8.553);

    rig.window.setChecked("mnuPlotPath", true);
    rig.poll(1);
    EXPECT_EQ(rig.surface.count(Kind::Point, magenta), 1);
}

TEST(PositionTrackerTest, ALostLinkStillRecordsTheLastPosition) {
    TrackerRig rig;
    rig.poll(1);
    rig.source.linkLost = true;
    rig.poll(1);
    EXPECT_EQ(rig.path.pathCount, 2);
    EXPECT_DOUBLE_EQ(rig.path.at(2).lon, rig.path.at(1).lon);
}

TEST(PositionTrackerTest, ClearPathKeepsSlotOneAtTheHead) {
    TrackerRig rig;
    rig.poll(40);
    const PathRecord::Point first = rig.path.at(1);
    rig.tracker.cmdClear_Click();

    EXPECT_EQ(rig.path.pathCount, 1);
    EXPECT_EQ(rig.window.text("lblPC"), "1");
    ASSERT_EQ(rig.drawing.counts.size(), 1u);
    EXPECT_EQ(rig.drawing.counts[0], 1);
    EXPECT_DOUBLE_EQ(rig.drawing.firstPoints[0].lon, first.lon);

    rig.poll(1);
    EXPECT_EQ(rig.path.pathCount, 2);
    EXPECT_EQ(rig.window.text("lblPC"), "2");
    EXPECT_DOUBLE_EQ(rig.path.at(1).lon, first.lon);
    EXPECT_NEAR(rig.path.at(2).lon, 8.591, 1e-9);
}

TEST(PositionTrackerTest, PathWrapsAfter65535Points) {
    TrackerRig rig;
    rig.window.setChecked("mnuPlotPath", false);
    rig.poll(PathRecord::capacity);
    EXPECT_EQ(rig.path.pathCount, 65535);
    EXPECT_EQ(rig.window.text("lblPC"), "65535");
    EXPECT_TRUE(rig.drawing.counts.empty());
    const double last = rig.position.planeLon;

    rig.poll(1);
    const double current = rig.position.planeLon;
    EXPECT_EQ(rig.path.pathCount, 1);
    EXPECT_EQ(rig.window.text("lblPC"), "1");
    EXPECT_DOUBLE_EQ(rig.path.at(1).lon, current);
    EXPECT_DOUBLE_EQ(rig.path.at(65535).lon, last);
    // The redraw already sees the new head, not the first point of the old path.
    ASSERT_EQ(rig.drawing.counts.size(), 1u);
    EXPECT_EQ(rig.drawing.counts[0], 1);
    EXPECT_DOUBLE_EQ(rig.drawing.firstPoints[0].lon, current);

    rig.poll(1);
    EXPECT_EQ(rig.path.pathCount, 2);
    EXPECT_EQ(rig.drawing.counts.size(), 1u);
}

TEST(PositionTrackerTest, AFailureIsReportedAndTheNextPollRunsAgain) {
    TrackerRig<FailingMarkerSurface> rig;
    rig.poll(2);

    ASSERT_EQ(rig.window.messages.size(), 2u);
    EXPECT_EQ(rig.window.messages[0],
              ErrorReporter::message("plotPosition", Failure(FailureCode::InvalidCall)));
    EXPECT_EQ(rig.source.reads, 2);
    // The point before the failure stays drawn; nothing after it is recorded.
    EXPECT_EQ(rig.surface.count(Kind::Point), 2);
    EXPECT_EQ(rig.path.pathCount, 0);
    EXPECT_EQ(rig.window.text("lblPC"), "");
}

}  // namespace
}  // namespace tl
