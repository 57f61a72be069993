#include "areas/scenery_coverage.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// One record laid out as Tilebound writes it: parts at columns 1, 20, 40, 60 and 80, a part that
// would not fit moved to its column on a new line.
std::string record(const std::string& name, const std::vector<std::string>& bounds) {
    std::string text = name;
    std::size_t lineStart = 0;
    std::size_t column = 20;
    for (const auto& bound : bounds) {
        if (text.size() - lineStart > column - 1) {
            text += "\r\n";
            lineStart = text.size();
        }
        text.append(column - 1 - (text.size() - lineStart), ' ');
        text += bound;
        column += 20;
    }
    return text + "\r\n";
}

const std::vector<std::string> labels{"lblHypFile", "lblHypN", "lblHypS", "lblHypE", "lblHypW"};

class SceneryCoverageTest : public ::testing::Test {
protected:
    std::vector<std::string> shown() const {
        std::vector<std::string> texts;
        for (const auto& label : labels) {
            texts.push_back(window.text(label));
        }
        return texts;
    }
    void load(const std::string& text) {
        temp.write("Tilebound.dat", text);
        coverage.readHeaderData();
    }

    TempFolder temp;
    FakeWindow window;
    ErrorReporter errors{window};
    ProgramFolder folder{temp.path()};
    NumberText numbers;
    SceneryCoverage coverage{window, errors, folder, numbers};
};

TEST_F(SceneryCoverageTest, ReadsNamesAndBoundsFromTheirColumns) {
    load(record("zurich.bgl", {"47.5", "47.25", "8.75", "-8.25"}) + "\r\n\r\n" +
         record("a-longer-name.bgl", {".25", "-.25", "180.0", "-180.0"}));
    EXPECT_TRUE(window.messages.empty());
    const CoverageList& list = coverage.coverageList();
    ASSERT_EQ(list.size(), 2u);
    // The name is the line's first 13 characters, the padding included.
    EXPECT_EQ(list.fileName(0), "zurich.bgl   ");
    EXPECT_EQ(list.fileName(1), "a-longer-name");
    EXPECT_DOUBLE_EQ(list.bounds(0).north, 47.5);
    EXPECT_DOUBLE_EQ(list.bounds(0).south, 47.25);
    EXPECT_DOUBLE_EQ(list.bounds(0).east, 8.75);
    EXPECT_DOUBLE_EQ(list.bounds(0).west, -8.25);
    EXPECT_DOUBLE_EQ(list.bounds(1).south, -0.25);
    EXPECT_DOUBLE_EQ(list.bounds(1).west, -180);
}

// Tilebound puts the bounds of a name of 20 or more characters on a line of their own; the pair
// is one record and the records after it are kept.
TEST_F(SceneryCoverageTest, LongNameOnItsOwnLineCostsNothing) {
    const std::string nineteen = "nineteen-chars1.bgl";
    const std::string longName = "a-name-of-twenty-one.bgl";
    const std::string pair = record(longName, {"10.0", "5.0", "20.0", "15.0"});
    ASSERT_EQ(pair.find("\r\n"), longName.size());
    ASSERT_EQ(record(nineteen, {"1.0"}).find("\r\n"), 22u);

    load(record("first.bgl", {"1.0", ".0", "1.0", ".0"}) + pair +
         record(nineteen, {"3.0", "2.0", "3.0", "2.0"}) + pair);
    EXPECT_TRUE(window.messages.empty());
    const CoverageList& list = coverage.coverageList();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list.fileName(1), "a-name-of-twe");
    EXPECT_DOUBLE_EQ(list.bounds(1).north, 10);
    EXPECT_DOUBLE_EQ(list.bounds(1).west, 15);
    EXPECT_EQ(list.fileName(2), "nineteen-char");
    EXPECT_DOUBLE_EQ(list.bounds(2).north, 3);
    EXPECT_EQ(list.fileName(3), "a-name-of-twe");

    coverage.HypeFIle(7, 17);
    EXPECT_EQ(shown(),
              (std::vector<std::string>{"a-name-of-twe", "10.00", "05.00", "20.00", "15.00"}));
}

TEST_F(SceneryCoverageTest, FailuresStopTheReadingAndKeepWhatWasRead) {
    struct Case {
        const char* what;
        std::string text;
        int failure;
        std::size_t records;
        CoverageList::Bounds last;
    };
    const std::string good = record("good.bgl", {"2.0", "1.0", "2.0", "1.0"});
    const std::vector<Case> cases{
        {"line too short", good + record("short.bgl", {"9.0", "8.0"}) + good, 13, 2, {9, 8, 0, 0}},
        {"name only", good + "lonely.bgl\r\n" + good, 13, 2, {0, 0, 0, 0}},
        {"not a number",
         good + record("bad.bgl", {"9.0", "8.0", "7x", "6.0"}) + good,
         13,
         2,
         {9, 8, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CoverageList list;
        const auto result = list.load(c.text, numbers);
        ASSERT_TRUE(result.failure);
        EXPECT_EQ(result.failure->number(), c.failure);
        EXPECT_EQ(result.failedLine, 2u);
        ASSERT_EQ(list.size(), c.records);
        const auto b = list.bounds(list.size() - 1);
        EXPECT_DOUBLE_EQ(b.north, c.last.north);
        EXPECT_DOUBLE_EQ(b.south, c.last.south);
        EXPECT_DOUBLE_EQ(b.east, c.last.east);
        EXPECT_DOUBLE_EQ(b.west, c.last.west);
    }
}

TEST_F(SceneryCoverageTest, The32768thRecordOverflows) {
    std::string text;
    for (int i = 0; i < 32768; ++i) {
        text += record("f" + std::to_string(i), {"2.0", "1.0", "2.0", "1.0"});
    }
    load(text);
    expectOneReport(window, "readHeaderData", 6);
    EXPECT_EQ(coverage.coverageList().size(), 32767u);
    EXPECT_EQ(coverage.coverageList().fileName(32766), "f32766       ");
}

TEST_F(SceneryCoverageTest, MissingListIsReportedOnceAndTheLookupShowsNA) {
    for (const auto& label : labels) {
        window.setText(label, "old");
    }
    coverage.readHeaderData();
    expectOneReport(window, "readHeaderData", 53);
    EXPECT_EQ(coverage.coverageList().size(), 0u);
    for (int move = 0; move < 3; ++move) {
        coverage.HypeFIle(47, 8);
    }
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(shown(), std::vector<std::string>(5, "N/A"));
}

TEST_F(SceneryCoverageTest, LookupTakesTheFirstRecordThatHoldsThePoint) {
    load(record("wraps.bgl", {"50.0", "40.0", "-170.0", "170.0"}) +
         record("first.bgl", {"47.5", "47.0", "8.75", "-8.25"}) +
         record("second.bgl", {"48.0", "46.0", "9.0", "8.0"}) +
         record("south.bgl", {"-33.5", "-34.126", "151.5", "151.0"}));
    ASSERT_TRUE(window.messages.empty());
    struct Case {
        const char* what;
        double lat, lon;
        std::vector<std::string> expected;
    };
    const std::vector<std::string> first{"first.bgl    ", "47.50", "47.00", "08.75", "-08.25"};
    const std::vector<std::string> second{"second.bgl   ", "48.00", "46.00", "09.00", "08.00"};
    const std::vector<Case> cases{
        {"inside both", 47.2, 8.5, first},
        {"on the north bound", 47.5, 0, first},
        {"on the west bound", 47.2, -8.25, first},
        {"on the south and east bounds", 47.0, 8.75, first},
        {"just north of the first", 47.5000001, 8.5, second},
        {"southern hemisphere",
         -33.75,
         151.25,
         {"south.bgl    ", "-33.50", "-34.13", "151.50", "151.00"}},
        {"across the 180th meridian", 45, 179.5, std::vector<std::string>(5, "N/A")},
        {"nowhere", 0, 0, std::vector<std::string>(5, "N/A")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        coverage.HypeFIle(c.lat, c.lon);
        EXPECT_EQ(shown(), c.expected);
    }
    EXPECT_TRUE(window.messages.empty());
}

// The scan tests records in blocks: the first covering record wins wherever it lies, in a whole
// block, at a block's edge or among the records after the last whole block.
TEST(CoverageListFind, FirstHitAtAnyPosition) {
    const NumberText numbers;
    const std::vector<std::string> elsewhere{"2.0", "1.0", "2.0", "1.0"};
    const std::vector<std::string> here{"11.0", "10.0", "11.0", "10.0"};
    struct Case {
        std::size_t records;
        std::vector<std::size_t> hits;
        std::size_t expected;
    };
    const std::vector<Case> cases{
        {1, {}, CoverageList::npos},
        {31, {30}, 30},
        {32, {31}, 31},
        {33, {32}, 32},
        {64, {0, 63}, 0},
        {64, {33, 40}, 33},
        {97, {96}, 96},
        {97, {95, 96}, 95},
        {100, {}, CoverageList::npos},
        {200, {70, 5}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.records << " records, first hit " << c.expected);
        std::string text;
        for (std::size_t i = 0; i < c.records; ++i) {
            const bool hit = std::find(c.hits.begin(), c.hits.end(), i) != c.hits.end();
            text += record("r" + std::to_string(i), hit ? here : elsewhere);
        }
        CoverageList list;
        ASSERT_FALSE(list.load(text, numbers).failure);
        EXPECT_EQ(list.find(10.5, 10.5), c.expected);
    }
}

TEST_F(SceneryCoverageTest, LabelsAreSetInOrder) {
    load(record("first.bgl", {"47.5", "47.0", "8.75", "-8.25"}));
    window.textLog.clear();
    coverage.HypeFIle(47.2, 8);
    coverage.HypeFIle(0, 0);
    EXPECT_EQ(window.textLog, (std::vector<std::string>{
                                  "lblHypFile=first.bgl    ", "lblHypN=47.50", "lblHypS=47.00",
                                  "lblHypE=08.75", "lblHypW=-08.25", "lblHypFile=N/A",
                                  "lblHypN=N/A", "lblHypS=N/A", "lblHypE=N/A", "lblHypW=N/A"}));
}

TEST_F(SceneryCoverageTest, DecimalCommaAndBareLineFeeds) {
    NumberText comma(',');
    SceneryCoverage commaCoverage{window, errors, folder, comma};
    std::string text = record("comma.bgl", {"47,5", "47,0", "8,75", "-8,25"});
    text.erase(text.size() - 2, 1);
    temp.write("Tilebound.dat", text + text);
    commaCoverage.readHeaderData();
    EXPECT_TRUE(window.messages.empty());
    ASSERT_EQ(commaCoverage.coverageList().size(), 2u);
    commaCoverage.HypeFIle(47.25, 0);
    EXPECT_EQ(shown(),
              (std::vector<std::string>{"comma.bgl    ", "47,50", "47,00", "08,75", "-08,25"}));
}

}  // namespace
}  // namespace tl
