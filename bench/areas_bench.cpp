#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "areas/area_file.h"
#include "areas/scenery_coverage.h"
#include "common/text_file.h"
#include "tests/support/fake_window.h"
#include "tests/support/recording_surface.h"
#include "tests/support/temp_folder.h"

namespace tl {
namespace {

// 128 areas of 512 vertices, the numbers with as many digits as Terralevel writes.
std::vector<std::string> fullAreaFile() {
    std::vector<std::string> lines;
    const NumberText numbers;
    for (int a = 1; a <= AreaTable::maxAreas; ++a) {
        lines.insert(lines.end(), {"", "#Area " + std::to_string(a), "412.5"});
        for (int v = 1; v <= AreaTable::maxVertices; ++v) {
            lines.push_back(numbers.format(47.0 + a * 1e-3 + v * 1.234567891e-7) + " " +
                            numbers.format(-8.0 - a * 1e-3 - v * 9.87654321e-8));
        }
    }
    return lines;
}

void readDataOfAFullAreaFile(benchmark::State& state) {
    test::TempFolder folder;
    TextFile::writeLines(folder.path() / "flatten.txt", fullAreaFile());
    test::FakeWindow window;
    ErrorReporter errors(window);
    const ProgramFolder programFolder(folder.path());
    const NumberText numbers;
    AreaTable table;
    PathRecord path;
    test::RecordingSurface surface;
    AreaFile file(window, errors, programFolder, numbers, table, path, surface);
    for (auto _ : state) {
        table.areaCount = 0;
        table.vertexCount = 0;
        file.readData();
    }
    if (!window.messages.empty() || table.areaCount != AreaTable::maxAreas) {
        state.SkipWithError("the area file did not load whole");
    }
}
BENCHMARK(readDataOfAFullAreaFile)->Unit(benchmark::kMillisecond);

// 32767 records of Tilebound.dat spread over the world, none of which covers (0, 0), so that a
// lookup there scans them all and each record fails at another of its four tests.
class FullList {
public:
    FullList() {
        std::mt19937 random(32767);
        std::uniform_real_distribution<double> lat(-80, 80);
        std::uniform_real_distribution<double> lon(-170, 170);
        const NumberText numbers;
        std::string text;
        for (std::size_t i = 0; i < CoverageList::maxRecords; ++i) {
            double south = lat(random);
            double west = lon(random);
            if (south <= 0 && south + 1 >= 0 && west <= 0 && west + 1 >= 0) {
                south += 2;
            }
            std::string line = "f" + std::to_string(i) + ".bgl";
            for (double bound : {south + 1, south, west + 1, west}) {
                line.resize(line.size() < 19 ? 19 : (line.size() + 19) / 20 * 20 - 1, ' ');
                line += numbers.pattern(bound, "###.0#############");
            }
            text += line + "\r\n";
        }
        std::ofstream(folder.path() / "Tilebound.dat", std::ios::binary) << text;
    }
    test::TempFolder folder;
};

// Terralevel's coverage lookup over the full list in the program folder.
struct CoverageBench {
    FullList file;
    test::FakeWindow window;
    ErrorReporter errors{window};
    ProgramFolder folder{file.folder.path()};
    NumberText numbers;
};

void readHeaderDataOfAFullList(benchmark::State& state) {
    CoverageBench bench;
    std::size_t records = 0;
    for (auto _ : state) {
        SceneryCoverage coverage(bench.window, bench.errors, bench.folder, bench.numbers);
        coverage.readHeaderData();
        records = coverage.coverageList().size();
    }
    if (!bench.window.messages.empty() || records != CoverageList::maxRecords) {
        state.SkipWithError("the list did not load whole");
    }
}
BENCHMARK(readHeaderDataOfAFullList)->Unit(benchmark::kMillisecond);

void hypeFileWithNoMatchInAFullList(benchmark::State& state) {
    CoverageBench bench;
    SceneryCoverage coverage(bench.window, bench.errors, bench.folder, bench.numbers);
    coverage.readHeaderData();
    for (auto _ : state) {
        coverage.HypeFIle(0, 0);
    }
    const CoverageList& list = coverage.coverageList();
    if (!bench.window.messages.empty() || list.size() != CoverageList::maxRecords ||
        list.find(0, 0) != CoverageList::npos) {
        state.SkipWithError("the lookup was not a full scan");
    }
}
BENCHMARK(hypeFileWithNoMatchInAFullList)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tl
