#pragma once

#include <filesystem>
#include <string_view>

namespace tl {

// The folder of the running executable; every data file is found by joining it with the name.
class ProgramFolder {
public:
    explicit ProgramFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}

    const std::filesystem::path& path() const { return folder_; }
    std::filesystem::path file(std::string_view name) const { return folder_ / name; }

    // The folder of the executable running this process.
    static ProgramFolder ofExecutable();

private:
    std::filesystem::path folder_;
};

}  // namespace tl
