#pragma once

#include <string>
#include <string_view>

namespace tl {

// Numbers to text and back, under the decimal mark of the user's regional settings.
// Every rounding works on the exact decimal value of the binary number and takes halves away
// from zero. Infinities and NaN cannot be written: formatting them is a Failure numbered 6.
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
    // "0.0000000000000", "0.0####" and "###.0#############". Before the mark, each "0" is a digit
    // always shown and each "#" one shown only when needed; after it, "0" is a decimal always
    // shown and "#" one dropped when it is a trailing zero. The value is rounded once, to the
    // pattern's decimals but never beyond 15 significant digits. A value whose shown digits are
    // all zero carries no sign: -0.001 with "0.00" gives "0.00", not "-0.00".
    // A pattern with other characters is a Failure numbered 5.
    std::string pattern(double value, std::string_view pattern) const;

    // Text to number: blanks (spaces, tabs) around the number allowed; an optional sign, digits
    // with at most one decimal mark, an optional exponent. Anything else is a Failure numbered 13;
    // a value beyond the range of a double is a Failure numbered 6 (a tiny one reads as 0).
    double parse(std::string_view text) const;

    // The number at the start of a text (after blanks), ignoring whatever follows it; 0 when the
    // text does not begin with a number: "12.5 m" -> 12.5, "m 12" -> 0.
    double leadingNumber(std::string_view text) const;

private:
    char mark_;
};

}  // namespace tl
