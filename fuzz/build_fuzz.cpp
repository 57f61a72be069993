// Create bgl (s) reading flatten.txt: the build writes its sources and flatten.bat into a scratch
// folder and never starts the batch.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/number_text.h"
#include "common/program_folder.h"
#include "common/text_file.h"
#include "core/error_reporter.h"
#include "core/process_launcher.h"
#include "fuzz/support/folder_entries.h"
#include "fuzz/support/fuzz_check.h"
#include "scasm/build_command.h"
#include "scasm/build_state.h"
#include "tests/support/fake_window.h"
#include "tests/support/temp_folder.h"

using tl::fuzz::check;

namespace {

class RefusingLauncher : public tl::ProcessLauncher {
public:
    void startBatch(const std::filesystem::path&, const std::filesystem::path&) override {
        check(false, "a build told not to start the batch never starts it");
    }
};

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The program folder sits alone in the scratch folder, so that a file written beside it shows.
    static const tl::test::TempFolder scratch;
    static const tl::ProgramFolder folder(scratch.file("program"));
    tl::fuzz::removeEntries(scratch.path());
    std::filesystem::create_directory(folder.path());
    const std::string_view areaFile = tl::fuzz::textOf(data, size);
    scratch.write("program/flatten.txt", areaFile);

    tl::test::FakeWindow window;
    tl::ErrorReporter reporter(window);
    RefusingLauncher launcher;
    tl::BuildState state;
    const tl::NumberText numbers;
    tl::BuildCommand command(state, folder, numbers, reporter, launcher, window);
    const auto outcome = command.build(false);

    check(tl::fuzz::entryNames(scratch.path()) == std::set<std::string>{"program"},
          "nothing written beside the program folder");
    check(scratch.read("program/flatten.txt") == areaFile, "the area file is left as it was");
    check(!outcome.batchStarted, "the batch is not started");

    int sources = 0;
    for (const std::string& name : tl::fuzz::entryNames(folder.path())) {
        if (name == "flatten.txt" || name == "flatten.bat") {
            continue;
        }
        check(endsWith(name, ".sca"), "only sources are written besides the batch");
        check(std::filesystem::is_regular_file(folder.file(name)), "sources are plain files");
        const auto lines = tl::TextFile::readLines(folder.file(name));
        check(lines.size() >= 10 && lines.back() == "END16", "a source ends with END16");
        ++sources;
    }
    check(sources <= outcome.areasWritten, "no source without its area");
    check((sources > 0) == (outcome.areasWritten > 0), "a written area leaves its source");

    const auto batch = folder.file("flatten.bat");
    const std::size_t batchLines =
        tl::TextFile::exists(batch) ? tl::TextFile::readLines(batch).size() : 0;
    check(batchLines == static_cast<std::size_t>(outcome.areasWritten) + (outcome.copied ? 1 : 0),
          "one compile line per area written, and the copy line");
    if (outcome.copied) {
        check(tl::TextFile::exists(folder.file(state.buildFirstName + ".sca")),
              "the copy is named after an area whose source was written");
    }
    for (const std::string& message : window.messages) {
        check(message == "No data to process!" ||
                  message.starts_with("Error encountered in procedure "),
              "messages are the empty-file note or error reports");
    }
    return 0;
}
