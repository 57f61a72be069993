#include "map/map_mouse.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "common/text_file.h"
#include "tests/support/fake_window.h"
#include "tests/support/recording_surface.h"

namespace tl {
namespace {

namespace fs = std::filesystem;

// Notes the full path of every cursor file it loads.
class CursorSurface : public test::RecordingSurface {
public:
    void useCursorFile(const fs::path& cursorFile) override {
        RecordingSurface::useCursorFile(cursorFile);
        loaded.push_back(fs::absolute(cursorFile));
    }
    std::vector<fs::path> loaded;
};

class CountingDrawing : public MapDrawing {
public:
    void redrawMap() override { ++redraws; }
    void LinkVertices(int, int, Colour, Colour, int) override {}
    int redraws = 0;
};

class RecordingCoverage : public CoverageLookup {
public:
    void HypeFIle(double lat, double lon) override { lookups.emplace_back(lat, lon); }
    std::vector<std::pair<double, double>> lookups;
};

// A fresh folder per test, beside a program folder and a current folder of its own.
fs::path makeRoot() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return fs::temp_directory_path() / ("tl_map_mouse_" + std::string(test->name()) + "_" +
                                        std::to_string(std::random_device{}()));
}

class MapMouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root / "program");
        fs::create_directories(root / "elsewhere");
        fs::current_path(root / "elsewhere");
        surface.setScale({150.925f, -33.775f, 0.25f, -0.25f});
    }

    void TearDown() override {
        fs::current_path(startFolder);
        fs::remove_all(root);
    }

    static void makeCursor(const fs::path& folder) {
        TextFile::writeLines(folder / MapMouse::cursorName, {"cursor"});
    }

    void moveTo(float lon, float lat) { mouse.picMap_MouseMove({0, 0, lon, lat}); }

    void expectReport(const std::string& label, int number) const {
        const std::string head = ErrorReporter::message(label, Failure(number, ""));
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(window.messages[0].substr(0, head.size()), head);
    }

    std::string captureFile() const {
        const fs::path file = root / "program" / MapMouse::captureFileName;
        return TextFile::exists(file) ? TextFile::readAll(file) : "<missing>";
    }

    const fs::path root = makeRoot();
    const fs::path startFolder = fs::current_path();
    CursorSurface surface;
    CountingDrawing drawing;
    RecordingCoverage coverage;
    test::FakeWindow window;
    NumberText numbers;
    ProgramFolder programFolder{root / "program"};
    ErrorReporter errors{window};
    MapMouse mouse{surface, drawing, coverage, window, numbers, programFolder, errors};
};

TEST_F(MapMouseTest, MoveShowsPositionAndCellsUnderThePointer) {
    const struct {
        float lon;
        float lat;
        bool coords;
        const char* x;
        const char* y;
        const char* cells[4];
    } cases[] = {
        {151.2f, -33.9f, false, "151.2000", "-33.9000", {"706,", "352", "17,", "13"}},
        {151.2f, -33.9f, true, "151  12.000", "-33  54.000", {"706,", "352", "17,", "13"}},
        {8.55f, 88.9453125f, false, "8.5500", "88.9453", {"402,", "3", "7,", "0"}},
        {-180.0f, 90.0f, false, "-180.0000", "90.0000", {"0,", "0", "0,", "0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << " " << c.y);
        window.setChecked("mnuCoords", c.coords);
        moveTo(c.lon, c.lat);
        EXPECT_EQ(window.text("lblMouseX"), c.x);
        EXPECT_EQ(window.text("lblMouseY"), c.y);
        EXPECT_EQ(window.text("lblLOD08cellX"), c.cells[0]);
        EXPECT_EQ(window.text("lblLOD08cellY"), c.cells[1]);
        EXPECT_EQ(window.text("lblLOD13AreaX"), c.cells[2]);
        EXPECT_EQ(window.text("lblLOD13AreaY"), c.cells[3]);
        ASSERT_FALSE(coverage.lookups.empty());
        EXPECT_EQ(coverage.lookups.back(), std::make_pair(double{c.lat}, double{c.lon}));
    }
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(MapMouseTest, MoveFarBeyondTheWorldIsReportedAndKeepsTheLabels) {
    moveTo(151.2f, -33.9f);
    moveTo(151.2f, -11600.0f);
    expectReport("picMap_MouseMove", 6);
    EXPECT_EQ(window.text("lblMouseY"), "-33.9000");
    EXPECT_EQ(window.text("lblLOD08cellY"), "352");
    EXPECT_EQ(coverage.lookups.size(), 1u);
}

TEST_F(MapMouseTest, DragPansTheMapByTheDragDistance) {
    makeCursor(root / "program");
    const struct {
        const char* what;
        int button;
        float fromX, fromY, toX, toY;
        double dLeft, dTop;
    } cases[] = {
        {"left button east", 1, 151.0f, -33.8f, 151.1f, -33.8f, -0.1, 0.0},
        {"right button east", 2, 151.0f, -33.8f, 151.1f, -33.8f, -0.1, 0.0},
        {"south-west", 1, 151.05f, -33.80f, 151.0f, -33.85f, 0.05, 0.05},
        {"click without moving", 1, 151.0f, -33.8f, 151.0f, -33.8f, 0.0, 0.0},
    };
    int redraws = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const SurfaceScale before = surface.scale();
        mouse.picMap_MouseDown({c.button, 0, c.fromX, c.fromY});
        EXPECT_EQ(surface.pointer, MapMouse::cursorName);
        mouse.picMap_MouseUp({c.button, 0, c.toX, c.toY});
        EXPECT_EQ(surface.pointer, "default");
        const SurfaceScale after = surface.scale();
        EXPECT_NEAR(after.left, before.left + c.dLeft, 1e-5);
        EXPECT_NEAR(after.top, before.top + c.dTop, 1e-5);
        EXPECT_EQ(after.width, before.width);
        EXPECT_EQ(after.height, before.height);
        // The point pressed lies under the release point again.
        EXPECT_NEAR(c.toX + (after.left - before.left), c.fromX, 1e-5);
        EXPECT_EQ(drawing.redraws, ++redraws);
    }
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(MapMouseTest, DragPointerFromTheCurrentFolderThenTheProgramFolder) {
    const struct {
        const char* what;
        bool inCurrent;
        bool inProgram;
        const char* loadedFrom;
    } cases[] = {
        {"both", true, true, "elsewhere"},
        {"current folder only", true, false, "elsewhere"},
        {"program folder only", false, true, "program"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(root / "elsewhere" / MapMouse::cursorName);
        fs::remove(root / "program" / MapMouse::cursorName);
        if (c.inCurrent) {
            makeCursor(root / "elsewhere");
        }
        if (c.inProgram) {
            makeCursor(root / "program");
        }
        surface.loaded.clear();
        mouse.picMap_MouseDown({1, 0, 151.0f, -33.8f});
        ASSERT_EQ(surface.loaded.size(), 1u);
        EXPECT_TRUE(fs::equivalent(surface.loaded[0], root / c.loadedFrom / MapMouse::cursorName));
        EXPECT_EQ(surface.pointer, MapMouse::cursorName);
        mouse.picMap_MouseUp({1, 0, 151.0f, -33.8f});
    }
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(MapMouseTest, MissingDragPointerIsReportedButTheDragStillPans) {
    mouse.picMap_MouseDown({1, 0, 151.0f, -33.8f});
    expectReport("picMap_MouseDown", 53);
    EXPECT_EQ(surface.pointer, "default");
    const float left = surface.scale().left;
    mouse.picMap_MouseUp({1, 0, 151.1f, -33.8f});
    EXPECT_NEAR(surface.scale().left, left - 0.1, 1e-5);
    EXPECT_EQ(window.messages.size(), 1u);
}

TEST_F(MapMouseTest, DoubleClickAppendsTheCellAndElevationRecord) {
    TextFile::appendLines(root / "program" / MapMouse::captureFileName, {"#Apron"});
    moveTo(151.2f, -33.9f);
    const struct {
        const char* elevation;
        const char* ending;
    } cases[] = {
        {"25.5", "25 64"},       {"10.25", "10 32"},
        {"-3.5", "-3 -64"},      {"11", "11 0"},
        {"7.999", "8 0"},        {"-7.999", "-8 0"},
        {"no number", "0 0"},    {"", "0 0"},
        {"12.5 m", "12 64"},     {"0.004", "0 1"},
        {"0.01171875", "0 2"},   {"0.01953125", "0 2"},
        {"-0.01171875", "0 -2"}, {"32766.999", "32767 0"},
    };
    std::string expected = "#Apron\r\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.elevation);
        window.setText("txtElevation", c.elevation);
        mouse.picMap_DblClick();
        expected += std::string("706 352 17 13 ") + c.ending + "\r\n";
        EXPECT_EQ(captureFile(), expected);
    }
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(window.beeps, 0);
}

TEST_F(MapMouseTest, DoubleClickBeepsOnlyWithSound) {
    moveTo(8.5f, 47.5f);
    window.setText("txtElevation", "412.5");
    window.setChecked("mnuSound", true);
    mouse.picMap_DblClick();
    EXPECT_EQ(window.beeps, 1);
    window.setChecked("mnuSound", false);
    mouse.picMap_DblClick();
    EXPECT_EQ(window.beeps, 1);
    EXPECT_EQ(captureFile(), "402 120 4 28 412 64\r\n402 120 4 28 412 64\r\n");
}

TEST_F(MapMouseTest, DoubleClickFailuresWriteNothing) {
    const std::string kept = "#Apron\r\n";
    TextFile::appendLines(root / "program" / MapMouse::captureFileName, {"#Apron"});
    window.setChecked("mnuSound", true);
    const struct {
        const char* what;
        bool moved;
        const char* elevation;
        int number;
    } cases[] = {
        {"no mouse move yet", false, "10", 5},
        {"whole metres beyond 16 bits", true, "40000", 6},
        {"negative metres beyond 16 bits", true, "-32769", 6},
        {"carry beyond 16 bits", true, "32767.999", 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        window.messages.clear();
        for (const char* label :
             {"lblLOD08cellX", "lblLOD08cellY", "lblLOD13AreaX", "lblLOD13AreaY"}) {
            window.setText(label, "N/A");
        }
        if (c.moved) {
            moveTo(151.2f, -33.9f);
        }
        window.setText("txtElevation", c.elevation);
        mouse.picMap_DblClick();
        expectReport("picMap_DblClick", c.number);
        EXPECT_EQ(captureFile(), kept);
    }
    EXPECT_EQ(window.beeps, 0);
}

}  // namespace
}  // namespace tl
