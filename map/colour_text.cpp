#include "map/colour_text.h"

#include "common/failure.h"

namespace tl {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

}  // namespace

Colour colourFromHexText(std::string_view text) {
    const auto mismatch = [&] { return Failure(FailureCode::TypeMismatch, std::string(text)); };
    if (text.size() < 3 || text[0] != '&' || (text[1] != 'H' && text[1] != 'h')) {
        throw mismatch();
    }
    std::string_view digits = text.substr(2);
    if (digits.back() == '&') {
        digits.remove_suffix(1);
    }
    if (digits.empty() || digits.size() > 8) {
        throw mismatch();
    }
    Colour value = 0;
    for (const char c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0) {
            throw mismatch();
        }
        value = value * 16 + static_cast<Colour>(digit);
    }
    if (value > 0xFFFFFF) {
        throw mismatch();
    }
    return value;
}

}  // namespace tl
