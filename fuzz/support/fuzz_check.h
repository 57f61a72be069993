#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tl::fuzz {

// Ends the run when a property of a reader does not hold, so that libFuzzer keeps the input.
void check(bool holds, std::string_view property);

// The fuzz input as text.
inline std::string_view textOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Reads the text under each decimal mark that the regional settings may give: read(text, mark).
template <typename Read>
void underEachMark(std::string_view text, Read&& read) {
    for (const char mark : {'.', ','}) {
        read(text, mark);
    }
}

}  // namespace tl::fuzz
