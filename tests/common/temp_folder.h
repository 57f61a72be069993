#pragma once

#include <filesystem>
#include <string_view>

#include "tests/support/temp_folder.h"

namespace tl::test {

// A path inside a temporary folder: folder / "flatten.txt".
inline std::filesystem::path operator/(const TempFolder& folder, std::string_view name) {
    return folder.file(name);
}

}  // namespace tl::test
