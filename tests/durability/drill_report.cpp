#include "tests/durability/drill_report.h"

#include <charconv>
#include <stdexcept>

namespace tl::durability {

namespace {

template <typename Number>
bool readNumber(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace

std::string DrillReport::line() const {
    return std::to_string(vertex) + " " + std::to_string(fileSize) + "\n";
}

std::vector<DrillReport> DrillReport::all(std::string_view output) {
    std::vector<DrillReport> reports;
    std::size_t start = 0;
    for (std::size_t end = output.find('\n'); end != std::string_view::npos;
         start = end + 1, end = output.find('\n', start)) {
        const std::string_view line = output.substr(start, end - start);
        const std::size_t space = line.find(' ');
        DrillReport report;
        if (space == std::string_view::npos || !readNumber(line.substr(0, space), report.vertex) ||
            !readNumber(line.substr(space + 1), report.fileSize) || report.vertex < 1) {
            throw std::runtime_error("not a drill report: \"" + std::string(line) + "\"");
        }
        reports.push_back(report);
    }
    return reports;
}

}  // namespace tl::durability
