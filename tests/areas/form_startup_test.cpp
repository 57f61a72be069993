#include "areas/form_startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/areas/fake_map_drawing.h"
#include "tests/areas/reports.h"
#include "tests/support/fake_transport.h"
#include "tests/support/fake_window.h"
#include "tests/support/recording_surface.h"
#include "tests/support/temp_folder.h"

namespace tl {
namespace {

using test::FakeMapDrawing;
using test::FakeTransport;
using test::FakeWindow;
using test::RecordingSurface;
using test::reportedLabels;
using test::TempFolder;

constexpr Colour magenta = rgb(255, 0, 255);

// A surface whose marker cannot be recoloured: a failure in the load handler's own steps.
class BrokenMarkerSurface : public RecordingSurface {
public:
    void setMarkerColour(Colour) override { throw Failure(FailureCode::InvalidCall); }
};

class FormStartupTest : public ::testing::Test {
protected:
    TempFolder temp;
    FakeWindow window;
    ErrorReporter errors{window};
    FakeTransport transport;
    FsuipcClient client{transport, [this](const std::string& text) { window.showMessage(text); }};
    ProgramFolder folder{temp.path()};
    NumberText numbers;
    MapView view{1, 2, 3, 4};
    AreaTable table;
    PathRecord path;
    GridSettings grid;
    RecordingSurface surface;
    FakeMapDrawing drawing;
    SettingsReader settings{window, errors, folder, numbers, grid};
    AreaFile areas{window, errors, folder, numbers, table, path, surface};
    SceneryCoverage coverage{window, errors, folder, numbers};
    FormStartup startup{
        window, errors, client, view, table, path, surface, drawing, {settings, areas, coverage}};
};

TEST_F(FormStartupTest, LoadSetsTheStartingStateThenReadsTheThreeFiles) {
    std::uint32_t result = 0;
    ASSERT_TRUE(client.fsuipcOpen(0, result));
    table.areaCount = 5;
    table.vertexCount = 6;
    path.pathCount = 7;
    window.setChecked("mnuMethodLWM", true);
    temp.write("flatten.ini", "lod=8\r\n");
    temp.write("flatten.txt", "\r\n#Apron\r\n412.5\r\n47.5 8.25\r\n");
    temp.write(
        "Tilebound.dat",
        "apron.bgl          47.5                47.0                8.5                 8.0\r\n");

    startup.Form_Load();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_FALSE(client.isOpen());
    EXPECT_EQ(view.mapWidth, 0.25f);
    EXPECT_EQ(view.mapHeight, 0.25f);
    EXPECT_EQ(view.mapHalfWidth, 0.125f);
    EXPECT_EQ(view.mapHalfHeight, 0.125f);
    EXPECT_TRUE(startup.firstActivate);
    EXPECT_EQ(surface.markerColour, magenta);
    EXPECT_TRUE(window.isChecked("mnuMethodArea16N"));
    EXPECT_FALSE(window.isChecked("mnuMethodLWM"));
    const SurfaceScale scale = surface.scale();
    EXPECT_EQ(scale.left, 0);
    EXPECT_EQ(scale.top, 0);
    EXPECT_EQ(scale.width, 4065);
    EXPECT_EQ(scale.height, 4065);
    EXPECT_EQ(surface.penColour, magenta);
    EXPECT_EQ(path.pathCount, 0);

    // The readers ran after the counts were reset.
    EXPECT_EQ(grid.gridLod, 8);
    EXPECT_TRUE(window.isChecked("mnuGridLod(3)"));
    EXPECT_EQ(table.areaCount, 1);
    EXPECT_EQ(table.vertexCount, 1);
    EXPECT_EQ(window.text("txtArea"), "Apron");
    ASSERT_EQ(coverage.coverageList().size(), 1u);
    EXPECT_EQ(coverage.coverageList().fileName(0), "apron.bgl    ");
}

TEST_F(FormStartupTest, EachReaderReportsItsOwnFailureAndTheNextStillRuns) {
    temp.write("flatten.ini", "delay=50\r\nlod=99\r\n");
    temp.write("flatten.txt", "#A\r\n1 x\r\n");
    startup.Form_Load();
    EXPECT_EQ(reportedLabels(window),
              (std::vector<std::string>{"Read Settings", "readData", "readHeaderData"}));
    EXPECT_EQ(grid.linkDelay, 50);
    EXPECT_EQ(grid.gridLod, 13);
    EXPECT_EQ(table.areaCount, 1);
    EXPECT_EQ(window.text("txtArea"), "A");
}

TEST_F(FormStartupTest, WithNoFilesTheAreaFileIsCreated) {
    startup.Form_Load();
    EXPECT_EQ(reportedLabels(window),
              (std::vector<std::string>{"Read Settings", "readHeaderData"}));
    EXPECT_EQ(temp.read("flatten.txt"), "");
    EXPECT_TRUE(window.isChecked("mnuGridLod(8)"));
}

TEST_F(FormStartupTest, AFailureInItsOwnStepsSkipsTheRest) {
    BrokenMarkerSurface broken;
    FormStartup brokenStartup{
        window, errors, client, view, table, path, broken, drawing, {settings, areas, coverage}};
    temp.write("flatten.ini", "lod=8\r\n");
    brokenStartup.Form_Load();
    EXPECT_EQ(reportedLabels(window), std::vector<std::string>{"Form_Load"});
    EXPECT_TRUE(brokenStartup.firstActivate);
    EXPECT_FALSE(window.isChecked("mnuMethodArea16N"));
    EXPECT_EQ(grid.gridLod, 13);
    EXPECT_FALSE(temp.exists("flatten.txt"));
}

TEST_F(FormStartupTest, OnlyTheFirstActivationRedrawsAndOnlyWithANamedArea) {
    struct Case {
        const char* what;
        const char* areaFile;
        int redraws;
    };
    const std::vector<Case> cases{
        {"named areas", "\r\n#A\r\n1\r\n\r\n#B\r\n2\r\n", 1},
        {"empty file", "", 0},
        {"last name empty", "\r\n#A\r\n1\r\n\r\n#\r\n2\r\n", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeWindow freshWindow;
        ErrorReporter freshErrors{freshWindow};
        SettingsReader freshSettings{freshWindow, freshErrors, folder, numbers, grid};
        AreaTable freshTable;
        AreaFile freshAreas{freshWindow, freshErrors, folder, numbers, freshTable, path, surface};
        FakeMapDrawing freshDrawing;
        FormStartup fresh{freshWindow, freshErrors,  client,
                          view,        freshTable,   path,
                          surface,     freshDrawing, {freshSettings, freshAreas, coverage}};
        temp.write("flatten.txt", c.areaFile);
        fresh.Form_Load();
        fresh.Form_Activate();
        EXPECT_FALSE(fresh.firstActivate);
        fresh.Form_Activate();
        EXPECT_EQ(freshDrawing.redraws, c.redraws);
    }
}

}  // namespace
}  // namespace tl
