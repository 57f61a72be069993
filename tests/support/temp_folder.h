#pragma once

#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "tests/support/test_files.h"

namespace tl::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
// Fixture files are written and read back as raw bytes, so that tests see exact line ends.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tl-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::system_error(errno, std::generic_category(), "mkdtemp");
        }
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path file(std::string_view name) const { return path_ / name; }

    void write(std::string_view name, std::string_view bytes) const {
        writeBytes(file(name), bytes);
    }
    std::string read(std::string_view name) const { return bytesOf(file(name)); }
    bool exists(std::string_view name) const { return std::filesystem::exists(file(name)); }

private:
    std::filesystem::path path_;
};

// A path inside a temporary folder: folder / "flatten.txt".
inline std::filesystem::path operator/(const TempFolder& folder, std::string_view name) {
    return folder.file(name);
}

}  // namespace tl::test
