#pragma once

#include <string>
#include <string_view>

namespace tl {

// Numbers to text and back, under the decimal mark of the user's regional settings.
class NumberText {
public:
    explicit NumberText(char decimalMark = '.') : mark_(decimalMark) {}

    char decimalMark() const { return mark_; }

    // Default number text: 15 significant digits for a double, 7 for a single; exponent form
    // below 0.0001 and from 1E15 (1E7 for a single); no trailing zeros, no grouping.
    std::string format(double value) const;
    std::string format(float value) const;

    // Number item of a printed line: a leading space for zero and positive values, and a trailing
    // space: 8.5 -> " 8.5 ", -0.125 -> "-0.125 ".
    std::string item(double value) const;

    // The format patterns used in the window and the files: "00.00", "0.0000", "0.000",
    // "0.0000000000000", "0.0####" and "###.0#############".
    std::string pattern(double value, std::string_view pattern) const;

    // Text to number: blanks around the number allowed; anything else that is not a number is a
    // Failure numbered 13.
    double parse(std::string_view text) const;

private:
    char mark_;
};

}  // namespace tl
