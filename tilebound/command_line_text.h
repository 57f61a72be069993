#pragma once

#include <string>
#include <string_view>

namespace tl {

// The command-line text after the program name, taken whole as one file name: quotes stay.
class CommandLineText {
public:
    // The text of this process: on Windows the raw command line after the program name, elsewhere
    // the arguments joined by single spaces.
    static std::string ofProcess(int argc, const char* const* argv);

    // The raw command line without the program name (quoted or ending at the first blank) and the
    // blanks after it.
    static std::string afterProgramName(std::string_view commandLine);

    // argv[1] to argv[argc - 1], joined by single spaces.
    static std::string joinArguments(int argc, const char* const* argv);
};

}  // namespace tl
