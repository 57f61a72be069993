#pragma once

#include <vector>

#include "core/map_drawing.h"

namespace tl::test {

// Counts redraws and records each outline asked for.
class FakeMapDrawing : public MapDrawing {
public:
    struct Outline {
        int areaNumber;
        int pointCount;
        Colour lineColour;
        Colour dotColour;
        int stepwise;
        bool operator==(const Outline&) const = default;
    };

    void redrawMap() override { ++redraws; }
    void LinkVertices(int areaNumber, int pointCount, Colour lineColour, Colour dotColour,
                      int stepwise) override {
        outlines.push_back({areaNumber, pointCount, lineColour, dotColour, stepwise});
    }

    int redraws = 0;
    std::vector<Outline> outlines;
};

}  // namespace tl::test
