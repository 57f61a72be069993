// The number text that every reader of a data file parses with, and the texts written back.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "common/failure.h"
#include "common/number_text.h"
#include "fuzz/support/fuzz_check.h"

using tl::fuzz::check;

namespace {

struct Pattern {
    std::string_view text;
    int decimals;
};

constexpr std::array<Pattern, 6> patterns{{{"00.00", 2},
                                           {"0.0000", 4},
                                           {"0.000", 3},
                                           {"0.0000000000000", 13},
                                           {"0.0####", 5},
                                           {"###.0#############", 14}}};

// A failure may only say that the text is no number (13) or too large a number (6).
std::optional<double> parsed(const tl::NumberText& numbers, std::string_view text) {
    try {
        return numbers.parse(text);
    } catch (const tl::Failure& failure) {
        check(failure.number() == 13 || failure.number() == 6, "failure number 13 or 6");
        return std::nullopt;
    }
}

bool near(double a, double b, double absolute, double relative) {
    return std::fabs(a - b) <= absolute + relative * std::fabs(b);
}

void checkTexts(const tl::NumberText& numbers, double value) {
    // Default text: 15 significant digits that read back to the same text.
    const std::string text = numbers.format(value);
    const auto back = parsed(numbers, text);
    check(back.has_value(), "the default text reads back");
    check(numbers.format(*back) == text, "the default text is stable");
    check(std::fabs(value) < 1e-300 || near(*back, value, 0, 1e-14),
          "the default text keeps 15 digits");

    if (std::fabs(value) <= std::numeric_limits<float>::max()) {
        const auto single = static_cast<float>(value);
        const auto singleBack = parsed(numbers, numbers.format(single));
        check(singleBack.has_value() && (std::fabs(single) < 1e-30f ||
                                         near(*singleBack, static_cast<double>(single), 0, 1e-6)),
              "the single's text keeps 7 digits");
    }

    for (const Pattern& pattern : patterns) {
        const std::string shown = numbers.pattern(value, pattern.text);
        const auto shownBack = parsed(numbers, shown);
        check(shownBack.has_value(), "a pattern's text reads back");
        check(near(*shownBack, value, 0.5 * std::pow(10.0, -pattern.decimals), 1e-14),
              "a pattern's text rounds to its decimals");
        check(*shownBack != 0 || shown.front() != '-', "no sign on a text of zeros");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const tl::NumberText numbers(data[0] % 2 == 0 ? '.' : ',');
    const std::string_view text = tl::fuzz::textOf(data + 1, size - 1);
    const auto value = parsed(numbers, text);
    try {
        const double leading = numbers.leadingNumber(text);
        check(!value || leading == *value, "a number text starts with its number");
    } catch (const tl::Failure& failure) {
        check(failure.number() == 6 && !value, "only too large a number stops the leading number");
    }
    if (value) {
        check(std::isfinite(*value), "numbers read are finite");
        checkTexts(numbers, *value);
    }
    return 0;
}
