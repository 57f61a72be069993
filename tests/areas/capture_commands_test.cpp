#include "areas/capture_commands.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "areas/area_file.h"
#include "tests/areas/fake_map_drawing.h"
#include "tests/areas/reports.h"
#include "tests/support/fake_window.h"
#include "tests/support/recording_surface.h"
#include "tests/support/temp_folder.h"

namespace tl {
namespace {

using test::expectOneReport;
using test::FakeMapDrawing;
using test::FakeWindow;
using test::RecordingSurface;
using test::reportedLabels;
using test::TempFolder;

constexpr Colour blue = rgb(0, 0, 255);

// Stands in for the position reader: each call runs `read`, which may move the aircraft.
class FakePositionSource : public PositionSource {
public:
    void getPosition() override {
        ++calls;
        if (read) {
            read();
        }
    }
    int calls = 0;
    std::function<void()> read;
};

class CaptureCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.setChecked("mnuMethodArea16N", true);
        window.setChecked("mnuSound", true);
        window.setText("txtArea", "Apron");
        window.setText("txtElevation", "412.5");
        surface.marker = {0.02f, 0.01f};
    }
    // The aircraft stands at the given place at the next reading.
    void nextReading(double lat, double lon) {
        position.read = [this, lat, lon] {
            aircraft.planeLat = lat;
            aircraft.planeLon = lon;
        };
    }

    TempFolder temp;
    FakeWindow window;
    ErrorReporter errors{window};
    ProgramFolder folder{temp.path()};
    NumberText numbers;
    AreaTable table;
    PathRecord path;
    AircraftPosition aircraft;
    FakePositionSource position;
    FakeMapDrawing drawing;
    RecordingSurface surface;
    CaptureCommands commands{window, errors,   folder,   numbers, table,
                             path,   aircraft, position, drawing, surface};
};

TEST_F(CaptureCommandsTest, NewAreaArea16NAppendsThreeLinesAndStartsAnArea) {
    temp.write("flatten.txt", "\r\n#Old\r\n400\r\n1 2\r\n");
    table.areaCount = 1;
    table.vertexCount = 1;
    table.setAreaVertexCount(1, 1);
    table.setAreaVertexCount(2, 77);  // stale entry from before a reset
    path.pathCount = 12;

    commands.cmdAddArea_Click();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(temp.read("flatten.txt"), "\r\n#Old\r\n400\r\n1 2\r\n\r\n#Apron\r\n412.5\r\n");
    EXPECT_EQ(table.areaCount, 2);
    EXPECT_EQ(table.vertexCount, 0);
    EXPECT_EQ(table.areaVertexCount(2), 0);
    EXPECT_EQ(table.areaVertexCount(1), 1);
    EXPECT_EQ(path.pathCount, 0);
    EXPECT_EQ(drawing.redraws, 1);
    EXPECT_FALSE(temp.exists("bgl-asm.txt"));
}

TEST_F(CaptureCommandsTest, NewAreaWritesTheTextsUnchecked) {
    window.setText("txtArea", "");
    window.setText("txtElevation", "12 m");
    commands.cmdAddArea_Click();
    EXPECT_EQ(temp.read("flatten.txt"), "\r\n#\r\n12 m\r\n");
    EXPECT_EQ(table.areaCount, 1);
}

TEST_F(CaptureCommandsTest, NewAreaLwmAppendsTheNameOnly) {
    window.setChecked("mnuMethodArea16N", false);
    temp.write("bgl-asm.txt", "402 120 4 28 412 64\r\n");
    path.pathCount = 3;
    commands.cmdAddArea_Click();
    commands.cmdAddArea_Click();
    EXPECT_EQ(temp.read("bgl-asm.txt"), "402 120 4 28 412 64\r\n#Apron\r\n#Apron\r\n");
    EXPECT_FALSE(temp.exists("flatten.txt"));
    EXPECT_EQ(table.areaCount, 0);
    EXPECT_EQ(path.pathCount, 3);
    EXPECT_EQ(drawing.redraws, 0);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(CaptureCommandsTest, The129thAreaIsRefusedBeforeAnythingIsWritten) {
    table.areaCount = 128;
    table.vertexCount = 4;
    path.pathCount = 9;
    commands.cmdAddArea_Click();
    expectOneReport(window, "cmdAddArea", 9);
    EXPECT_FALSE(temp.exists("flatten.txt"));
    EXPECT_EQ(table.areaCount, 128);
    EXPECT_EQ(table.vertexCount, 4);
    EXPECT_EQ(path.pathCount, 9);
    EXPECT_EQ(drawing.redraws, 0);
}

TEST_F(CaptureCommandsTest, AFileThatCannotBeWrittenChangesNothing) {
    std::filesystem::create_directory(temp.file("flatten.txt"));
    path.pathCount = 9;
    commands.cmdAddArea_Click();
    EXPECT_EQ(reportedLabels(window), std::vector<std::string>{"cmdAddArea"});
    EXPECT_EQ(table.areaCount, 0);
    EXPECT_EQ(path.pathCount, 9);
    EXPECT_EQ(drawing.redraws, 0);
}

TEST_F(CaptureCommandsTest, AddVertexBeforeAnyAreaOnlyAsks) {
    commands.cmdAddVertex_Click();
    EXPECT_EQ(window.messages,
              std::vector<std::string>{"Please add a New Area before continuing."});
    EXPECT_FALSE(temp.exists("flatten.txt"));
    EXPECT_EQ(position.calls, 0);
    EXPECT_EQ(table.vertexCount, 0);
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_EQ(window.beeps, 0);
}

// The file gets the last poll's position; the table and the mark get the fresh reading.
TEST_F(CaptureCommandsTest, AddVertexWritesTheLastPollAndStoresTheFreshReading) {
    struct Case {
        const char* what;
        double polledLat, polledLon;
        double freshLat, freshLon;
        bool sound;
        const char* line;
        float markX, markY;
    };
    const std::vector<Case> cases{
        {"east", 47.5, 8.25, 47.5, 8.25, true, "47.5 8.25\r\n", 8.25f, 47.502f},
        {"moved since the poll", 47.5, 8.25, 47.6, 8.3, false, "47.5 8.25\r\n", 8.3f, 47.602f},
        // West of Greenwich the mark moves right by 5 % of the marker's width.
        {"west", -33.875, -151.125, -33.875, -151.125, true, "-33.875 -151.125\r\n", -151.124f,
         -33.873f},
        {"many digits", 47.123456789012345, 0.00005, 47.123456789012345, 0.00005, true,
         "47.1234567890123 5E-05\r\n", 0.00005f, 47.125457f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        temp.write("flatten.txt", "");
        table.areaCount = 3;
        table.vertexCount = 2;
        table.setAreaVertexCount(3, 2);
        window.setChecked("mnuSound", c.sound);
        window.beeps = 0;
        surface.clear();
        surface.penWidth = 1;
        aircraft = {c.polledLat, c.polledLon};
        nextReading(c.freshLat, c.freshLon);

        commands.cmdAddVertex_Click();
        EXPECT_TRUE(window.messages.empty());
        EXPECT_EQ(temp.read("flatten.txt"), c.line);
        EXPECT_EQ(table.vertexCount, 3);
        EXPECT_EQ(table.areaVertexCount(3), 3);
        EXPECT_EQ(table.areaPoints(3, 3).lat, c.freshLat);
        EXPECT_EQ(table.areaPoints(3, 3).lon, c.freshLon);
        ASSERT_EQ(surface.calls.size(), 1u);
        const auto& mark = surface.calls[0];
        EXPECT_EQ(mark.kind, RecordingSurface::Kind::Point);
        EXPECT_EQ(mark.colour, blue);
        EXPECT_EQ(mark.width, 3);
        EXPECT_FLOAT_EQ(mark.x1, c.markX);
        EXPECT_FLOAT_EQ(mark.y1, c.markY);
        EXPECT_EQ(window.beeps, c.sound ? 1 : 0);
    }
}

TEST_F(CaptureCommandsTest, AddVertexWithoutALinkStoresTheLastKnownPosition) {
    commands.cmdAddArea_Click();
    position.read = [this] { window.showMessage("Connection to Flight Simulator lost!"); };
    commands.cmdAddVertex_Click();
    EXPECT_EQ(window.messages, std::vector<std::string>{"Connection to Flight Simulator lost!"});
    EXPECT_EQ(temp.read("flatten.txt"), "\r\n#Apron\r\n412.5\r\n0 0\r\n");
    EXPECT_EQ(table.vertexCount, 1);
    EXPECT_EQ(table.areaPoints(1, 1).lat, 0);
    EXPECT_EQ(table.areaPoints(1, 1).lon, 0);
}

TEST_F(CaptureCommandsTest, The513thVertexIsRefusedBeforeAnythingIsWritten) {
    table.areaCount = 2;
    table.vertexCount = 512;
    table.setAreaVertexCount(2, 512);
    temp.write("flatten.txt", "");
    commands.cmdAddVertex_Click();
    expectOneReport(window, "cmdAddVertex", 9);
    EXPECT_EQ(temp.read("flatten.txt"), "");
    EXPECT_EQ(position.calls, 0);
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_EQ(table.vertexCount, 512);
    EXPECT_EQ(window.beeps, 0);
}

// What the commands write, the start-up load reads back into the same table.
TEST_F(CaptureCommandsTest, CapturedFileLoadsBackIntoTheSameTable) {
    const NumberText comma(',');
    CaptureCommands commaCommands{window, errors,   folder,   comma,   table,
                                  path,   aircraft, position, drawing, surface};
    window.setText("txtElevation", "412,5");
    const std::vector<std::vector<std::pair<double, double>>> areas{
        {{47.5, 8.25}, {-33.123456789, 151.987654321}, {0.000012, -0.5}}, {}, {{89.9, -179.9}}};
    for (const auto& vertices : areas) {
        commaCommands.cmdAddArea_Click();
        for (const auto& [lat, lon] : vertices) {
            aircraft = {lat, lon};
            commaCommands.cmdAddVertex_Click();
        }
    }
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(temp.read("flatten.txt").substr(0, 34), "\r\n#Apron\r\n412,5\r\n47,5 8,25\r\n-33,12");

    AreaTable loaded;
    const auto result = AreaFile::load(temp.read("flatten.txt"), comma, loaded);
    ASSERT_FALSE(result.failure);
    EXPECT_EQ(result.elevation, "412,5");
    ASSERT_EQ(loaded.areaCount, table.areaCount);
    EXPECT_EQ(loaded.vertexCount, table.vertexCount);
    for (int a = 1; a <= table.areaCount; ++a) {
        ASSERT_EQ(loaded.areaVertexCount(a), table.areaVertexCount(a));
        for (int v = 1; v <= table.areaVertexCount(a); ++v) {
            EXPECT_DOUBLE_EQ(loaded.areaPoints(a, v).lat, table.areaPoints(a, v).lat);
            EXPECT_DOUBLE_EQ(loaded.areaPoints(a, v).lon, table.areaPoints(a, v).lon);
        }
    }
}

TEST_F(CaptureCommandsTest, LinkVerticesOutlinesTheCurrentAreaInBlueStepwise) {
    commands.cmdLinkVertices_Click();
    EXPECT_TRUE(drawing.outlines.empty());

    table.areaCount = 4;
    table.vertexCount = 6;
    table.setAreaVertexCount(4, 6);
    commands.cmdLinkVertices_Click();
    const std::vector<FakeMapDrawing::Outline> expected{{4, 6, blue, blue, 1}};
    EXPECT_EQ(drawing.outlines, expected);
}

TEST_F(CaptureCommandsTest, ElevationDoubleClickConvertsFeetToMetres) {
    struct Case {
        const char* before;
        const char* after;
        char mark;
    };
    const std::vector<Case> cases{
        {"1000", "304.8", '.'},
        {"1350", "411.48", '.'},
        {" 100 ", "30.48", '.'},
        {"-10", "-3.048", '.'},
        {"0", "0", '.'},
        {"1000,5", "304,9524", ','},
        // Not a number: the box keeps its text and nothing is reported.
        {"abc", "abc", '.'},
        {"", "", '.'},
        {"12 m", "12 m", '.'},
        {"1000,5", "1000,5", '.'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        const NumberText local(c.mark);
        CaptureCommands localCommands{window, errors,   folder,   local,   table,
                                      path,   aircraft, position, drawing, surface};
        window.setText("txtElevation", c.before);
        localCommands.txtElevation_DblClick();
        EXPECT_EQ(window.text("txtElevation"), c.after);
    }
    EXPECT_TRUE(window.messages.empty());
}

}  // namespace
}  // namespace tl
