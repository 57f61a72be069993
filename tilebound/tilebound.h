#pragma once

#include <filesystem>
#include <ostream>
#include <string_view>

#include "common/number_text.h"

namespace tl {

// One run of Tilebound: reads the bounds of the scenery file named by the command-line text in
// the program's folder and appends one record to Tilebound.dat there.
class Tilebound {
public:
    static constexpr const char* listName = "Tilebound.dat";

    // Exit statuses.
    static constexpr int done = 0;
    static constexpr int failed = 1;
    static constexpr int badCommandLine = 2;

    // Runs once and returns the exit status. A failure is one line on `errors` naming the file,
    // and leaves Tilebound.dat as it was.
    static int run(std::string_view commandLine, const std::filesystem::path& folder,
                   const NumberText& numbers, std::ostream& errors);

    // The program's folder, a separator and the text: the name is never taken as a path of its
    // own, so the current folder plays no part.
    static std::filesystem::path fileIn(const std::filesystem::path& folder, std::string_view name);
};

}  // namespace tl
