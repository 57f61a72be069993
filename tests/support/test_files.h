#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "common/failure.h"

namespace tl::test {

// Every byte of a file; empty when it cannot be read.
inline std::string bytesOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Creates or replaces a file holding exactly these bytes.
inline void writeBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    writeBytes(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// The number of the Failure that `action` throws; 0 when it finishes without one.
inline std::int32_t failureNumber(const std::function<void()>& action) {
    try {
        action();
    } catch (const Failure& f) {
        return f.number();
    }
    return 0;
}

}  // namespace tl::test
