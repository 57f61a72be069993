#include "common/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

#include "common/degrees_minutes.h"
#include "tests/support/test_files.h"

namespace tl {
namespace {

// How a case turns its value into text.
enum class Kind { Double, Single, Item, Pattern, DMm };

struct Example {
    Kind kind;
    double value;
    const char* pattern;   // for Kind::Pattern
    const char* expected;  // written with a decimal point
};

std::string render(const NumberText& numbers, const Example& e) {
    switch (e.kind) {
        case Kind::Double:
            return numbers.format(e.value);
        case Kind::Single:
            return numbers.format(static_cast<float>(e.value));
        case Kind::Item:
            return numbers.item(e.value);
        case Kind::Pattern:
            return numbers.pattern(e.value, e.pattern);
        case Kind::DMm:
            return Dd2DMm(e.value, numbers);
    }
    return {};
}

// The single-precision bound that a scenery header gives, widened back to double.
double widened(double exact) {
    return static_cast<double>(static_cast<float>(exact));
}

// Every worked example of the program's number texts, plus the borders of the rules.
const Example examples[] = {
    // Default number text of doubles.
    {Kind::Double, 47.5, "", "47.5"},
    {Kind::Double, 8, "", "8"},
    {Kind::Double, -122.375, "", "-122.375"},
    {Kind::Double, 1.0 / 3.0, "", "0.333333333333333"},
    {Kind::Double, 2.0 / 3.0, "", "0.666666666666667"},
    {Kind::Double, 90, "", "90"},
    {Kind::Double, -180, "", "-180"},
    {Kind::Double, 0, "", "0"},
    {Kind::Double, -0.0, "", "0"},
    {Kind::Double, 0.25, "", "0.25"},
    {Kind::Double, 0.1 + 0.2, "", "0.3"},
    {Kind::Double, 1350 * 0.3048, "", "411.48"},
    {Kind::Double, 0.00005, "", "5E-05"},
    {Kind::Double, -0.00000125, "", "-1.25E-06"},
    {Kind::Double, 0.0001, "", "0.0001"},
    {Kind::Double, 0.000099999, "", "9.9999E-05"},
    {Kind::Double, 999999999999999, "", "999999999999999"},
    {Kind::Double, 1e15, "", "1E+15"},
    {Kind::Double, 999999999999999.9, "", "1E+15"},
    {Kind::Double, 1000000000000005, "", "1.00000000000001E+15"},
    {Kind::Double, 9.9999999999999995, "", "10"},
    {Kind::Double, 1e-300, "", "1E-300"},
    {Kind::Double, std::numeric_limits<double>::max(), "", "1.79769313486232E+308"},
    {Kind::Double, std::numeric_limits<double>::denorm_min(), "", "4.94065645841247E-324"},
    // Ground altitudes v / 256 are exact; "Raw: " values are v / 10000.
    {Kind::Double, 255 / 256.0, "", "0.99609375"},
    {Kind::Double, -128 / 256.0, "", "-0.5"},
    {Kind::Double, 2147483647 / 256.0, "", "8388607.99609375"},
    {Kind::Double, 4294967296 / 10000.0, "", "429496.7296"},
    // Singles: 7 significant digits, exponent form from 1E7.
    {Kind::Single, 47.1, "", "47.1"},
    {Kind::Single, 411.48, "", "411.48"},
    {Kind::Single, 9999999, "", "9999999"},
    {Kind::Single, 1e7, "", "1E+07"},
    {Kind::Single, 1234568.5, "", "1234569"},
    {Kind::Single, 0.00005, "", "5E-05"},
    // Number items.
    {Kind::Item, 8.5, "", " 8.5 "},
    {Kind::Item, -0.125, "", "-0.125 "},
    {Kind::Item, 0, "", " 0 "},
    // Patterns of the coverage labels, the position labels, the scale and the mouse labels.
    {Kind::Pattern, 47.5, "00.00", "47.50"},
    {Kind::Pattern, -8.25, "00.00", "-08.25"},
    {Kind::Pattern, 0, "0.0000000000000", "0.0000000000000"},
    {Kind::Pattern, -33.123456789012344, "0.0000000000000", "-33.1234567890123"},
    // One rounding, to the decimals but never beyond 15 significant digits.
    {Kind::Pattern, 123.45678901234567, "0.0000000000000", "123.4567890123460"},
    {Kind::Pattern, 0.25, "0.0####", "0.25"},
    {Kind::Pattern, 1.0, "0.0####", "1.0"},
    {Kind::Pattern, 0.0078125, "0.0####", "0.00781"},
    {Kind::Pattern, 151.2, "0.0000", "151.2000"},
    {Kind::Pattern, -33.9, "0.0000", "-33.9000"},
    {Kind::Pattern, 59.99994, "0.000", "60.000"},
    // Halves go away from zero on the exact value: 0.125 is a true half, 1.005 is just below.
    {Kind::Pattern, 0.125, "0.00", "0.13"},
    {Kind::Pattern, -0.125, "0.00", "-0.13"},
    {Kind::Pattern, 1.005, "0.00", "1.00"},
    {Kind::Pattern, 99.999, "0.00", "100.00"},
    // Rounding to all zeros drops the sign.
    {Kind::Pattern, -0.001, "0.00", "0.00"},
    {Kind::Pattern, -0.0, "###.0#############", ".0"},
    {Kind::Pattern, -0.004, "0.0000", "-0.0040"},
    // The bounds of Tilebound.dat.
    {Kind::Pattern, 47.5, "###.0#############", "47.5"},
    {Kind::Pattern, 8.0, "###.0#############", "8.0"},
    {Kind::Pattern, 0.25, "###.0#############", ".25"},
    {Kind::Pattern, -0.25, "###.0#############", "-.25"},
    {Kind::Pattern, 0, "###.0#############", ".0"},
    {Kind::Pattern, -122.5, "###.0#############", "-122.5"},
    {Kind::Pattern, widened(47.1), "###.0#############", "47.0999984741211"},
    {Kind::Pattern, widened(-1456355328 / 4294967296.0 * 360), "###.0#############",
     "-122.070297241211"},
    {Kind::Pattern, widened(2147483647 / 4294967296.0 * 360), "###.0#############", "180.0"},
    {Kind::Pattern, widened(5000875 / 10001750.0 * 90), "###.0#############", "45.0"},
    {Kind::Pattern, 0.000012345678911, "###.0#############", ".00001234567891"},
    {Kind::Pattern, 0.000012345678901, "###.0#############", ".0000123456789"},
    // Degrees and decimal minutes.
    {Kind::DMm, 151.2, "", "151  12.000"},
    {Kind::DMm, -33.5, "", "-33  30.000"},
    {Kind::DMm, -33.9, "", "-33  54.000"},
    {Kind::DMm, 0, "", "0    0.000"},
    {Kind::DMm, 10, "", "10    0.000"},
    {Kind::DMm, 5.1, "", "5    6.000"},
    {Kind::DMm, -0.5, "", "-0  30.000"},
    {Kind::DMm, 47.123456789, "", "47    7.407"},
    {Kind::DMm, 10.999999, "", "10  60.000"},
    {Kind::DMm, 10.0000001, "", "10    0.000"},
    {Kind::DMm, 32767.5, "", "32767  30.000"},
};

TEST(NumberText, WorkedExamplesWithDecimalPointAndDecimalComma) {
    const NumberText point('.');
    const NumberText comma(',');
    for (const auto& e : examples) {
        std::string withComma = e.expected;
        std::replace(withComma.begin(), withComma.end(), '.', ',');
        EXPECT_EQ(render(point, e), e.expected) << "value " << e.value << " " << e.pattern;
        EXPECT_EQ(render(comma, e), withComma) << "value " << e.value << " " << e.pattern;
    }
}

// A number text as its sign and significant digits, and the decimal exponent of the first one:
// "-0.0125" and "-1.25E-02" both give {"-125", -2}.
std::pair<std::string, int> digitsAndExponent(const std::string& text) {
    const std::size_t e = std::min(text.find('E'), text.size());
    std::string digits;
    int wholeDigits = -1;
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] == '.') {
            wholeDigits = static_cast<int>(digits.size());
        } else if (text[i] != '-') {
            digits += text[i];
        }
    }
    if (wholeDigits < 0) {
        wholeDigits = static_cast<int>(digits.size());
    }
    const std::size_t first = digits.find_first_not_of('0');
    digits.erase(0, first);
    digits.erase(digits.find_last_not_of('0') + 1);
    const int exponent = e < text.size() ? std::stoi(text.substr(e + 1)) : 0;
    return {(text[0] == '-' ? "-" : "") + digits,
            wholeDigits - static_cast<int>(first) - 1 + exponent};
}

// The C library's correctly rounded text of a value with `significant` digits, as digits and
// exponent, and whether the default text should take the exponent form for it. The library takes
// exact halves to even; they are moved off the half, away from zero, first.
struct Rounded {
    std::pair<std::string, int> number;
    bool exponentForm;
};

Rounded roundedHalfAway(double value, int significant) {
    // A double's exact expansion has at most 767 significant digits.
    char exact[800];
    std::snprintf(exact, sizeof exact, "%.780E", value);
    const std::string_view digits(exact + (value < 0 ? 3 : 2), 780);
    const std::string_view rest = digits.substr(static_cast<std::size_t>(significant) - 1);
    const bool half = rest[0] == '5' && rest.find_first_not_of('0', 1) == std::string_view::npos;
    const double away = std::nextafter(value, std::copysign(HUGE_VAL, value));
    char text[40];
    std::snprintf(text, sizeof text, "%.*E", significant - 1, half ? away : value);
    const auto number = digitsAndExponent(text);
    return {number, number.second < -4 || number.second >= significant};
}

// Random values, with and without exact halves (large singles have many), against the C
// library's conversion.
TEST(NumberText, DefaultTextAgreesWithCorrectRoundingOnRandomValues) {
    std::mt19937_64 random(20240601);
    std::uniform_int_distribution<int> exponents(-20, 60);
    const NumberText numbers;
    for (int i = 0; i < 5000; ++i) {
        const double anyBits = std::bit_cast<double>(random());
        const double mantissa = std::bit_cast<double>((random() >> 12) | 0x3FF0000000000000);
        const double ordinary = std::ldexp(i % 2 ? -mantissa : mantissa, exponents(random));
        for (const double value : {anyBits, ordinary}) {
            if (!std::isfinite(value) || value == 0) {
                continue;
            }
            const std::string text = numbers.format(value);
            const Rounded expected = roundedHalfAway(value, 15);
            EXPECT_EQ(digitsAndExponent(text), expected.number) << text;
            EXPECT_EQ(text.find('E') != std::string::npos, expected.exponentForm) << text;

            const auto single = static_cast<float>(value);
            if (std::isfinite(single) && single != 0) {
                const std::string singleText = numbers.format(single);
                const Rounded expectedSingle = roundedHalfAway(single, 7);
                EXPECT_EQ(digitsAndExponent(singleText), expectedSingle.number) << singleText;
                EXPECT_EQ(singleText.find('E') != std::string::npos, expectedSingle.exponentForm)
                    << singleText;
            }
        }
    }
}

TEST(NumberText, FormatRefusesWhatCannotBeWritten) {
    const NumberText numbers;
    const double bad[] = {std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity()};
    for (const double value : bad) {
        for (const auto kind : {Kind::Double, Kind::Single, Kind::Item, Kind::Pattern}) {
            EXPECT_EQ(test::failureNumber([&] {
                          render(numbers, {kind, value, "0.00", ""});
                      }),
                      6)
                << value;
        }
    }
    // Degrees beyond 16 bits overflow on the way to Dd2DMm's whole degrees.
    for (const double dd : {32768.0, -40000.5, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(test::failureNumber([&] { Dd2DMm(dd, numbers); }), 6) << dd;
    }
}

TEST(NumberText, PatternWithUnknownCharactersIsAnInvalidCall) {
    const NumberText numbers;
    for (const char* pattern : {"0,00", "0.0#0", "x0.0", "0..0"}) {
        EXPECT_EQ(test::failureNumber([&] { numbers.pattern(1.5, pattern); }), 5) << pattern;
    }
}

struct Reading {
    const char* text;  // written with a decimal point
    double value;
};

TEST(NumberText, ParseReadsNumbersUnderEitherMark) {
    const Reading readings[] = {
        {"47.5", 47.5},     {" 47.5 ", 47.5},
        {"\t-8\t", -8},     {"+3", 3},
        {"-0", 0},          {".5", 0.5},
        {"5.", 5},          {"1e3", 1000},
        {"1.5E-3", 0.0015}, {"-1.25E-06", -0.00000125},
        {"1E+15", 1e15},    {"0.333333333333333", 0.333333333333333},
        {"1e-400", 0},
    };
    for (const char mark : {'.', ','}) {
        const NumberText numbers(mark);
        for (const auto& r : readings) {
            std::string text = r.text;
            std::replace(text.begin(), text.end(), '.', mark);
            EXPECT_EQ(numbers.parse(text), r.value) << text;
        }
    }
}

TEST(NumberText, ParseRoundTripsTheDefaultText) {
    const NumberText comma(',');
    for (const double value : {47.123456789012, -122.375, 5e-5, 1e15, 0.1}) {
        EXPECT_EQ(comma.parse(comma.format(value)), value);
    }
}

TEST(NumberText, ParseRefusesWhatIsNotANumber) {
    const NumberText point('.');
    const NumberText comma(',');
    const char* notNumbers[] = {"",    "   ",  "12 m", "1.2.3", "-",     ".",   "e5", "1e",
                                "1e+", "0x10", "inf",  "nan",   "1 000", "--1", "1-", "1e5.5"};
    for (const char* text : notNumbers) {
        for (const NumberText* numbers : {&point, &comma}) {
            EXPECT_EQ(test::failureNumber([&] { numbers->parse(text); }), 13)
                << "'" << text << "' under " << numbers->decimalMark();
        }
    }
    // The other mark is not a number.
    EXPECT_EQ(test::failureNumber([&] { point.parse("1,5"); }), 13);
    EXPECT_EQ(test::failureNumber([&] { comma.parse("1.5"); }), 13);
}

TEST(NumberText, ParseOverflowsBeyondTheRangeOfADouble) {
    const NumberText numbers;
    for (const char* text : {"1e400", "-1.8E+308", "1000e306"}) {
        EXPECT_EQ(test::failureNumber([&] { numbers.parse(text); }), 6) << text;
    }
}

TEST(NumberText, ParseStaysInsideItsView) {
    const NumberText numbers;
    const std::string text = "1.5e3 and more";
    EXPECT_EQ(numbers.parse(std::string_view(text).substr(0, 3)), 1.5);
    EXPECT_EQ(numbers.parse(std::string_view(text).substr(0, 2)), 1.0);
    EXPECT_EQ(numbers.leadingNumber(std::string_view(text).substr(0, 4)), 1.5);
}

TEST(NumberText, LeadingNumberTakesTheNumberAtTheStart) {
    const Reading readings[] = {
        {"25.5", 25.5}, {"10.25 m", 10.25}, {"  -3.5x", -3.5}, {"7.999", 7.999}, {"m 12", 0},
        {"", 0},        {".", 0},           {"-", 0},          {"1e", 1},        {"2e3m", 2000},
        {"1.2.3", 1.2},
    };
    for (const char mark : {'.', ','}) {
        const NumberText numbers(mark);
        for (const auto& r : readings) {
            std::string text = r.text;
            std::replace(text.begin(), text.end(), '.', mark);
            EXPECT_EQ(numbers.leadingNumber(text), r.value) << text;
        }
    }
    EXPECT_EQ(NumberText(',').leadingNumber("1.5"), 1.0);
    EXPECT_EQ(test::failureNumber([] { NumberText().leadingNumber("9e999 m"); }), 6);
}

}  // namespace
}  // namespace tl
