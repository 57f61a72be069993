#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "areas/area_file.h"
#include "areas/scenery_coverage.h"
#include "common/text_file.h"

namespace tl {
namespace {

// A window that shows nothing; a message box would mean a failed run.
class QuietWindow : public Window {
public:
    void setText(std::string_view, std::string_view) override {}
    std::string text(std::string_view) const override { return {}; }
    void setVisible(std::string_view, bool) override {}
    bool isVisible(std::string_view) const override { return true; }
    void setChecked(std::string_view, bool) override {}
    bool isChecked(std::string_view) const override { return false; }
    void setCaption(std::string_view) override {}
    std::string caption() const override { return {}; }
    void showMessage(std::string_view) override { ++messages; }
    void beep() override {}
    void show() override {}
    void unload() override {}
    int messages = 0;
};

class NoSurface : public MapSurface {
public:
    void clear() override {}
    SurfaceScale scale() const override { return {}; }
    void setScale(const SurfaceScale&) override {}
    void setPenColour(Colour) override {}
    void setPenWidth(int) override {}
    void setCurrentPoint(float, float) override {}
    void point(float, float) override {}
    void point(float, float, Colour) override {}
    void lineTo(float, float, Colour) override {}
    void line(float, float, float, float) override {}
    void text(std::string_view) override {}
    void setMarkerColour(Colour) override {}
    void moveMarker(float, float) override {}
    MarkerSize markerSize() const override { return {}; }
    void useDefaultPointer() override {}
    void useCursorFile(const std::filesystem::path&) override {}
};

struct BenchFolder {
    BenchFolder() { std::filesystem::create_directories(path); }
    ~BenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tl-areas-bench-" + std::to_string(::getpid()));
};

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
    BenchFolder folder;
    TextFile::writeLines(folder.path / "flatten.txt", fullAreaFile());
    QuietWindow window;
    ErrorReporter errors(window);
    const ProgramFolder programFolder(folder.path);
    const NumberText numbers;
    AreaTable table;
    PathRecord path;
    NoSurface surface;
    AreaFile file(window, errors, programFolder, numbers, table, path, surface);
    for (auto _ : state) {
        table.areaCount = 0;
        table.vertexCount = 0;
        file.readData();
    }
    if (window.messages != 0 || table.areaCount != AreaTable::maxAreas) {
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
        std::ofstream(folder.path / "Tilebound.dat", std::ios::binary) << text;
    }
    BenchFolder folder;
};

// Terralevel's coverage lookup over the full list in the program folder.
struct CoverageBench {
    FullList file;
    QuietWindow window;
    ErrorReporter errors{window};
    ProgramFolder folder{file.folder.path};
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
    if (bench.window.messages != 0 || records != CoverageList::maxRecords) {
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
    if (bench.window.messages != 0 || list.size() != CoverageList::maxRecords ||
        list.find(0, 0) != CoverageList::npos) {
        state.SkipWithError("the lookup was not a full scan");
    }
}
BENCHMARK(hypeFileWithNoMatchInAFullList)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tl
