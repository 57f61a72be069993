#include "scasm/batch_line.h"

namespace tl {

std::string BatchLine::compile(std::string_view areaName) {
    return "scasm " + quoted(areaName, ".sca") + " " + quoted(areaName, ".bgl");
}

std::string BatchLine::copy(std::string_view firstName) {
    return "copy flatten.txt " + quoted(firstName, "-flatten.txt");
}

std::string BatchLine::quoted(std::string_view areaName, std::string_view suffix) {
    std::string text = "\"";
    for (const char c : areaName) {
        if (c == '%') {
            text += '%';
        }
        text += c;
    }
    text += suffix;
    text += '"';
    return text;
}

}  // namespace tl
