#include "areas/area_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/areas/reports.h"
#include "tests/support/fake_window.h"
#include "tests/support/recording_surface.h"
#include "tests/support/temp_folder.h"

namespace tl {
namespace {

using test::expectOneReport;
using test::FakeWindow;
using test::RecordingSurface;
using test::reportedLabels;
using test::TempFolder;

// Counts hold together: no more than the table holds, and the current area's count in step.
void expectConsistent(const AreaTable& table) {
    ASSERT_GE(table.areaCount, 0);
    ASSERT_LE(table.areaCount, AreaTable::maxAreas);
    ASSERT_GE(table.vertexCount, 0);
    ASSERT_LE(table.vertexCount, AreaTable::maxVertices);
    if (table.areaCount > 0) {
        EXPECT_EQ(table.areaVertexCount(table.areaCount), table.vertexCount);
    } else {
        EXPECT_EQ(table.vertexCount, 0);
    }
}

std::string lines(const std::vector<std::string>& items, std::string_view end = "\r\n") {
    std::string text;
    for (const auto& item : items) {
        text += item;
        text += end;
    }
    return text;
}

TEST(AreaFileLoad, ReadsTheTwoAreaExampleWithEitherLineEnd) {
    const std::vector<std::string> file{"",         "#North apron", "412.5", "47.1 8.2",
                                        "47.2 8.3", "47.3 8.25",    "",      "#Taxiway",
                                        "409",      "47.9 8.1"};
    for (std::string_view end : {"\r\n", "\n"}) {
        SCOPED_TRACE(end.size() == 2 ? "CR LF" : "LF");
        AreaTable table;
        const auto result = AreaFile::load(lines(file, end), NumberText(), table);
        EXPECT_FALSE(result.failure);
        EXPECT_EQ(table.areaCount, 2);
        EXPECT_EQ(table.vertexCount, 1);
        EXPECT_EQ(table.areaVertexCount(1), 3);
        EXPECT_EQ(table.areaVertexCount(2), 1);
        EXPECT_DOUBLE_EQ(table.areaPoints(1, 3).lat, 47.3);
        EXPECT_DOUBLE_EQ(table.areaPoints(1, 3).lon, 8.25);
        EXPECT_DOUBLE_EQ(table.areaPoints(2, 1).lat, 47.9);
        EXPECT_DOUBLE_EQ(table.areaPoints(2, 1).lon, 8.1);
        EXPECT_EQ(result.areaName, "Taxiway");
        EXPECT_EQ(result.elevation, "409");
    }
}

TEST(AreaFileLoad, LineRules) {
    struct Case {
        const char* what;
        std::vector<std::string> file;
        int areaCount;
        int vertexCount;
        std::optional<std::string> name;
        std::optional<std::string> elevation;
        int failure;  // 0: none
        std::size_t failedLine;
    };
    const std::vector<Case> cases{
        {"last area without vertices",
         {"#A", "12", "47.1 8.2", "47.2 8.3", "#B", "15"},
         2,
         0,
         "B",
         "15",
         0,
         0},
        {"empty lines anywhere",
         {"", "", "#A", "", "12", "", "47.1 8.2", "", ""},
         1,
         1,
         "A",
         "12",
         0,
         0},
        {"name line of a lone #", {"#", "7"}, 1, 0, "", "7", 0, 0},
        {"name with spaces", {"# Apron 2 ", "1 2"}, 1, 1, " Apron 2 ", std::nullopt, 0, 0},
        {"later elevation wins", {"#A", "12", "#B", "13", "14"}, 2, 0, "B", "14", 0, 0},
        {"elevation with a space stops", {"#A", "12 m", "#B"}, 1, 0, "A", std::nullopt, 13, 2},
        {"line of blanks stops", {"#A", "   "}, 1, 0, "A", std::nullopt, 13, 2},
        {"tab is no space", {"#A", "47.5\t8.25"}, 1, 0, "A", "47.5\t8.25", 0, 0},
        {"vertex before any name", {"47.5 8.25", "#A"}, 0, 0, std::nullopt, std::nullopt, 9, 1},
        {"longitude not a number", {"#A", "1", "47.5 8.2x", "47.6 8.3"}, 1, 0, "A", "1", 13, 3},
        {"comment after a vertex", {"#A", "47.5 8.25 east"}, 1, 0, "A", std::nullopt, 13, 2},
        {"blanks around numbers", {"#A", "47.5   8.25 "}, 1, 1, "A", std::nullopt, 0, 0},
        {"leading blank is the first space", {"#A", " 47.5 8.25"}, 1, 0, "A", std::nullopt, 13, 2},
        {"empty file", {}, 0, 0, std::nullopt, std::nullopt, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AreaTable table;
        const auto result = AreaFile::load(lines(c.file), NumberText(), table);
        EXPECT_EQ(table.areaCount, c.areaCount);
        EXPECT_EQ(table.vertexCount, c.vertexCount);
        EXPECT_EQ(result.areaName, c.name);
        EXPECT_EQ(result.elevation, c.elevation);
        EXPECT_EQ(result.failure ? result.failure->number() : 0, c.failure);
        EXPECT_EQ(result.failedLine, c.failedLine);
        expectConsistent(table);
    }
}

TEST(AreaFileLoad, TwoSpacesSplitAtTheFirst) {
    AreaTable table;
    const auto result = AreaFile::load("#A\r\n47.5  8.25\r\n", NumberText(), table);
    ASSERT_FALSE(result.failure);
    EXPECT_DOUBLE_EQ(table.areaPoints(1, 1).lat, 47.5);
    EXPECT_DOUBLE_EQ(table.areaPoints(1, 1).lon, 8.25);
}

TEST(AreaFileLoad, DecimalCommaReadsWhatItWrote) {
    AreaTable table;
    const auto result = AreaFile::load("#A\r\n412,5\r\n-33,875 151,25\r\n", NumberText(','), table);
    ASSERT_FALSE(result.failure);
    EXPECT_DOUBLE_EQ(table.areaPoints(1, 1).lat, -33.875);
    EXPECT_DOUBLE_EQ(table.areaPoints(1, 1).lon, 151.25);
    EXPECT_EQ(result.elevation, "412,5");
}

TEST(AreaFileLoad, FailureNamesTheFileAndLine) {
    AreaTable table;
    const auto result = AreaFile::load("#A\r\nx y\r\n", NumberText(), table);
    ASSERT_TRUE(result.failure);
    EXPECT_NE(result.failure->description().find("flatten.txt, line 2"), std::string::npos);
}

// A file with `areas` areas of `vertices` vertices each, then `tail` lines.
std::string fullFile(int areas, int vertices, const std::vector<std::string>& tail = {}) {
    std::string text;
    for (int a = 1; a <= areas; ++a) {
        text += "\r\n#Area " + std::to_string(a) + "\r\n" + std::to_string(400 + a) + "\r\n";
        for (int v = 1; v <= vertices; ++v) {
            text += std::to_string(a) + "." + std::to_string(v) + " " + std::to_string(v) + "\r\n";
        }
    }
    return text + lines(tail);
}

TEST(AreaFileLoad, FullTableLoadsWhole) {
    AreaTable table;
    const auto result = AreaFile::load(fullFile(128, 512), NumberText(), table);
    ASSERT_FALSE(result.failure);
    EXPECT_EQ(table.areaCount, 128);
    EXPECT_EQ(table.vertexCount, 512);
    EXPECT_EQ(table.areaVertexCount(1), 512);
    EXPECT_DOUBLE_EQ(table.areaPoints(128, 512).lat, 128.512);
    EXPECT_EQ(result.areaName, "Area 128");
}

TEST(AreaFileLoad, StopsAtTheTableLimitsWithCountsInsideTheTable) {
    struct Case {
        const char* what;
        std::string text;
        int areaCount;
        int vertexCount;
        std::string name;
    };
    const std::vector<Case> cases{
        // The 129th name line is refused: area 128 stays current, its name stays shown.
        {"129th area", fullFile(128, 2, {"#Area 129", "1 1"}), 128, 2, "Area 128"},
        {"513th vertex", fullFile(1, 513, {"#Next", "1 1"}), 1, 512, "Area 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AreaTable table;
        const auto result = AreaFile::load(c.text, NumberText(), table);
        ASSERT_TRUE(result.failure);
        EXPECT_EQ(result.failure->number(), 9);
        EXPECT_EQ(table.areaCount, c.areaCount);
        EXPECT_EQ(table.vertexCount, c.vertexCount);
        EXPECT_EQ(result.areaName, c.name);
        expectConsistent(table);
    }
}

// Random files built from lines of every kind, many of them past the table's limits: the load
// never escapes with an exception and always leaves the counts inside the table.
TEST(AreaFileLoad, RandomFilesNeverLeaveTheTable) {
    const std::vector<std::string> kinds{"",       "#n",  "#",     "12",  "1 2",
                                         "-0.5 7", "x y", "1 2 3", "   ", "\t"};
    std::mt19937 random(20240611);
    for (int round = 0; round < 60; ++round) {
        std::string text;
        const int count = static_cast<int>(random() % 3000);
        // Long runs of one kind reach 128 areas or 512 vertices.
        for (int i = 0; i < count;) {
            const auto& kind = kinds[random() % kinds.size()];
            const int run = 1 + static_cast<int>(random() % 600);
            for (int r = 0; r < run && i < count; ++r, ++i) {
                text += kind;
                text += (random() % 2) ? "\r\n" : "\n";
            }
        }
        AreaTable table;
        AreaFile::LoadResult result;
        ASSERT_NO_THROW(result = AreaFile::load(text, NumberText(), table));
        expectConsistent(table);
        if (result.failure) {
            EXPECT_TRUE(result.failure->number() == 9 || result.failure->number() == 13);
        }
    }
}

class AreaFileTest : public ::testing::Test {
protected:
    // One area of one vertex in the area file, one name in the LWM capture file.
    void loadWithCaptureFile() {
        temp.write("flatten.txt", "#A\r\n1 2\r\n");
        temp.write("bgl-asm.txt", "#L\r\n");
        file.readData();
    }

    TempFolder temp;
    FakeWindow window;
    ErrorReporter errors{window};
    ProgramFolder folder{temp.path()};
    NumberText numbers;
    AreaTable table;
    PathRecord path;
    RecordingSurface surface;
    AreaFile file{window, errors, folder, numbers, table, path, surface};
};

TEST_F(AreaFileTest, MissingFileIsCreatedEmpty) {
    file.readData();
    EXPECT_TRUE(temp.exists("flatten.txt"));
    EXPECT_EQ(temp.read("flatten.txt"), "");
    EXPECT_EQ(table.areaCount, 0);
    EXPECT_TRUE(window.textLog.empty());
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(AreaFileTest, LoadShowsTheLastNameAndElevation) {
    temp.write("flatten.txt", "\r\n#A\r\n12\r\n47.1 8.2\r\n\r\n#B\r\n15\r\n47.9 8.1\r\n");
    file.readData();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(window.text("txtArea"), "B");
    EXPECT_EQ(window.text("txtElevation"), "15");
    EXPECT_EQ(table.areaCount, 2);
    EXPECT_EQ(table.vertexCount, 1);
}

TEST_F(AreaFileTest, FailingLineIsReportedAndEarlierLinesStay) {
    temp.write("flatten.txt", "#A\n12\n47.1 8.2\n#B\n15\n47.5 8,2\n#C\n");
    file.readData();
    expectOneReport(window, "readData", 13);
    EXPECT_EQ(window.text("txtArea"), "B");
    EXPECT_EQ(window.text("txtElevation"), "15");
    EXPECT_EQ(table.areaCount, 2);
    EXPECT_EQ(table.areaVertexCount(1), 1);
    EXPECT_EQ(table.vertexCount, 0);
}

TEST_F(AreaFileTest, VertexBeforeAnyNameLoadsNothing) {
    temp.write("flatten.txt", "47.5 8.25\r\n#A\r\n12\r\n");
    file.readData();
    expectOneReport(window, "readData", 9);
    EXPECT_EQ(table.areaCount, 0);
    EXPECT_TRUE(window.textLog.empty());
}

TEST_F(AreaFileTest, FileThatCannotBeReadIsReported) {
    std::filesystem::create_directory(temp.file("flatten.txt"));
    file.readData();
    EXPECT_EQ(reportedLabels(window), std::vector<std::string>{"readData"});
    EXPECT_EQ(table.areaCount, 0);
}

TEST_F(AreaFileTest, NewFileArea16NDeletesTheAreaFileAndResets) {
    window.setChecked("mnuMethodArea16N", true);
    loadWithCaptureFile();
    window.setText("txtArea", "kept");
    path.pathCount = 40;
    surface.point(1, 2);

    file.cmdNewFile_Click();
    EXPECT_FALSE(temp.exists("flatten.txt"));
    EXPECT_EQ(temp.read("bgl-asm.txt"), "#L\r\n");
    EXPECT_EQ(table.areaCount, 0);
    EXPECT_EQ(table.vertexCount, 0);
    EXPECT_EQ(path.pathCount, 0);
    EXPECT_EQ(surface.clears, 1);
    EXPECT_TRUE(surface.calls.empty());
    EXPECT_EQ(window.text("txtArea"), "kept");

    // Again, with no file left to delete: still no message.
    file.cmdNewFile_Click();
    EXPECT_TRUE(window.messages.empty());

    // The next start-up creates an empty file.
    file.readData();
    EXPECT_EQ(temp.read("flatten.txt"), "");
}

TEST_F(AreaFileTest, NewFileLwmDeletesOnlyTheCaptureFile) {
    loadWithCaptureFile();
    path.pathCount = 5;

    file.cmdNewFile_Click();
    EXPECT_FALSE(temp.exists("bgl-asm.txt"));
    EXPECT_EQ(temp.read("flatten.txt"), "#A\r\n1 2\r\n");
    EXPECT_EQ(table.areaCount, 1);
    EXPECT_EQ(table.vertexCount, 1);
    EXPECT_EQ(path.pathCount, 5);
    EXPECT_EQ(surface.clears, 0);

    file.cmdNewFile_Click();
    EXPECT_TRUE(window.messages.empty());
}

}  // namespace
}  // namespace tl
