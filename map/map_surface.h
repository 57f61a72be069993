#pragma once

#include <filesystem>
#include <string_view>

#include "common/colour.h"

namespace tl {

// The user scale of the map surface, held in single precision. A negative height makes y grow
// upward.
struct SurfaceScale {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

// The size of the aircraft marker in map units, both as positive magnitudes whichever way the axes
// run, so that the aircraft lies inside its marker.
struct MarkerSize {
    float width = 0;
    float height = 0;
};

// The map `picMap`: a persistent picture with a user coordinate system, and the aircraft marker
// `planeCursor` on top of it. Coordinates are map units (x longitude, y latitude in degrees once
// the map is scaled).
class MapSurface {
public:
    virtual ~MapSurface() = default;

    // Erases everything drawn; the background and the marker stay.
    virtual void clear() = 0;

    virtual SurfaceScale scale() const = 0;
    virtual void setScale(const SurfaceScale& scale) = 0;

    virtual void setPenColour(Colour colour) = 0;
    virtual void setPenWidth(int pixels) = 0;

    virtual void setCurrentPoint(float x, float y) = 0;
    // A round dot of the pen's width; the point becomes the current point.
    virtual void point(float x, float y) = 0;
    virtual void point(float x, float y, Colour colour) = 0;
    // A line from the current point to (x, y), which becomes the current point.
    virtual void lineTo(float x, float y, Colour colour) = 0;
    // A line between two points in the pen colour.
    virtual void line(float x1, float y1, float x2, float y2) = 0;
    // Text in the pen colour with its top-left corner at the current point; the current point then
    // moves to the start of the next text line.
    virtual void text(std::string_view text) = 0;

    virtual void setMarkerColour(Colour colour) = 0;
    virtual void moveMarker(float left, float top) = 0;
    virtual MarkerSize markerSize() const = 0;

    // The pointer over the map: the default arrow, or the picture of a cursor file. Loading a
    // cursor that cannot be read throws tl::Failure and leaves the pointer as it was.
    virtual void useDefaultPointer() = 0;
    virtual void useCursorFile(const std::filesystem::path& cursorFile) = 0;
};

}  // namespace tl
