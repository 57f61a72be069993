#include "areas/line_views.h"

namespace tl {

std::vector<std::string_view> lineViews(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const bool crlf = end < text.size() && end > start && text[end - 1] == '\r';
        lines.push_back(text.substr(start, end - start - (crlf ? 1 : 0)));
        start = end + 1;
    }
    return lines;
}

}  // namespace tl
