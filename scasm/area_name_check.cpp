#include "scasm/area_name_check.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "common/failure.h"

namespace tl {

namespace {

constexpr std::string_view forbidden = "<>:\"/\\|?*";

// Device names that Windows keeps whatever extension follows them.
bool isDeviceName(std::string_view base) {
    std::string upper(base);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (const std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
        if (upper == device) {
            return true;
        }
    }
    if (upper.size() < 4 || (upper.substr(0, 3) != "COM" && upper.substr(0, 3) != "LPT")) {
        return false;
    }
    // A digit, or a superscript one, two or three in the ANSI code page or in UTF-8.
    const std::string_view suffix = std::string_view(upper).substr(3);
    constexpr std::array<std::string_view, 6> superscripts = {"\xB9",     "\xB2",     "\xB3",
                                                              "\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
    return (suffix.size() == 1 && std::isdigit(static_cast<unsigned char>(suffix[0]))) ||
           std::find(superscripts.begin(), superscripts.end(), suffix) != superscripts.end();
}

// The name as it can be shown: control characters become "?".
std::string shown(std::string_view name) {
    std::string text(name);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, '?');
    return "area name \"" + text + "\"";
}

}  // namespace

std::string AreaNameCheck::problem(std::string_view name) {
    if (name.empty()) {
        return "the area name is empty";
    }
    if (name.size() > maxLength) {
        return shown(name) + " is longer than " + std::to_string(maxLength) + " characters";
    }
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20) {
            return shown(name) + " holds a control character";
        }
        if (forbidden.find(c) != std::string_view::npos) {
            return shown(name) + " holds the character " + c + ", which file names may not hold";
        }
    }
    if (name.back() == '.' || name.back() == ' ') {
        return shown(name) + " ends in a dot or a space";
    }
    std::string_view base = name.substr(0, name.find('.'));
    base = base.substr(0, base.find_last_not_of(' ') + 1);
    if (isDeviceName(base)) {
        return shown(name) + " is the name of a device";
    }
    return {};
}

void AreaNameCheck::require(std::string_view name) {
    if (const std::string why = problem(name); !why.empty()) {
        throw Failure(FailureCode::BadFileName, why);
    }
}

}  // namespace tl
