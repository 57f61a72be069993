// Build time of a full area file (128 areas of 512 vertices) beside the floor: the same output
// bytes written with one plain buffered write per file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "common/number_text.h"
#include "common/program_folder.h"
#include "common/text_file.h"
#include "core/error_reporter.h"
#include "scasm/batch_launcher.h"
#include "scasm/build_command.h"
#include "scasm/console_window.h"
#include "tests/support/temp_folder.h"

namespace {

// 128 areas of 512 vertices with the full digits that captured positions carry.
void writeFullAreaFile(const std::filesystem::path& file, const tl::NumberText& numbers) {
    std::vector<std::string> lines;
    for (int area = 1; area <= 128; ++area) {
        lines.emplace_back();
        lines.push_back("#Area " + std::to_string(area));
        lines.push_back(numbers.format(400.0f + static_cast<float>(area) / 8));
        for (int k = 0; k < 512; ++k) {
            const double lat = 47.4581234567891 + area * 0.0137 + k * 0.0000123456789;
            const double lon = 8.5491234567891 - area * 0.0211 + k * 0.0000234567891;
            lines.push_back(numbers.format(lat) + " " + numbers.format(lon));
        }
    }
    tl::TextFile::writeLines(file, lines);
}

struct BuildBench {
    BuildBench() : folder(), programFolder(folder.path()), window(messages), reporter(window) {
        writeFullAreaFile(programFolder.file("flatten.txt"), numbers);
    }

    tl::test::TempFolder folder;
    tl::ProgramFolder programFolder;
    tl::NumberText numbers;
    std::ostringstream messages;
    tl::ConsoleWindow window;
    tl::ErrorReporter reporter;
    tl::BatchLauncher launcher;
    tl::BuildState state;
    tl::BuildCommand command{state, programFolder, numbers, reporter, launcher, window};
};

void BM_BuildFullAreaFile(benchmark::State& st) {
    BuildBench bench;
    for (auto _ : st) {
        const auto outcome = bench.command.build(false);
        if (outcome.areasWritten != 128 || !outcome.copied) {
            st.SkipWithError(bench.messages.str().c_str());
            break;
        }
    }
}
BENCHMARK(BM_BuildFullAreaFile)->Unit(benchmark::kMillisecond);

void BM_PlainWriteOfTheSameBytes(benchmark::State& st) {
    BuildBench bench;
    bench.command.build(false);
    std::map<std::filesystem::path, std::string> files;
    std::size_t bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(bench.folder.path())) {
        if (entry.path().filename() != "flatten.txt") {
            files[entry.path()] = tl::TextFile::readAll(entry.path());
            bytes += files[entry.path()].size();
        }
    }
    for (auto _ : st) {
        for (const auto& [path, text] : files) {
            std::FILE* file = std::fopen(path.c_str(), "wb");
            if (file == nullptr) {
                st.SkipWithError("cannot write the output files");
                return;
            }
            std::fwrite(text.data(), 1, text.size(), file);
            std::fclose(file);
        }
    }
    st.counters["files"] = static_cast<double>(files.size());
    st.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PlainWriteOfTheSameBytes)->Unit(benchmark::kMillisecond);

}  // namespace
