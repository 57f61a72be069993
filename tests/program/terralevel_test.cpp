#include "program/terralevel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "tests/support/fake_event_pump.h"
#include "tests/support/fake_transport.h"
#include "tests/support/fake_window.h"
#include "tests/support/recording_surface.h"
#include "tests/support/temp_folder.h"

namespace tl {
namespace {

class NoLauncher : public ProcessLauncher {
public:
    void startBatch(const std::filesystem::path&, const std::filesystem::path&) override {
        ++starts;
    }
    int starts = 0;
};

// One run of Terralevel in a folder, against the in-process FSUIPC stand-in. The user's actions
// are steps, one per turn of the main loop; after the last one the user presses Exit.
class Session {
public:
    explicit Session(const test::TempFolder& folder)
        : program(window, surface, pump, launcher, transport, ProgramFolder(folder.path()),
                  NumberText('.')) {
        window.onShow = [this] { program.Form_Load(); };
        window.onMessage = [this](const std::string& text) { messages.push_back(text); };
    }

    void moveAircraft(double lat, double lon) {
        transport.memory.write<std::int64_t>(
            0x0560, std::llround(lat * 10001750.0 * 65536.0 * 65536.0 / 90.0));
        transport.memory.write<std::int64_t>(
            0x0568, static_cast<std::int64_t>(std::ldexp(lon / 360.0, 64)));
    }

    void play(std::vector<std::function<void()>> steps) {
        std::size_t next = 0;
        pump.onYield = [&] {
            if (next < steps.size()) {
                steps[next++]();
            } else {
                program.cmdExit_Click();
            }
        };
        program.Main();
    }

    test::FakeWindow window;
    test::RecordingSurface surface;
    test::FakeEventPump pump;
    test::FakeTransport transport;
    NoLauncher launcher;
    Terralevel program;
    std::vector<std::string> messages;
};

bool mentions(const std::vector<std::string>& messages, const std::string& label) {
    const std::string head = "Error encountered in procedure " + label + "\r\n";
    for (const auto& m : messages) {
        if (m.rfind(head, 0) == 0) {
            return true;
        }
    }
    return false;
}

TEST(Terralevel, FirstStartInAnEmptyFolderConnectsAndCreatesTheAreaFile) {
    test::TempFolder folder;
    Session run(folder);
    run.moveAircraft(45, 22.5);
    run.play({});

    EXPECT_TRUE(folder.exists("flatten.txt"));
    EXPECT_EQ(folder.read("flatten.txt"), "");
    // Without flatten.ini and Tilebound.dat each reader reports once; nothing else is shown.
    EXPECT_EQ(run.messages.size(), 2u);
    EXPECT_TRUE(mentions(run.messages, "Read Settings"));
    EXPECT_TRUE(mentions(run.messages, "readHeaderData"));
    EXPECT_EQ(run.window.text("cmdStatus"), "Pause");
    EXPECT_EQ(run.window.text("lblScale"), "0.25");
    EXPECT_EQ(run.window.text("lblLat"), "45.0000000000000");
    EXPECT_EQ(run.window.text("lblLon"), "22.5000000000000");
    EXPECT_TRUE(run.window.isChecked("mnuMethodArea16N"));
    EXPECT_GE(run.program.path().pathCount, 1);
    EXPECT_EQ(run.window.unloads, 1);
}

TEST(Terralevel, CapturedAreaComesBackAfterARestart) {
    test::TempFolder folder;
    {
        Session run(folder);
        run.moveAircraft(45, 22.5);
        run.play({
            [&] {
                run.window.setText("txtArea", "Apron");
                run.window.setText("txtElevation", "412.5");
                run.program.cmdAddArea_Click();
            },
            [&] { run.moveAircraft(45.25, 22.5); },
            [&] { run.program.cmdAddVertex_Click(); },
            [&] { run.moveAircraft(45.25, 22.75); },
            [&] { run.program.cmdAddVertex_Click(); },
            [&] { run.moveAircraft(45.5, 22.75); },
            [&] { run.program.cmdAddVertex_Click(); },
            [&] { run.program.cmdLinkVertices_Click(); },
        });
        EXPECT_EQ(run.program.areas().areaCount, 1);
        EXPECT_EQ(run.program.areas().vertexCount, 3);
        EXPECT_EQ(run.window.beeps, 3);
    }
    EXPECT_EQ(folder.read("flatten.txt"),
              "\r\n#Apron\r\n412.5\r\n45.25 22.5\r\n45.25 22.75\r\n45.5 22.75\r\n");

    Session again(folder);
    again.transport.windowClasses.clear();  // the simulator is not running this time
    again.program.Form_Load();
    again.program.Form_Activate();
    EXPECT_EQ(again.program.areas().areaCount, 1);
    EXPECT_EQ(again.program.areas().vertexCount, 3);
    EXPECT_EQ(again.program.areas().areaPoints(1, 3).lat, 45.5);
    EXPECT_EQ(again.program.areas().areaPoints(1, 3).lon, 22.75);
    EXPECT_EQ(again.window.text("txtArea"), "Apron");
    EXPECT_EQ(again.window.text("txtElevation"), "412.5");
    // The first activation draws the current area's three vertices as blue dots.
    EXPECT_EQ(again.surface.count(test::RecordingSurface::Kind::Point, rgb(0, 0, 255)), 3);
    again.surface.calls.clear();
    again.program.Form_Activate();
    EXPECT_TRUE(again.surface.calls.empty());
}

TEST(Terralevel, LosingTheSimulatorWhilePollingShowsTheLostMessageOnce) {
    test::TempFolder folder;
    Session run(folder);
    run.moveAircraft(45, 22.5);
    int turns = 0;
    run.play({
        [&] { ++turns; },
        [&] { run.transport.failSends(100, test::FakeTransport::Send::Fail); },
        [&] { ++turns; },
        [&] { ++turns; },
    });
    int lost = 0;
    for (const auto& m : run.messages) {
        lost += m == run.program.link().msgConnectLost;
    }
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(run.window.text("cmdStatus"), "Connect");
    EXPECT_FALSE(run.program.link().fsConnected);
}

}  // namespace
}  // namespace tl
