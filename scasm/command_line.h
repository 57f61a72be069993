#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/program_folder.h"
#include "core/process_launcher.h"

namespace tl {

// Terralevel's own command-line options, handled before any window exists. `args` are the
// arguments after the program's name. Returns nothing when they hold no option of ours (the window
// then starts), else the exit status: --help prints the options to `out`; --build [FOLDER]
// [--no-start] runs the build on FOLDER's flatten.txt (default: the program folder), its messages
// and failure reports going to `err`. Status 0: every area written and the batch started or, with
// --no-start, not started; 1: the build failed or found nothing to build; 2: a wrong command line.
std::optional<int> runCommandLine(const std::vector<std::string>& args, const ProgramFolder& folder,
                                  std::ostream& out, std::ostream& err);

// The same, starting the batch through `launcher`.
std::optional<int> runCommandLine(const std::vector<std::string>& args, const ProgramFolder& folder,
                                  std::ostream& out, std::ostream& err, ProcessLauncher& launcher);

}  // namespace tl
