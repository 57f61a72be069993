#include "areas/area_line.h"

namespace tl {

AreaLine::Kind AreaLine::classify(std::string_view line) {
    if (line.empty()) {
        return Kind::Empty;
    }
    if (line.front() == '#') {
        return Kind::Name;
    }
    if (line.find(' ') == std::string_view::npos) {
        return Kind::Elevation;
    }
    return Kind::Vertex;
}

AreaLine::VertexTexts AreaLine::vertexTexts(std::string_view line) {
    const auto space = line.find(' ');
    return {line.substr(0, space + 1), line.substr(space + 1)};
}

}  // namespace tl
