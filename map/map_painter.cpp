#include "map/map_painter.h"

#include <cmath>

#include "common/failure.h"
#include "common/integer_conversion.h"
#include "map/colour_text.h"
#include "map/lod_cell.h"

namespace tl {

namespace {

constexpr int thinPen = 1;
constexpr int dotPen = 3;

float single(double value) {
    return static_cast<float>(value);
}

// The magnitude of a line count, which must fit in 16 bits as well.
std::int16_t lineCount(double extent, double cellSize) {
    const std::int16_t count = floorToInt16(extent / cellSize);
    return toInt16(std::abs(static_cast<double>(count)));
}

}  // namespace

MapPainter::MapPainter(MapSurface& surface, const AreaTable& areas, const PathRecord& path,
                       const GridSettings& grid, const bool& fsConnected, const Window& window,
                       EventPump& pump, ErrorReporter& errors, const NumberText& numbers)
    : surface_(surface),
      areas_(areas),
      path_(path),
      grid_(grid),
      fsConnected_(fsConnected),
      window_(window),
      pump_(pump),
      errors_(errors),
      numbers_(numbers) {}

void MapPainter::redrawMap() {
    errors_.guard("redrawMap", [&] {
        surface_.clear();
        if (window_.isChecked("mnuGrid") && fsConnected_) {
            drawGrid();
        }
        if (window_.isChecked("mnuAllAreas")) {
            for (std::int32_t area = 1; area < areas_.areaCount; ++area) {
                LinkVertices(area, areas_.areaVertexCount(area), black, black, 0);
            }
        }
        if (window_.isChecked("mnuPlotPath")) {
            drawPath();
        }
        drawCurrentVertices();
    });
}

void MapPainter::drawPath() {
    surface_.setPenWidth(thinPen);
    surface_.setPenColour(magenta);
    for (std::int32_t slot = 1; slot <= path_.pathCount; ++slot) {
        if (slot > PathRecord::capacity) {
            throw Failure(FailureCode::IndexOutOfRange);
        }
        const PathRecord::Point& p = path_.at(slot);
        surface_.point(single(p.lon), single(p.lat));
    }
}

void MapPainter::drawCurrentVertices() {
    surface_.setPenWidth(dotPen);
    surface_.setPenColour(blue);
    for (std::int32_t vertex = 1; vertex <= areas_.vertexCount; ++vertex) {
        const AreaTable::Vertex& v = areas_.areaPoints(areas_.areaCount, vertex);
        surface_.point(single(v.lon), single(v.lat));
    }
}

void MapPainter::pauseIfStepwise(int stepwise) {
    if (stepwise == 1) {
        pump_.pause(grid_.linkDelay);
    }
}

void MapPainter::LinkVertices(int areaNumber, int pointCount, Colour lineColour, Colour dotColour,
                              int stepwise) {
    errors_.guard("LinkVertices", [&] {
        // Copies: the table may change under the yields below.
        const AreaTable::Vertex first = areas_.areaPoints(areaNumber, 1);
        surface_.setCurrentPoint(single(first.lon), single(first.lat));
        surface_.setPenWidth(dotPen);
        surface_.point(single(first.lon), single(first.lat), dotColour);
        for (int vertex = 2; vertex <= pointCount; ++vertex) {
            const AreaTable::Vertex v = areas_.areaPoints(areaNumber, vertex);
            surface_.setPenWidth(thinPen);
            surface_.lineTo(single(v.lon), single(v.lat), lineColour);
            surface_.setPenWidth(dotPen);
            surface_.point(single(v.lon), single(v.lat), dotColour);
            pauseIfStepwise(stepwise);
            pump_.yield();
        }
        surface_.setPenWidth(thinPen);
        surface_.lineTo(single(first.lon), single(first.lat), lineColour);
        surface_.setPenWidth(dotPen);
        surface_.point(single(first.lon), single(first.lat), dotColour);
        pauseIfStepwise(stepwise);
        if (areaNumber < areas_.areaCount && window_.isChecked("mnuAreaNumbers")) {
            surface_.setPenColour(black);
            surface_.text(" " + numbers_.format(static_cast<double>(areaNumber)));
        }
        pump_.yield();
    });
}

void MapPainter::drawGrid() {
    errors_.guard("drawGrid", [&] {
        const int lod = grid_.gridLod;
        if (lod < LodCell::lowestGridLod || lod > LodCell::highestGridLod) {
            return;
        }
        const double rowHeight = LodCell::rowHeight(lod);
        const double columnWidth = LodCell::columnWidth(lod);
        const SurfaceScale s = surface_.scale();
        const double left = s.left;
        const double top = s.top;
        const double width = s.width;
        const double height = s.height;
        const double x0 = columnWidth * std::ceil(left / columnWidth);
        const double y0 = rowHeight * std::floor(top / rowHeight);

        surface_.setPenColour(colourFromHexText(gridColourText));
        surface_.setPenWidth(thinPen);

        const std::int16_t columns = lineCount(width, columnWidth);
        for (int i = 0; i <= columns; ++i) {
            const double x = x0 + i * columnWidth;
            surface_.line(single(x), single(top), single(x), single(top + height));
        }
        const std::int16_t rows = lineCount(height, rowHeight);
        for (int j = 0; j <= rows; ++j) {
            const double y = y0 - j * rowHeight;
            surface_.line(single(left), single(y), single(left + width), single(y));
        }
    });
}

}  // namespace tl
