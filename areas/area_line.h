#pragma once

#include <string_view>

namespace tl {

// The line rules of the area file, shared by the start-up load and the build.
class AreaLine {
public:
    enum class Kind { Empty, Name, Elevation, Vertex };

    struct VertexTexts {
        std::string_view latitude;   // from the start up to and including the first space
        std::string_view longitude;  // everything after the first space
    };

    // The first rule that fits: empty; "#" first (a name line); no space (an elevation line); any
    // other line is a vertex line. A tab is not a space, and a line of blanks is not empty.
    static Kind classify(std::string_view line);

    // The area name of a name line: the text after the "#".
    static std::string_view name(std::string_view line) { return line.substr(1); }

    static VertexTexts vertexTexts(std::string_view line);
};

}  // namespace tl
