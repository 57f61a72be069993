#pragma once

#include <string>
#include <vector>

#include "map/map_surface.h"

namespace tl::test {

// Records every drawing call so that tests can count lines and dots and check their colours.
class RecordingSurface : public MapSurface {
public:
    enum class Kind { Clear, Point, Line, Text };

    struct Call {
        Kind kind;
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        Colour colour = 0;
        int width = 0;
        std::string text;
    };

    void clear() override;
    SurfaceScale scale() const override { return scale_; }
    void setScale(const SurfaceScale& scale) override { scale_ = scale; }
    void setPenColour(Colour colour) override { penColour = colour; }
    void setPenWidth(int pixels) override { penWidth = pixels; }
    void setCurrentPoint(float x, float y) override;
    void point(float x, float y) override { point(x, y, penColour); }
    void point(float x, float y, Colour colour) override;
    void lineTo(float x, float y, Colour colour) override;
    void line(float x1, float y1, float x2, float y2) override;
    void text(std::string_view text) override;
    void setMarkerColour(Colour colour) override { markerColour = colour; }
    void moveMarker(float left, float top) override;
    MarkerSize markerSize() const override { return marker; }
    void useDefaultPointer() override { pointer = "default"; }
    void useCursorFile(const std::filesystem::path& cursorFile) override;

    // Calls since the last clear.
    std::vector<Call> calls;
    int clears = 0;
    Colour penColour = 0;
    int penWidth = 1;
    float currentX = 0, currentY = 0;
    Colour markerColour = 0;
    float markerLeft = 0, markerTop = 0;
    int markerMoves = 0;
    MarkerSize marker{0.01f, 0.01f};
    std::string pointer = "default";

    int count(Kind kind) const;
    int count(Kind kind, Colour colour) const;

private:
    SurfaceScale scale_{0, 0, 4065, 4065};
};

}  // namespace tl::test
