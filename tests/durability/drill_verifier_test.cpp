#include "tests/durability/drill_verifier.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace tl::durability {
namespace {

// The first commands of a drill with two vertices per area, as flatten.txt must hold them.
const std::string area1 = "\r\n#Drill 1\r\n100.25\r\n";
const std::string vertex1 = "10.7919 -169.0271\r\n";
const std::string vertex2 = "11.5838 -158.5542\r\n";
const std::string area2 = "\r\n#Drill 2\r\n100.5\r\n";
const std::string vertex3 = "-12.3757 -148.0813\r\n";

const std::string upTo1 = area1 + vertex1;
const std::string upTo2 = upTo1 + vertex2;
const std::string upTo3 = upTo2 + area2 + vertex3;

std::uint64_t size(const std::string& text) {
    return text.size();
}

TEST(DrillPlan, WritesTheLinesThatTheProgramWritesForEachVertex) {
    const DrillPlan plan(2);
    EXPECT_EQ(plan.areaLines(1) + plan.vertexLine(1) + plan.vertexLine(2) + plan.areaLines(2) +
                  plan.vertexLine(3),
              upTo3);
    EXPECT_EQ(plan.capacity(), 256);

    struct Case {
        int areas, vertices;
        std::int64_t next;
        bool opens;
        int area;
    };
    for (const Case& c : std::vector<Case>{
             {0, 0, 1, true, 1},  // empty file: New Area first
             {1, 1, 2, false, 1},
             {1, 2, 3, true, 2},  // the area is full
             {2, 0, 3, true, 2},  // killed after New Area: that area goes on
             {128, 2, 257, true, 129},
         }) {
        const std::int64_t next = plan.nextVertex(c.areas, c.vertices);
        EXPECT_EQ(next, c.next) << c.areas << " " << c.vertices;
        EXPECT_EQ(plan.opensArea(next), c.opens) << next;
        EXPECT_EQ(plan.areaOf(next), c.area) << next;
    }
    EXPECT_THROW(DrillPlan(0), std::invalid_argument);
    EXPECT_THROW(DrillPlan(513), std::invalid_argument);
}

TEST(DrillVerifier, AcceptsOnlyWholeCommandsThatHoldEveryReportedVertex) {
    const DrillPlan plan(2);
    const DrillVerifier verifier(plan);
    struct Case {
        const char* what;
        std::string text;
        DrillReport last;
        std::int64_t vertices;  // 0 when the file must be refused
        const char* evidence;
    };
    std::string bareLf = upTo2;
    bareLf.erase(upTo1.size() - 2, 1);
    std::string wrongDigit = upTo3;
    wrongDigit[upTo1.size() + 6] = '9';

    for (const Case& c : std::vector<Case>{
             {"every reported vertex", upTo3, {3, size(upTo3)}, 3, ""},
             {"the next vertex was written before the kill", upTo3, {2, size(upTo2)}, 3, ""},
             {"New Area was written before the kill", upTo2 + area2, {2, size(upTo2)}, 2, ""},
             {"torn vertex line", upTo2 + "-12.37", {2, size(upTo2)}, 0, "torn last line 6"},
             {"torn area lines", upTo2 + "\r\n#Dri", {2, size(upTo2)}, 0, "torn last line 7"},
             {"line end without CR", bareLf, {2, size(upTo2) - 1}, 0, "line 4 ends in a bare LF"},
             {"a reported vertex is missing",
              upTo2,
              {3, size(upTo3)},
              0,
              "lost: vertex 3 was reported written, but the file holds 2"},
             {"the file is empty", "", {1, size(upTo1)}, 0, "lost: vertex 1"},
             {"a changed digit",
              wrongDigit,
              {3, size(upTo3)},
              0,
              "line 5 is \"11.5839 -158.5542\" where the drill wrote \"11.5838 -158.5542\""},
             {"more than the command in flight",
              upTo3,
              {1, size(upTo1)},
              0,
              "runs on past vertex 2"},
             {"New Area without its elevation",
              upTo2 + "\r\n#Drill 2\r\n",
              {2, size(upTo2)},
              0,
              "ends inside the lines of one command, after line 7"},
             {"the report's size is not where the vertex ends",
              upTo2,
              {2, size(upTo2) - 2},
              0,
              "reported 56 bytes after vertex 2, but that vertex ends at byte 58"},
             {"a vertex before any area",
              vertex1 + upTo1,
              {1, size(upTo1)},
              0,
              "stops loading at line 1"},
         }) {
        const DrillVerifier::Verdict verdict = verifier.verifyText(c.text, c.last);
        EXPECT_EQ(verdict.sound, c.vertices > 0) << c.what << ": " << verdict.evidence;
        if (c.vertices > 0) {
            EXPECT_EQ(verdict.vertices, c.vertices) << c.what;
        } else {
            EXPECT_THAT(verdict.evidence, testing::HasSubstr(c.evidence)) << c.what;
        }
    }
}

TEST(DrillVerifier, ReadsTheFileOnDisk) {
    const DrillPlan plan(2);
    const DrillVerifier verifier(plan);
    test::TempFolder folder;
    EXPECT_THAT(verifier.verify(folder.file("flatten.txt"), {1, size(upTo1)}).evidence,
                testing::HasSubstr("cannot read"));
    folder.write("flatten.txt", upTo2);
    const DrillVerifier::Verdict verdict =
        verifier.verify(folder.file("flatten.txt"), {2, size(upTo2)});
    EXPECT_TRUE(verdict.sound) << verdict.evidence;
    EXPECT_EQ(verdict.vertices, 2);
}

TEST(DrillReport, ReadsCompleteLinesOnly) {
    const auto reports = DrillReport::all("1 40\n2 59\n3 7");
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1].vertex, 2);
    EXPECT_EQ(reports[1].fileSize, 59u);
    EXPECT_EQ((DrillReport{12, 345}.line()), "12 345\n");
    for (const char* bad : {"x 40\n", "1\n", "1 40 2\n", "0 40\n", "1 -4\n", "\n"}) {
        EXPECT_THROW(DrillReport::all(bad), std::runtime_error) << bad;
    }
}

}  // namespace
}  // namespace tl::durability
