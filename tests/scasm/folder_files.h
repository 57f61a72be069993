#pragma once

#include <filesystem>
#include <initializer_list>
#include <set>
#include <string>
#include <string_view>

#include "tests/support/temp_folder.h"
#include "tests/support/test_files.h"

namespace tl::test {

// The names of everything in a folder.
inline std::set<std::string> namesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Lines joined as a file holds them: each ends in CR LF.
inline std::string crlf(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (const std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// The source of the worked example: vertices 47.25 N 8.5 E and 51.5 N 0.125 W, elevation 412.5,
// with the given decimal mark.
inline std::string workedExampleSource(char mark) {
    std::string numbers = crlf({
        "Header ( 1 51.5 47.25 8.5 -0.125)",
        "LatRange ( 47.25 51.5)",
        "Set ( areamx 64 )",
        "Area16N",
        "  Elevation ( 412.5",
        "    47.25      8.5          ;1",
        "    51.5      -0.125        ;2",
        "  )",
        "END16",
    });
    for (char& c : numbers) {
        c = c == '.' ? mark : c;
    }
    return crlf({
               "; SCASM file created by Terralevel.exe",
               "; Flatten area source generated from flatten.txt",
               "",
           }) +
           numbers;
}

}  // namespace tl::test
