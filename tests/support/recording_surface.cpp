#include "tests/support/recording_surface.h"

#include <algorithm>
#include <system_error>

#include "common/failure.h"

namespace tl::test {

void RecordingSurface::clear() {
    calls.clear();
    ++clears;
}

void RecordingSurface::setCurrentPoint(float x, float y) {
    currentX = x;
    currentY = y;
}

void RecordingSurface::point(float x, float y, Colour colour) {
    calls.push_back({Kind::Point, x, y, x, y, colour, penWidth, {}});
    setCurrentPoint(x, y);
}

void RecordingSurface::lineTo(float x, float y, Colour colour) {
    calls.push_back({Kind::Line, currentX, currentY, x, y, colour, penWidth, {}});
    setCurrentPoint(x, y);
}

void RecordingSurface::line(float x1, float y1, float x2, float y2) {
    calls.push_back({Kind::Line, x1, y1, x2, y2, penColour, penWidth, {}});
}

void RecordingSurface::text(std::string_view text) {
    calls.push_back({Kind::Text, currentX, currentY, currentX, currentY, penColour, penWidth,
                     std::string(text)});
}

void RecordingSurface::moveMarker(float left, float top) {
    markerLeft = left;
    markerTop = top;
    ++markerMoves;
}

void RecordingSurface::useCursorFile(const std::filesystem::path& cursorFile) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(cursorFile, error)) {
        throw Failure(FailureCode::FileNotFound, cursorFile.string());
    }
    pointer = cursorFile.filename().string();
}

int RecordingSurface::count(Kind kind) const {
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [&](const Call& c) { return c.kind == kind; }));
}

int RecordingSurface::count(Kind kind, Colour colour) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const Call& c) {
        return c.kind == kind && c.colour == colour;
    }));
}

}  // namespace tl::test
