#pragma once

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

#include "tests/durability/drill_plan.h"
#include "tests/durability/drill_verifier.h"

namespace tl::durability {

// Capture-then-SIGKILL, cycle after cycle: each cycle starts the drill as a child process on the
// same area file, lets it report at least one returned Add Vertex, kills it with SIGKILL either
// the moment a report arrives or after a random wait, and judges the file. Once a file holds more
// than half the plan's capacity, the cycles go on with a fresh one in a new subfolder, so that the
// drill never meets a full file.
class KillCycles {
public:
    struct Outcome {
        bool sound = false;
        std::string evidence;
    };

    // `drill` is the capture-drill executable; the files go in subfolders of `folder`, made when
    // missing.
    KillCycles(std::filesystem::path drill, std::filesystem::path folder, const DrillPlan& plan,
               std::uint32_t seed);

    Outcome runCycle();

    // The area file of the current cycles.
    std::filesystem::path areaFile() const;
    // Vertices that the drill reported over all cycles so far.
    std::int64_t verticesReported() const { return reported_; }
    // Cycles whose kill came the moment a report arrived.
    int killsOnReport() const { return killsOnReport_; }
    // Folders used so far.
    int rounds() const { return round_; }

private:
    // Checks the reports of one killed drill and the file it leaves; on success the file's vertex
    // count is where the next cycle's reports must start.
    Outcome judge(const std::string& output);

    std::filesystem::path drill_;
    std::filesystem::path base_;
    const DrillPlan& plan_;
    DrillVerifier verifier_;
    std::mt19937 random_;
    int round_ = 0;
    std::int64_t vertices_ = 0;
    std::int64_t reported_ = 0;
    int killsOnReport_ = 0;
};

}  // namespace tl::durability
