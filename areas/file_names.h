#pragma once

#include <string_view>

namespace tl::files {

// The data files of Terralevel, each found in the program folder.
inline constexpr std::string_view areaFile = "flatten.txt";
inline constexpr std::string_view lwmFile = "bgl-asm.txt";
inline constexpr std::string_view settingsFile = "flatten.ini";
inline constexpr std::string_view coverageFile = "Tilebound.dat";

}  // namespace tl::files
