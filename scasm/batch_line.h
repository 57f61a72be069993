#pragma once

#include <string>
#include <string_view>

namespace tl {

// The lines of flatten.bat. File names are quoted, and a "%" is doubled so that the command
// interpreter names the file that was written.
class BatchLine {
public:
    // scasm "<name>.sca" "<name>.bgl"
    static std::string compile(std::string_view areaName);
    // copy flatten.txt "<firstName>-flatten.txt"
    static std::string copy(std::string_view firstName);

private:
    static std::string quoted(std::string_view areaName, std::string_view suffix);
};

}  // namespace tl
