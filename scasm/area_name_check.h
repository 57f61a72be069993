#pragma once

#include <string>
#include <string_view>

namespace tl {

// Whether an area name can serve as the base of the file names a build derives from it
// ("<name>.sca", "<name>.bgl", "<name>-flatten.txt") on Windows, and so on any system.
class AreaNameCheck {
public:
    // The longest derived name adds "-flatten.txt" and must stay within 255 characters.
    static constexpr std::size_t maxLength = 255 - 12;

    // Why the name cannot be used, or an empty text when it can.
    static std::string problem(std::string_view name);

    static bool usable(std::string_view name) { return problem(name).empty(); }

    // Throws a Failure numbered 52 (bad file name) that says why the name cannot be used.
    static void require(std::string_view name);
};

}  // namespace tl
