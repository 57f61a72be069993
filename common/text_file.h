#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tl {

// Plain text files: lines end in CR LF when written; CR LF and bare LF both end a line when read.
// Failures are thrown as tl::Failure (53 file not found, 75 path or file access error, 61 disk
// full).
class TextFile {
public:
    // Splits text into lines. A last line without a line end counts; an empty text has no lines.
    static std::vector<std::string> splitLines(std::string_view text);
    // The same lines as views into the text, without a copy per line.
    static std::vector<std::string_view> splitLineViews(std::string_view text);

    // Reads a whole file and splits it into lines.
    static std::vector<std::string> readLines(const std::filesystem::path& path);
    static std::string readAll(const std::filesystem::path& path);

    // Appends lines (each followed by CR LF), creating the file when it is missing. With durable
    // set, the data is flushed to the disk before the call returns.
    static void appendLines(const std::filesystem::path& path,
                            const std::vector<std::string>& lines, bool durable = false);

    // Creates or empties the file and writes the lines.
    static void writeLines(const std::filesystem::path& path,
                           const std::vector<std::string>& lines);

    // Creates the file empty when it is missing; leaves an existing file alone.
    static void touch(const std::filesystem::path& path);

    // Deletes a file; returns false, without a failure, when it could not be deleted.
    static bool remove(const std::filesystem::path& path) noexcept;

    // True when a regular file of that name exists.
    static bool exists(const std::filesystem::path& path) noexcept;
};

}  // namespace tl
