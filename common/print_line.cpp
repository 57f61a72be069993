#include "common/print_line.h"

namespace tl {

void PrintLine::print(std::string_view text) {
    text_ += text;
}

void PrintLine::nextZone() {
    // The next zone start strictly after the current column: a text that fills its zone exactly
    // gets a whole zone of spaces, so items never touch.
    text_.append(zoneWidth - text_.size() % zoneWidth, ' ');
}

}  // namespace tl
