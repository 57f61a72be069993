#pragma once

#include "common/colour.h"

namespace tl {

// The whole-map redraw and the outline of one area.
class MapDrawing {
public:
    virtual ~MapDrawing() = default;
    virtual void redrawMap() = 0;
    // Draws the closed outline of area `areaNumber` from its first `pointCount` vertices; with
    // `stepwise` 1 it pauses for the link delay after each edge.
    virtual void LinkVertices(int areaNumber, int pointCount, Colour lineColour, Colour dotColour,
                              int stepwise) = 0;
};

}  // namespace tl
