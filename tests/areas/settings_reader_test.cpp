#include "areas/settings_reader.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/areas/reports.h"
#include "tests/support/fake_window.h"
#include "tests/support/temp_folder.h"

namespace tl {
namespace {

using test::expectOneReport;
using test::FakeWindow;
using test::TempFolder;

const std::vector<std::string> switchEntries{"mnuPlotPath", "mnuSound",       "mnuCoords",
                                             "mnuGrid",     "mnuAreaNumbers", "mnuCounter",
                                             "mnuAllAreas"};

std::string lodEntry(int index) {
    return "mnuGridLod(" + std::to_string(index) + ")";
}

class SettingsReaderTest : public ::testing::Test {
protected:
    // The marks of the seven switches, in the order of switchEntries.
    std::vector<bool> switches() const {
        std::vector<bool> marks;
        for (const auto& entry : switchEntries) {
            marks.push_back(window.isChecked(entry));
        }
        return marks;
    }
    // The indexes of every checked Grid LOD entry.
    std::vector<int> checkedLodEntries() const {
        std::vector<int> checked;
        for (int i = 0; i <= 10; ++i) {
            if (window.isChecked(lodEntry(i))) {
                checked.push_back(i);
            }
        }
        return checked;
    }
    void applyAfterDefaults(std::string_view text) {
        reader.setDefaults();
        reader.apply(text);
    }

    TempFolder temp;
    FakeWindow window;
    ErrorReporter errors{window};
    ProgramFolder folder{temp.path()};
    NumberText numbers;
    GridSettings grid{7, 7};
    SettingsReader reader{window, errors, folder, numbers, grid};
};

const std::vector<bool> defaultSwitches{true, true, false, true, false, true, true};

TEST_F(SettingsReaderTest, NoFileKeepsTheDefaultsAndReportsOnce) {
    window.setChecked("mnuCoords", true);
    window.setVisible("lblPC", false);
    reader.readSettings();
    expectOneReport(window, "Read Settings", 53);
    EXPECT_EQ(switches(), defaultSwitches);
    EXPECT_EQ(checkedLodEntries(), std::vector<int>{8});
    EXPECT_EQ(grid.gridLod, 13);
    EXPECT_EQ(grid.linkDelay, 100);
    EXPECT_TRUE(window.isVisible("lblPC"));
}

TEST_F(SettingsReaderTest, SwitchLines) {
    struct Case {
        const char* line;
        std::map<std::string, bool> changed;  // entries that differ from the defaults
    };
    const std::vector<Case> cases{
        {"path=0", {{"mnuPlotPath", false}}},
        {"path=1", {}},
        {"path=yes", {}},
        {"Path=0", {}},
        {"path =0", {}},
        {"#path=0", {}},
        {"path0", {}},
        {"path=", {}},
        {"sound=no0", {{"mnuSound", false}}},
        {"sound=0 ", {}},
        {"coords=1", {{"mnuCoords", true}}},
        {"coords=0", {}},
        {"grid=0", {{"mnuGrid", false}}},
        {"numbers=1", {{"mnuAreaNumbers", true}}},
        {"counter=0", {{"mnuCounter", false}}},
        {"areas=0", {{"mnuAllAreas", false}}},
        {"areas=x=0", {{"mnuAllAreas", false}}},
        {"unknown=0", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        applyAfterDefaults(c.line);
        for (std::size_t i = 0; i < switchEntries.size(); ++i) {
            const auto it = c.changed.find(switchEntries[i]);
            const bool expected = it == c.changed.end() ? defaultSwitches[i] : it->second;
            EXPECT_EQ(window.isChecked(switchEntries[i]), expected) << switchEntries[i];
        }
        EXPECT_EQ(window.isVisible("lblPC"), !c.changed.contains("mnuCounter"));
        EXPECT_EQ(grid.gridLod, 13);
        EXPECT_EQ(grid.linkDelay, 100);
    }
}

TEST_F(SettingsReaderTest, NumberLines) {
    struct Case {
        const char* text;
        int gridLod;
        int linkDelay;
        int failure;  // 0: none
    };
    const std::vector<Case> cases{
        {"lod=8", 8, 100, 0},
        {"lod=11\nlod=9", 9, 100, 0},
        {"lod= 15 ", 15, 100, 0},
        {"lod=12.5", 12, 100, 0},
        {"lod=13.5", 14, 100, 0},
        {"lod=5", 5, 100, 0},
        {"delay=250", 13, 250, 0},
        {"delay=10\ndelay=20", 13, 20, 0},
        {"delay=2.5", 13, 2, 0},
        {"delay=0", 13, 0, 0},
        // Negative delays are stored as no pause.
        {"delay=-5", 13, 0, 0},
        {"delay=32767", 13, 32767, 0},
        {"delay=32768", 13, 100, 6},
        {"delay=fast", 13, 100, 13},
        {"delay=", 13, 100, 13},
        // A level without a menu entry changes nothing and stops the reading.
        {"lod=20\ndelay=5", 13, 100, 9},
        {"lod=4", 13, 100, 9},
        {"lod=-1", 13, 100, 9},
        {"lod=15.5", 13, 100, 9},
        {"lod=8\nlod=16", 8, 100, 9},
        {"lod=70000", 13, 100, 6},
        {"delay=40\nlod=x\ndelay=50", 13, 40, 13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int failure = 0;
        try {
            applyAfterDefaults(c.text);
        } catch (const Failure& f) {
            failure = f.number();
        }
        EXPECT_EQ(failure, c.failure);
        EXPECT_EQ(grid.gridLod, c.gridLod);
        EXPECT_EQ(grid.linkDelay, c.linkDelay);
        EXPECT_EQ(checkedLodEntries(), std::vector<int>{c.gridLod - 5});
    }
}

TEST_F(SettingsReaderTest, FileIsReadInOrderUpToTheFailingLine) {
    temp.write("flatten.ini",
               "# view\r\ncounter=0\r\nnumbers=1\r\nlod=11\r\ndelay=abc\r\ngrid=0\r\n");
    reader.readSettings();
    expectOneReport(window, "Read Settings", 13);
    EXPECT_NE(window.messages[0].find("flatten.ini, line 5"), std::string::npos);
    EXPECT_FALSE(window.isChecked("mnuCounter"));
    EXPECT_FALSE(window.isVisible("lblPC"));
    EXPECT_TRUE(window.isChecked("mnuAreaNumbers"));
    EXPECT_EQ(grid.gridLod, 11);
    EXPECT_EQ(checkedLodEntries(), std::vector<int>{6});
    EXPECT_TRUE(window.isChecked("mnuGrid"));
}

TEST_F(SettingsReaderTest, BareLineFeedsAndDecimalComma) {
    NumberText comma(',');
    SettingsReader commaReader{window, errors, folder, comma, grid};
    temp.write("flatten.ini", "sound=0\nlod=10,5\ndelay=2,5");
    commaReader.readSettings();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_FALSE(window.isChecked("mnuSound"));
    EXPECT_EQ(grid.gridLod, 10);
    EXPECT_EQ(grid.linkDelay, 2);
}

}  // namespace
}  // namespace tl
