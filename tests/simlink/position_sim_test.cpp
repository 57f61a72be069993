#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "common/program_folder.h"
#include "core/main_loop.h"
#include "simlink/position_reader.h"
#include "simlink/position_tracker.h"
#include "simlink/posix/posix_transport.h"
#include "tests/support/fake_event_pump.h"
#include "tests/support/fake_window.h"
#include "tests/support/recording_surface.h"
#include "tools/fsuipc-sim/sim_process.h"

namespace tl {
namespace {

class NoDrawing : public MapDrawing {
public:
    void redrawMap() override {}
    void LinkVertices(int, int, Colour, Colour, int) override {}
};

std::string simulatorPath() {
    return (ProgramFolder::ofExecutable().path().parent_path() / "bin" / "fsuipc-sim").string();
}

// Terralevel's main loop polling fsuipc-sim over the real transport; `onTurn` runs at every yield.
struct PollingRig {
    PollingRig() { window.setChecked("mnuPlotPath", true); }

    void run(const std::function<void(int turn)>& onTurn) {
        int turn = 0;
        pump.onYield = [&] {
            ++turn;
            onTurn(turn);
            if (turn >= 400) {
                link.cmdExit_Click();
            }
        };
        loop.Main();
    }

    PosixTransport transport;
    test::FakeWindow window;
    test::FakeEventPump pump;
    FsuipcClient client{transport, [this](const std::string& text) { window.showMessage(text); }};
    LinkControl link{client, window};
    ErrorReporter errors{window};
    AircraftPosition position;
    NumberText numbers;
    PositionReader reader{client, link, position, window, numbers, errors};
    test::RecordingSurface surface;
    NoDrawing drawing;
    PathRecord path;
    PositionTracker tracker{reader, position, path, surface, drawing, window, errors};
    MainLoop loop{window, pump, errors, client, link, tracker};
};

TEST(PositionSimTest, LabelsFollowTheAircraftFlyingTheDemoCircuit) {
    ASSERT_TRUE(std::filesystem::exists(simulatorPath())) << "build fsuipc-sim first";
    sim::SimProcess simulator(simulatorPath(), {"--demo", "--speed", "2000"});
    PollingRig rig;
    std::set<std::string> places;
    rig.run([&](int turn) {
        places.insert(rig.window.text("lblLat") + " " + rig.window.text("lblLon"));
        if (turn == 50) {
            rig.link.cmdExit_Click();
        }
        rig.transport.sleep(2);
    });

    EXPECT_TRUE(rig.window.messages.empty());
    EXPECT_EQ(rig.path.pathCount, 50);
    EXPECT_GT(places.size(), 40u);
    EXPECT_GT(rig.position.planeLat, 47.44);
    EXPECT_LT(rig.position.planeLat, 47.49);
    EXPECT_GT(rig.position.planeLon, 8.53);
    EXPECT_LT(rig.position.planeLon, 8.58);
    const double ground = rig.numbers.parse(rig.window.text("lblGroundAlt"));
    EXPECT_GE(ground, 424);
    EXPECT_LE(ground, 452);
    EXPECT_EQ(rig.window.text("lblPC"), "50");
    EXPECT_EQ(rig.surface.markerMoves, 50);
    EXPECT_EQ(rig.surface.markerLeft,
              static_cast<float>(rig.position.planeLon - 0.45 * rig.surface.marker.width));
}

TEST(PositionSimTest, ClosingTheSimulatorWhilePollingShowsTheLostLinkOnce) {
    ASSERT_TRUE(std::filesystem::exists(simulatorPath())) << "build fsuipc-sim first";
    sim::SimProcess simulator(simulatorPath(), {"--demo"});
    PollingRig rig;
    AircraftPosition lastGood;
    int failedAt = 0;
    rig.run([&](int turn) {
        if (turn == 5) {
            lastGood = rig.position;
            simulator.stop();
        }
        if (rig.link.linkState != LinkControl::Polling && failedAt == 0) {
            failedAt = turn;
        }
        if (turn == failedAt + 20 && failedAt != 0) {
            rig.link.cmdExit_Click();
        }
    });

    EXPECT_EQ(failedAt, 6);
    EXPECT_EQ(rig.window.messages, std::vector<std::string>{rig.link.msgConnectLost});
    EXPECT_EQ(rig.window.text("cmdStatus"), "Connect");
    EXPECT_EQ(rig.link.linkState, LinkControl::NotConnected);
    EXPECT_FALSE(rig.client.isOpen());
    // The failed poll went on with the last good position; no poll followed it.
    EXPECT_EQ(rig.path.pathCount, 6);
    EXPECT_EQ(rig.position.planeLat, lastGood.planeLat);
    EXPECT_EQ(rig.path.at(6).lon, lastGood.planeLon);
}

}  // namespace
}  // namespace tl
