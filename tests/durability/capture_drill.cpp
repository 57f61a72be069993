// capture-drill: Add Vertex through Terralevel's real handlers, killed with SIGKILL over and over.
//
//   capture-drill capture FOLDER AREA_SIZE
//       Captures into FOLDER/flatten.txt until killed, one report line "N SIZE" on standard
//       output after each Add Vertex has returned.
//   capture-drill cycles COUNT FOLDER [AREA_SIZE [SEED]]
//       Runs COUNT capture-then-SIGKILL cycles on files in FOLDER and judges the file after each.

#include <unistd.h>

#include <cstdint>
#include <exception>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>

#include "areas/area_table.h"
#include "tests/durability/capture_session.h"
#include "tests/durability/drill_plan.h"
#include "tests/durability/kill_cycles.h"

namespace {

using tl::durability::DrillPlan;

int usage() {
    std::cerr << "usage: capture-drill capture FOLDER AREA_SIZE\n"
                 "       capture-drill cycles COUNT FOLDER [AREA_SIZE [SEED]]\n";
    return 2;
}

int capture(const std::filesystem::path& folder, const DrillPlan& plan) {
    tl::durability::CaptureSession session(folder, plan, STDOUT_FILENO);
    const std::string reason = session.run();
    std::cerr << "capture-drill: " << reason << "\n";
    return 1;
}

int cycles(int count, const std::filesystem::path& folder, const DrillPlan& plan,
           std::uint32_t seed) {
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    tl::durability::KillCycles drill(self, folder, plan, seed);
    for (int cycle = 1; cycle <= count; ++cycle) {
        const auto outcome = drill.runCycle();
        if (!outcome.sound) {
            std::cout << "kill cycle " << cycle << " of " << count
                      << " failed: " << outcome.evidence << "\n"
                      << "file: " << drill.areaFile().string() << "\n"
                      << "seed: " << seed << "\n";
            return 1;
        }
    }
    std::cout << count << " of " << count << " kill cycles without a lost or torn line\n"
              << drill.verticesReported() << " vertices reported, " << drill.killsOnReport()
              << " kills the moment a report arrived, " << drill.rounds()
              << " area files, area size " << plan.areaSize() << ", seed " << seed << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::string mode = argc > 1 ? argv[1] : "";
        if (mode == "capture" && argc == 4) {
            return capture(argv[2], DrillPlan(std::stoi(argv[3])));
        }
        if (mode == "cycles" && argc >= 4 && argc <= 6) {
            const int areaSize = argc > 4 ? std::stoi(argv[4]) : tl::AreaTable::maxVertices;
            const std::uint32_t seed =
                argc > 5 ? static_cast<std::uint32_t>(std::stoul(argv[5])) : std::random_device{}();
            return cycles(std::stoi(argv[2]), argv[3], DrillPlan(areaSize), seed);
        }
        return usage();
    } catch (const std::exception& error) {
        std::cerr << "capture-drill: " << error.what() << "\n";
        return 2;
    }
}
