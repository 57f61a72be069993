#include "scasm/command_line.h"

#include <algorithm>
#include <filesystem>

#include "common/number_text.h"
#include "core/error_reporter.h"
#include "scasm/batch_launcher.h"
#include "scasm/build_command.h"
#include "scasm/build_state.h"
#include "scasm/console_window.h"
#include "scasm/decimal_mark.h"

namespace tl {

namespace {

constexpr const char* helpText =
    "Usage: terralevel [--build [FOLDER] [--no-start]] [--help]\n"
    "\n"
    "Without options, opens the Terralevel window.\n"
    "\n"
    "  --build [FOLDER]  Build the areas of FOLDER's flatten.txt without opening the window\n"
    "                    (default FOLDER: the program's folder): writes one SCASM source per\n"
    "                    area and flatten.bat into FOLDER, then starts flatten.bat there.\n"
    "                    Messages and failure reports go to standard error.\n"
    "  --no-start        With --build: write every file but do not start flatten.bat.\n"
    "  --help, -h        Show this help.\n"
    "\n"
    "Exit status: 0 when every area was written and flatten.bat was started (or not, with\n"
    "--no-start); 1 when the build failed or found no area; 2 for a wrong command line.\n"
    "\n"
    "Environment (other than Windows): TERRALEVEL_BATCH_LAUNCHER, a command that runs the batch\n"
    "file given as its argument, for example \"wine cmd /c\"; when it is unset, flatten.bat is\n"
    "run by wine if wine is installed.\n";

int usageError(std::ostream& err, const std::string& problem) {
    err << "terralevel: " << problem << "\nTry 'terralevel --help'.\n";
    return 2;
}

bool isOption(const std::string& arg) {
    return arg.size() > 1 && arg.front() == '-';
}

int build(const std::vector<std::string>& args, const ProgramFolder& programFolder,
          std::ostream& err, ProcessLauncher& launcher) {
    std::optional<std::filesystem::path> folder;
    bool start = true;
    for (const std::string& arg : args) {
        if (arg == "--build") {
            continue;
        }
        if (arg == "--no-start") {
            start = false;
        } else if (isOption(arg)) {
            return usageError(err, "unknown option '" + arg + "'");
        } else if (folder) {
            return usageError(err, "more than one folder given: '" + arg + "'");
        } else {
            folder = arg;
        }
    }
    std::error_code error;
    const auto buildFolder =
        std::filesystem::absolute(folder.value_or(programFolder.path()), error);
    if (error || !std::filesystem::is_directory(buildFolder, error)) {
        return usageError(
            err, "no such folder: '" + folder.value_or(programFolder.path()).string() + "'");
    }

    const ProgramFolder target(buildFolder);
    const NumberText numbers(regionalDecimalMark());
    ConsoleWindow window(err);
    ErrorReporter reporter(window);
    BuildState state;
    BuildCommand command(state, target, numbers, reporter, launcher, window);
    const BuildCommand::Outcome outcome = command.build(start);
    const bool done =
        outcome.copied && outcome.areasFailed == 0 && (outcome.batchStarted || !start);
    return done ? 0 : 1;
}

}  // namespace

std::optional<int> runCommandLine(const std::vector<std::string>& args, const ProgramFolder& folder,
                                  std::ostream& out, std::ostream& err) {
    BatchLauncher launcher;
    return runCommandLine(args, folder, out, err, launcher);
}

std::optional<int> runCommandLine(const std::vector<std::string>& args, const ProgramFolder& folder,
                                  std::ostream& out, std::ostream& err, ProcessLauncher& launcher) {
    // Single-dash arguments belong to the window system (-platform, -style, ...).
    if (args.empty() || (args.front() != "-h" && args.front().rfind("--", 0) != 0)) {
        return std::nullopt;
    }
    if (std::find(args.begin(), args.end(), "--help") != args.end() ||
        std::find(args.begin(), args.end(), "-h") != args.end()) {
        out << helpText;
        return 0;
    }
    if (std::find(args.begin(), args.end(), "--build") != args.end()) {
        return build(args, folder, err, launcher);
    }
    if (args.front() == "--no-start") {
        return usageError(err, "--no-start goes with --build");
    }
    return usageError(err, "unknown option '" + args.front() + "'");
}

}  // namespace tl
