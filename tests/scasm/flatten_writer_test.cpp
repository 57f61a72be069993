#include "scasm/flatten_writer.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "tests/scasm/folder_files.h"
#include "tests/support/fake_window.h"

namespace tl {
namespace {

using test::crlf;

std::string spaces(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

const std::string sourceTop = crlf({
    "; SCASM file created by Terralevel.exe",
    "; Flatten area source generated from flatten.txt",
    "",
});

class FlattenWriterTest : public ::testing::Test {
protected:
    FlattenWriterTest() { std::filesystem::create_directory(programPath); }

    // An area as the build leaves it at its end: its vertices in the slots, bounds as given.
    void setArea(const std::string& name, float elevation,
                 const std::vector<std::pair<double, double>>& vertices) {
        state.buildAreaName = name;
        state.buildElevation = elevation;
        state.buildVertexIndex = static_cast<std::int16_t>(vertices.size() + 1);
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            state.buildLat[i] = vertices[i].first;
            state.buildLon[i] = vertices[i].second;
        }
    }
    void setBounds(double north, double south, double east, double west) {
        state.buildNorth = north;
        state.buildSouth = south;
        state.buildEast = east;
        state.buildWest = west;
    }
    std::string file(const std::string& name) const { return TextFile::readAll(folder.file(name)); }
    std::vector<std::string> sourceLines(const std::string& name) const {
        return TextFile::readLines(folder.file(name + ".sca"));
    }
    std::set<std::string> written() const { return test::namesIn(temp / "prog"); }

    test::TempFolder temp;
    std::filesystem::path programPath = (temp / "prog");
    ProgramFolder folder{programPath};
    NumberText numbers;
    test::FakeWindow window;
    ErrorReporter reporter{window};
    BuildState state;
    FlattenWriter writer{state, folder, numbers, reporter};
};

TEST_F(FlattenWriterTest, WritesTheWorkedExampleSourceAndItsCompileLine) {
    setArea("Apron", 412.5f, {{47.25, 8.5}, {51.5, -0.125}});
    setBounds(51.5, 47.25, 8.5, -0.125);

    EXPECT_TRUE(writer.ProcessArea());

    EXPECT_EQ(file("Apron.sca"), test::workedExampleSource('.'));
    EXPECT_EQ(file("flatten.bat"), crlf({R"(scasm "Apron.sca" "Apron.bgl")"}));
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(FlattenWriterTest, AreaWithoutVerticesKeepsTheBoundsSetAtItsHeader) {
    setArea("Empty", 0.0f, {});
    setBounds(-90, 90, -180, 180);

    EXPECT_TRUE(writer.ProcessArea());

    EXPECT_EQ(file("Empty.sca"), sourceTop + crlf({
                                                 "Header ( 1 -90 90 -180 180)",
                                                 "LatRange ( 90 -90)",
                                                 "Set ( areamx 64 )",
                                                 "Area16N",
                                                 "  Elevation ( 0",
                                                 "  )",
                                                 "END16",
                                             }));
}

TEST_F(FlattenWriterTest, VertexLinesTakeTheirPrintZones) {
    struct LineCase {
        double lat;
        double lon;
        std::string line;
    };
    const LineCase cases[] = {
        // Longitude item in column 15, ";" in column 29.
        {47.25, 8.5, "    47.25" + spaces(5) + " 8.5 " + spaces(9) + ";1"},
        {51.5, -0.125, "    51.5" + spaces(6) + "-0.125 " + spaces(7) + ";1"},
        {0, 0, "    0" + spaces(9) + " 0 " + spaces(11) + ";1"},
        // A first item of 15 to 28 characters moves the rest one zone on.
        {47.1234567891, 8.5, "    47.1234567891" + spaces(11) + " 8.5 " + spaces(9) + ";1"},
        // An item that ends exactly at a zone's end: the next one starts a zone further on.
        {47.1234567, 8.5, "    47.1234567" + spaces(14) + " 8.5 " + spaces(9) + ";1"},
        {47.25, 8.1234567891, "    47.25" + spaces(5) + " 8.1234567891 " + spaces(14) + ";1"},
        // Fifteen significant digits, and the exponent form.
        {1.0 / 3, -1.0 / 3,
         "    0.333333333333333" + spaces(7) + "-0.333333333333333 " + spaces(9) + ";1"},
        {0.00005, -0.00000125, "    5E-05" + spaces(5) + "-1.25E-06 " + spaces(4) + ";1"},
    };
    for (const LineCase& c : cases) {
        setArea("Zones", 1.0f, {{c.lat, c.lon}});
        writer.ProcessArea();
        const auto lines = sourceLines("Zones");
        ASSERT_EQ(lines.size(), 11u);
        EXPECT_EQ(lines[8], c.line) << c.lat << " " << c.lon;
    }
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(FlattenWriterTest, DecimalCommaReachesEveryNumber) {
    const NumberText comma(',');
    FlattenWriter commaWriter(state, folder, comma, reporter);
    setArea("Komma", 412.5f, {{47.25, 8.5}, {51.5, -0.125}});
    setBounds(51.5, 47.25, 8.5, -0.125);

    EXPECT_TRUE(commaWriter.ProcessArea());

    EXPECT_EQ(file("Komma.sca"), test::workedExampleSource(','));
}

TEST_F(FlattenWriterTest, FullAreaGivesAllFiveHundredTwelveVertexLines) {
    std::vector<std::pair<double, double>> vertices;
    for (int k = 1; k <= BuildState::maxVertices; ++k) {
        vertices.emplace_back(47 + k / 1024.0, 8 - k / 1024.0);
    }
    setArea("Full", 5.0f, vertices);

    EXPECT_TRUE(writer.ProcessArea());

    const auto lines = sourceLines("Full");
    ASSERT_EQ(lines.size(), 8u + 512u + 2u);
    for (int k = 1; k <= BuildState::maxVertices; ++k) {
        const std::string& line = lines[static_cast<std::size_t>(7 + k)];
        EXPECT_EQ(line.substr(line.rfind(';')), ";" + std::to_string(k));
    }
    EXPECT_EQ(lines[8 + 511], "    47.5" + spaces(6) + " 7.5 " + spaces(9) + ";512");
    EXPECT_EQ(lines[8 + 512], "  )");
}

TEST_F(FlattenWriterTest, NamesAreUsedUnchangedButPercentIsDoubledInTheBatch) {
    const std::pair<double, double> first{47, 8};
    setArea("North apron", 1.0f, {first});
    writer.ProcessArea();
    setArea("50%off", 1.0f, {first});
    writer.ProcessArea();
    // A second area of the same name replaces the first source; the batch compiles it twice.
    setArea("North apron", 2.0f, {first, {48, 9}});
    writer.ProcessArea();

    EXPECT_EQ(file("flatten.bat"), crlf({
                                       R"(scasm "North apron.sca" "North apron.bgl")",
                                       R"(scasm "50%%off.sca" "50%%off.bgl")",
                                       R"(scasm "North apron.sca" "North apron.bgl")",
                                   }));
    EXPECT_EQ(written(), (std::set<std::string>{"flatten.bat", "North apron.sca", "50%off.sca"}));
    EXPECT_EQ(sourceLines("North apron").size(), 8u + 2u + 2u);
    EXPECT_EQ(sourceLines("North apron")[7], "  Elevation ( 2");
}

TEST_F(FlattenWriterTest, RefusesUnusableNamesBeforeWritingAnything) {
    const std::string names[] = {
        "x\" & del /q *.* & \"",
        "../escaped",
        "..\\escaped",
        "CON",
        "lpt1.area",
        "apron.",
        "tab\tname",
    };
    for (const std::string& name : names) {
        window.messages.clear();
        setArea(name, 1.0f, {{47, 8}});

        EXPECT_FALSE(writer.ProcessArea()) << name;

        ASSERT_EQ(window.messages.size(), 1u) << name;
        EXPECT_EQ(window.messages[0].rfind(
                      "Error encountered in procedure ProcessArea\r\n\r\nError Number: 52\r\n", 0),
                  0u)
            << window.messages[0];
        EXPECT_TRUE(written().empty()) << name;
        EXPECT_EQ(test::namesIn(temp.path()), std::set<std::string>{"prog"}) << name;
    }
}

TEST_F(FlattenWriterTest, RefusesAVertexIndexOutsideTheSlots) {
    for (const std::int16_t index : {std::int16_t{0}, std::int16_t{-3}, std::int16_t{514}}) {
        window.messages.clear();
        state.buildAreaName = "Apron";
        state.buildVertexIndex = index;

        EXPECT_FALSE(writer.ProcessArea());

        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(window.messages[0].rfind(
                      "Error encountered in procedure ProcessArea\r\n\r\nError Number: 9\r\n", 0),
                  0u)
            << window.messages[0];
        EXPECT_TRUE(written().empty());
    }
}

TEST_F(FlattenWriterTest, SourceThatCannotBeCreatedIsReportedAndItsLineStays) {
    std::filesystem::create_directory(folder.file("Blocked.sca"));
    setArea("Blocked", 1.0f, {{47, 8}});

    EXPECT_FALSE(writer.ProcessArea());
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].rfind("Error encountered in procedure ProcessArea\r\n", 0), 0u);
    EXPECT_EQ(file("flatten.bat"), crlf({R"(scasm "Blocked.sca" "Blocked.bgl")"}));

    // The next area is written as usual.
    setArea("Open", 1.0f, {{47, 8}});
    EXPECT_TRUE(writer.ProcessArea());
    EXPECT_TRUE(TextFile::exists(folder.file("Open.sca")));
}

}  // namespace
}  // namespace tl
