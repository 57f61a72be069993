#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "tests/durability/drill_plan.h"
#include "tests/durability/kill_cycles.h"
#include "tests/support/temp_folder.h"

namespace tl::durability {
namespace {

// Areas of four vertices, so that kills also fall between New Area and the area's first vertex.
constexpr int areaSize = 4;

TEST(CaptureKill, EveryVertexThatAddVertexReturnedSurvivesSigkill) {
    const std::uint32_t seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    test::TempFolder folder;
    const DrillPlan plan(areaSize);
    KillCycles cycles(CAPTURE_DRILL_EXE, folder.path(), plan, seed);
    for (int cycle = 1; cycle <= 20; ++cycle) {
        const KillCycles::Outcome outcome = cycles.runCycle();
        ASSERT_TRUE(outcome.sound) << "cycle " << cycle << ": " << outcome.evidence;
    }
}

TEST(CaptureKill, ALineTornBeforeTheKillFailsTheCycle) {
    test::TempFolder folder;
    const DrillPlan plan(areaSize);
    KillCycles cycles(CAPTURE_DRILL_EXE, folder.path(), plan, 7);
    const KillCycles::Outcome first = cycles.runCycle();
    ASSERT_TRUE(first.sound) << first.evidence;

    // The last line loses its CR LF, as a write cut short would leave it; the next run's first
    // command joins that line or the empty line that opens an area.
    const std::filesystem::path file = cycles.areaFile();
    std::filesystem::resize_file(file, std::filesystem::file_size(file) - 2);
    const KillCycles::Outcome next = cycles.runCycle();
    EXPECT_FALSE(next.sound);
    EXPECT_THAT(next.evidence, testing::HasSubstr("line "));
}

}  // namespace
}  // namespace tl::durability
