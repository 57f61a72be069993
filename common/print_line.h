#pragma once

#include <string>
#include <string_view>

namespace tl {

// A printed line laid out in print zones 14 characters wide (columns 1, 15, 29, ...).
class PrintLine {
public:
    static constexpr std::size_t zoneWidth = 14;

    // Appends text at the current column.
    void print(std::string_view text);
    // Fills with spaces up to the start of the next print zone. When the text already ends exactly
    // at a zone's end, the next item goes one zone further on, so that items never touch.
    void nextZone();

    const std::string& text() const { return text_; }

private:
    std::string text_;
};

}  // namespace tl
