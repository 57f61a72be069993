#include "tilebound/command_line_text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tl {

std::string CommandLineText::ofProcess([[maybe_unused]] int argc,
                                       [[maybe_unused]] const char* const* argv) {
#ifdef _WIN32
    return afterProgramName(GetCommandLineA());
#else
    return joinArguments(argc, argv);
#endif
}

std::string CommandLineText::afterProgramName(std::string_view commandLine) {
    std::size_t end = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        end = commandLine.find('"', 1);
        end = end == std::string_view::npos ? commandLine.size() : end + 1;
    } else {
        end = std::min(commandLine.find_first_of(" \t"), commandLine.size());
    }
    const std::size_t start = commandLine.find_first_not_of(" \t", end);
    return start == std::string_view::npos ? std::string() : std::string(commandLine.substr(start));
}

std::string CommandLineText::joinArguments(int argc, const char* const* argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            text += ' ';
        }
        text += argv[i];
    }
    return text;
}

}  // namespace tl
