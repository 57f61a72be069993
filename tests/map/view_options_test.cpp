#include "map/view_options.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/failure.h"
#include "tests/support/fake_window.h"
#include "tests/support/recording_surface.h"

namespace tl {
namespace {

// Counts redraws and notes whether Show Grid was marked at each.
class CountingDrawing : public MapDrawing {
public:
    explicit CountingDrawing(const test::FakeWindow& window) : window_(window) {}
    void redrawMap() override {
        ++redraws;
        gridMarkedAtRedraw.push_back(window_.isChecked("mnuGrid"));
    }
    void LinkVertices(int, int, Colour, Colour, int) override {}

    int redraws = 0;
    std::vector<bool> gridMarkedAtRedraw;

private:
    const test::FakeWindow& window_;
};

std::string lodEntry(int index) {
    return "mnuGridLod(" + std::to_string(index) + ")";
}

// A menu with the eleven Grid LOD entries only: naming any other entry is a failure.
class MenuWindow : public test::FakeWindow {
public:
    void setChecked(std::string_view entry, bool checked) override {
        if (entry.starts_with("mnuGridLod(")) {
            bool exists = false;
            for (int i = 0; i < ViewOptions::gridLodEntries; ++i) {
                exists = exists || entry == lodEntry(i);
            }
            if (!exists) {
                throw Failure(FailureCode::IndexOutOfRange, std::string(entry));
            }
        }
        FakeWindow::setChecked(entry, checked);
    }
};

class ViewOptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The state after load: default marks, LOD 13, Area16N.
        for (const char* entry :
             {"mnuPlotPath", "mnuSound", "mnuGrid", "mnuCounter", "mnuAllAreas"}) {
            window.setChecked(entry, true);
        }
        window.setChecked(lodEntry(8), true);
        window.setChecked("mnuMethodArea16N", true);
        window.setText("lblHypFile", "ZURICH.BGL");
        window.setText("txtArea", "Apron");
        window.setText("txtElevation", "412.5");
        areas.areaCount = 3;
        areas.vertexCount = 4;
        path.pathCount = 120;
    }

    std::vector<int> markedLodEntries() const {
        std::vector<int> marked;
        for (int i = 0; i < ViewOptions::gridLodEntries; ++i) {
            if (window.isChecked(lodEntry(i))) {
                marked.push_back(i);
            }
        }
        return marked;
    }

    bool capturedAreasKept() const {
        return areas.areaCount == 3 && areas.vertexCount == 4 && path.pathCount == 120;
    }

    MenuWindow window;
    GridSettings grid;
    AreaTable areas;
    PathRecord path;
    test::RecordingSurface surface;
    CountingDrawing drawing{window};
    ViewOptions options{window, grid, areas, path, surface, drawing};
};

TEST_F(ViewOptionsTest, SimpleTogglesReverseTheirMarkAndDrawNothing) {
    const struct {
        const char* entry;
        void (ViewOptions::*click)();
    } cases[] = {
        {"mnuSound", &ViewOptions::mnuSound_Click},
        {"mnuPlotPath", &ViewOptions::mnuPlotPath_Click},
        {"mnuAllAreas", &ViewOptions::mnuAllAreas_Click},
        {"mnuAreaNumbers", &ViewOptions::mnuAreaNumbers_Click},
        {"mnuCoords", &ViewOptions::mnuCoords_Click},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        const bool before = window.isChecked(c.entry);
        (options.*c.click)();
        EXPECT_EQ(window.isChecked(c.entry), !before);
        (options.*c.click)();
        EXPECT_EQ(window.isChecked(c.entry), before);
    }
    EXPECT_EQ(drawing.redraws, 0);
    EXPECT_EQ(surface.clears, 0);
    EXPECT_TRUE(window.isVisible("lblPC"));
}

TEST_F(ViewOptionsTest, ShowGridRedrawsWithTheNewMark) {
    options.mnuGrid_Click();
    options.mnuGrid_Click();
    EXPECT_EQ(drawing.gridMarkedAtRedraw, (std::vector<bool>{false, true}));
}

TEST_F(ViewOptionsTest, ShowCounterShowsAndHidesTheCounter) {
    options.mnuCounter_Click();
    EXPECT_FALSE(window.isChecked("mnuCounter"));
    EXPECT_FALSE(window.isVisible("lblPC"));
    options.mnuCounter_Click();
    EXPECT_TRUE(window.isChecked("mnuCounter"));
    EXPECT_TRUE(window.isVisible("lblPC"));
    EXPECT_EQ(path.pathCount, 120);
    EXPECT_EQ(drawing.redraws, 0);
}

TEST_F(ViewOptionsTest, GridLodEntryMovesTheMarkAndRedraws) {
    const struct {
        int index;
        std::int16_t lod;
    } cases[] = {{10, 15}, {0, 5}, {0, 5}, {8, 13}, {3, 8}};
    int redraws = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        options.mnuGridLod_Click(c.index);
        EXPECT_EQ(grid.gridLod, c.lod);
        EXPECT_EQ(markedLodEntries(), std::vector<int>{c.index});
        EXPECT_EQ(drawing.redraws, ++redraws);
    }
}

TEST_F(ViewOptionsTest, GridLodRedrawsAlsoWhenTheGridIsHidden) {
    window.setChecked("mnuGrid", false);
    options.mnuGridLod_Click(10);
    EXPECT_EQ(grid.gridLod, 15);
    EXPECT_EQ(drawing.gridMarkedAtRedraw, std::vector<bool>{false});
}

TEST_F(ViewOptionsTest, GridLodClickMendsALevelOutsideTheMenu) {
    // A faulty settings file: the level names no entry, and entry 8 lost its mark.
    for (const std::int16_t faulty : {std::int16_t{4}, std::int16_t{16}, std::int16_t{-1}}) {
        SCOPED_TRACE(faulty);
        grid.gridLod = faulty;
        window.setChecked(lodEntry(8), false);
        options.mnuGridLod_Click(2);
        EXPECT_EQ(grid.gridLod, 7);
        EXPECT_EQ(markedLodEntries(), std::vector<int>{2});
    }
}

TEST_F(ViewOptionsTest, GridLodIndexOutsideTheMenuChangesNothing) {
    for (const int index : {-1, 11, 100}) {
        SCOPED_TRACE(index);
        options.mnuGridLod_Click(index);
        EXPECT_EQ(grid.gridLod, 13);
        EXPECT_EQ(markedLodEntries(), std::vector<int>{8});
    }
    EXPECT_EQ(drawing.redraws, 0);
}

TEST_F(ViewOptionsTest, SwitchToLwmDropsCapturesAndTakesTheCoveringFileName) {
    options.mnuMethodLWM_Click();
    EXPECT_EQ(areas.areaCount, 0);
    EXPECT_EQ(areas.vertexCount, 0);
    EXPECT_EQ(path.pathCount, 0);
    EXPECT_EQ(window.text("txtElevation"), "");
    EXPECT_EQ(window.text("txtArea"), "ZURICH.BGL");
    EXPECT_EQ(surface.clears, 1);
    EXPECT_EQ(drawing.redraws, 1);
    EXPECT_TRUE(window.isChecked("mnuMethodLWM"));
    EXPECT_FALSE(window.isChecked("mnuMethodArea16N"));
    EXPECT_EQ(window.caption(), "Terralevel - LWM");
    // The boxes are emptied before the name is copied in.
    const std::vector<std::string> log(window.textLog.end() - 3, window.textLog.end());
    EXPECT_EQ(log, (std::vector<std::string>{"txtArea=", "txtElevation=", "txtArea=ZURICH.BGL"}));
}

TEST_F(ViewOptionsTest, SwitchBackToArea16NLeavesBothBoxesEmpty) {
    options.mnuMethodLWM_Click();
    window.setText("txtElevation", "10");
    areas.areaCount = 1;
    options.mnuMethodArea16N_Click();
    EXPECT_EQ(areas.areaCount, 0);
    EXPECT_EQ(window.text("txtArea"), "");
    EXPECT_EQ(window.text("txtElevation"), "");
    EXPECT_EQ(drawing.redraws, 2);
    EXPECT_TRUE(window.isChecked("mnuMethodArea16N"));
    EXPECT_FALSE(window.isChecked("mnuMethodLWM"));
    EXPECT_EQ(window.caption(), "Terralevel - Area16N");
}

TEST_F(ViewOptionsTest, ClickOnTheSelectedMethodResetsNothing) {
    options.mnuMethodArea16N_Click();
    EXPECT_TRUE(capturedAreasKept());
    EXPECT_EQ(window.text("txtArea"), "Apron");
    EXPECT_EQ(window.text("txtElevation"), "412.5");
    EXPECT_EQ(drawing.redraws, 0);
    EXPECT_EQ(window.caption(), "Terralevel - Area16N");

    options.mnuMethodLWM_Click();
    areas.areaCount = 3;
    areas.vertexCount = 4;
    path.pathCount = 120;
    window.setText("txtElevation", "7");
    window.setText("lblHypFile", "N/A");
    options.mnuMethodLWM_Click();
    EXPECT_TRUE(capturedAreasKept());
    EXPECT_EQ(window.text("txtElevation"), "7");
    EXPECT_EQ(window.text("txtArea"), "N/A");
    EXPECT_EQ(drawing.redraws, 1);
    EXPECT_EQ(window.caption(), "Terralevel - LWM");
}

}  // namespace
}  // namespace tl
