#pragma once

#include <filesystem>
#include <set>
#include <string>

namespace tl::fuzz {

// The names of everything in a folder.
std::set<std::string> entryNames(const std::filesystem::path& folder);

// Removes everything in a folder, keeping the folder.
void removeEntries(const std::filesystem::path& folder);

}  // namespace tl::fuzz
