#pragma once

#include <string_view>
#include <vector>

namespace tl {

// The lines of a text as views into it, by the line rules of TextFile::splitLines (CR LF or a bare
// LF ends a line; a last line without an end counts). The readers of whole files use it to avoid
// a copy per line.
std::vector<std::string_view> lineViews(std::string_view text);

}  // namespace tl
