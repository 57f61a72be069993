#include "common/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "common/failure.h"

namespace tl {
namespace {

constexpr int doubleDigits = 15;
constexpr int singleDigits = 7;
// Magnitudes below 0.0001 (0.1 x 10^-3) take the exponent form.
constexpr int smallestFixedPoint = -3;

// A decimal number: sign, then 0.d1d2d3... x 10^point. Zero has no digits; the digits never
// start or end with a zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    int point = 0;
};

void dropTrailingZeros(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0') {
        d.digits.pop_back();
    }
}

// The exact decimal value of a finite double: a binary fraction with k bits after the point has
// exactly k decimals, so fixed notation with that many decimals loses nothing.
Decimal exactDecimal(double value) {
    if (!std::isfinite(value)) {
        throw Failure(FailureCode::Overflow);
    }
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0) {
        return d;
    }
    int exponent = 0;
    std::frexp(value, &exponent);
    const int decimals = std::max(0, std::numeric_limits<double>::digits - exponent);
    // At most 309 integer digits, or "0." and 1074 decimals.
    std::array<char, 1100> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                      std::chars_format::fixed, std::min(decimals, 1074));
    const std::string_view text(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t mark = std::min(text.find('.'), text.size());
    const std::string_view whole = text.substr(0, mark);
    const std::string_view fraction = mark < text.size() ? text.substr(mark + 1) : "";
    if (whole != "0") {
        d.digits.append(whole);
        d.digits.append(fraction);
        d.point = static_cast<int>(whole.size());
    } else {
        const std::size_t first = fraction.find_first_not_of('0');
        d.digits.append(fraction.substr(first));
        d.point = -static_cast<int>(first);
    }
    dropTrailingZeros(d);
    return d;
}

// The decimal value of a finite, non-zero double to `significant` + 3 digits, correctly rounded:
// enough to round it to `significant` digits half away from zero exactly as the exact expansion
// would, unless the three extra digits read 500 and the exact value must decide.
std::optional<Decimal> nearDecimal(double value, int significant) {
    std::array<char, 48> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                      std::chars_format::scientific, significant + 2);
    const std::string_view text(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t e = text.find('e');
    Decimal d;
    d.negative = std::signbit(value);
    d.digits.reserve(static_cast<std::size_t>(significant) + 3);
    d.digits += text[0];
    d.digits.append(text.substr(2, e - 2));
    if (d.digits.compare(static_cast<std::size_t>(significant), 3, "500") == 0) {
        return std::nullopt;
    }
    int exponent = 0;
    const std::string_view written = text.substr(e + (text[e + 1] == '+' ? 2 : 1));
    std::from_chars(written.data(), written.data() + written.size(), exponent);
    d.point = exponent + 1;
    dropTrailingZeros(d);
    return d;
}

// The decimal value of a double for rounding to `significant` digits: the short form when it
// decides the rounding, else the exact expansion.
Decimal decimalFor(double value, int significant) {
    if (value != 0 && std::isfinite(value)) {
        if (auto d = nearDecimal(value, significant)) {
            return std::move(*d);
        }
    }
    return exactDecimal(value);
}

// Keeps the first `keep` significant digits, rounding the rest half away from zero.
void roundToDigits(Decimal& d, int keep) {
    if (keep >= static_cast<int>(d.digits.size())) {
        return;
    }
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        while (!d.digits.empty() && d.digits.back() == '9') {
            d.digits.pop_back();
        }
        if (d.digits.empty()) {
            d.digits = "1";
            ++d.point;
        } else {
            ++d.digits.back();
        }
    }
    dropTrailingZeros(d);
}

// Integer digits (at least minWhole, zero-padded), then the decimals (at least minDecimals),
// with the mark before the decimals when there are any or when markAlways is set.
std::string fixedText(const Decimal& d, int minWhole, int minDecimals, bool markAlways, char mark) {
    const auto count = static_cast<int>(d.digits.size());
    std::string whole;
    std::string decimals;
    if (d.point > 0) {
        whole = d.digits.substr(0, static_cast<std::size_t>(std::min(d.point, count)));
        whole.append(static_cast<std::size_t>(std::max(0, d.point - count)), '0');
        if (d.point < count) {
            decimals = d.digits.substr(static_cast<std::size_t>(d.point));
        }
    } else if (!d.digits.empty()) {
        decimals.assign(static_cast<std::size_t>(-d.point), '0');
        decimals += d.digits;
    }
    if (static_cast<int>(whole.size()) < minWhole) {
        whole.insert(0, static_cast<std::size_t>(minWhole) - whole.size(), '0');
    }
    if (static_cast<int>(decimals.size()) < minDecimals) {
        decimals.append(static_cast<std::size_t>(minDecimals) - decimals.size(), '0');
    }
    std::string text = d.negative && !d.digits.empty() ? "-" : "";
    text += whole;
    if (markAlways || !decimals.empty()) {
        text += mark;
        text += decimals;
    }
    return text;
}

std::string defaultText(Decimal d, int significant, char mark) {
    roundToDigits(d, significant);
    if (d.digits.empty()) {
        return "0";
    }
    if (d.point >= smallestFixedPoint && d.point <= significant) {
        return fixedText(d, 1, 0, false, mark);
    }
    const int exponent = d.point - 1;
    d.point = 1;
    std::string text = fixedText(d, 1, 0, false, mark);
    text += exponent < 0 ? "E-" : "E+";
    const std::string digits = std::to_string(std::abs(exponent));
    text += digits.size() < 2 ? "0" + digits : digits;
    return text;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::size_t skipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && isDigit(text[at])) {
        ++at;
    }
    return at;
}

// A number read from the start of a text: how many characters it takes (0 when the text does not
// start with a number) and its value.
struct Scan {
    std::size_t length = 0;
    double value = 0;
};

// Decimal exponent of the leading significant digit of a plain number text ("-12.5e3" gives 4).
// Only its sign is needed, to tell overflow from underflow, so the exponent part saturates.
long long leadingExponent(std::string_view plain) {
    const std::size_t e = std::min(plain.find_first_of("eE"), plain.size());
    const std::string_view mantissa = plain.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    long long exponent = first < point ? static_cast<long long>(point - first) - 1
                                       : -static_cast<long long>(first - point);
    long long written = 0;
    std::size_t at = e + 1;
    const bool negative = at < plain.size() && plain[at] == '-';
    at += at < plain.size() && (plain[at] == '-' || plain[at] == '+') ? 1 : 0;
    for (; at < plain.size(); ++at) {
        written = std::min(written * 10 + (plain[at] - '0'), 1000000000LL);
    }
    return exponent + (negative ? -written : written);
}

Scan scanNumber(std::string_view text, char mark) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    const std::size_t wholeEnd = skipDigits(text, at);
    std::size_t end = wholeEnd;
    bool digits = wholeEnd > at;
    if (end < text.size() && text[end] == mark) {
        const std::size_t decimalsEnd = skipDigits(text, end + 1);
        if (digits || decimalsEnd > end + 1) {
            digits = true;
            end = decimalsEnd;
        }
    }
    if (!digits) {
        return {};
    }
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentEnd = skipDigits(text, exponent);
        if (exponentEnd > exponent) {
            end = exponentEnd;
        }
    }
    const std::size_t sign = text[0] == '+' ? 1 : 0;
    std::string plain(text.substr(sign, end - sign));
    std::replace(plain.begin(), plain.end(), mark, '.');
    Scan scan{end, 0};
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), scan.value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large is an overflow; too small for a double reads as zero.
        if (leadingExponent(plain) >= 0) {
            throw Failure(FailureCode::Overflow);
        }
        scan.value = 0;
    }
    return scan;
}

std::size_t skipBlanks(std::string_view text, std::size_t at) {
    while (at < text.size() && isBlank(text[at])) {
        ++at;
    }
    return at;
}

}  // namespace

std::string NumberText::format(double value) const {
    return defaultText(decimalFor(value, doubleDigits), doubleDigits, mark_);
}

std::string NumberText::format(float value) const {
    return defaultText(decimalFor(static_cast<double>(value), singleDigits), singleDigits, mark_);
}

std::string NumberText::item(double value) const {
    std::string text = format(value);
    if (text[0] != '-') {
        text.insert(0, 1, ' ');
    }
    text += ' ';
    return text;
}

std::string NumberText::pattern(double value, std::string_view pattern) const {
    const std::size_t point = std::min(pattern.find('.'), pattern.size());
    const std::string_view whole = pattern.substr(0, point);
    const std::string_view decimals = point < pattern.size() ? pattern.substr(point + 1) : "";
    const std::size_t minDecimals = std::min(decimals.find_first_not_of('0'), decimals.size());
    if (whole.find_first_not_of("#0") != std::string_view::npos ||
        decimals.substr(minDecimals).find_first_not_of('#') != std::string_view::npos) {
        throw Failure(FailureCode::InvalidCall, "format pattern " + std::string(pattern));
    }
    Decimal d = exactDecimal(value);
    const auto maxDecimals = static_cast<int>(decimals.size());
    roundToDigits(d, std::min(d.point + maxDecimals, doubleDigits));
    return fixedText(d, static_cast<int>(std::count(whole.begin(), whole.end(), '0')),
                     static_cast<int>(minDecimals), point < pattern.size(), mark_);
}

double NumberText::parse(std::string_view text) const {
    const std::size_t start = skipBlanks(text, 0);
    const Scan scan = scanNumber(text.substr(start), mark_);
    if (scan.length == 0 || skipBlanks(text, start + scan.length) != text.size()) {
        throw Failure(FailureCode::TypeMismatch);
    }
    return scan.value;
}

double NumberText::leadingNumber(std::string_view text) const {
    return scanNumber(text.substr(skipBlanks(text, 0)), mark_).value;
}

}  // namespace tl
