#include <benchmark/benchmark.h>

#include <string>

#include "map/map_painter.h"
#include "tests/support/fake_event_pump.h"
#include "tests/support/fake_window.h"

namespace tl {
namespace {

// A surface that only counts what it is asked to draw.
class CountingSurface : public MapSurface {
public:
    void clear() override { ++calls; }
    SurfaceScale scale() const override { return scale_; }
    void setScale(const SurfaceScale& scale) override { scale_ = scale; }
    void setPenColour(Colour) override { ++calls; }
    void setPenWidth(int) override { ++calls; }
    void setCurrentPoint(float, float) override { ++calls; }
    void point(float x, float y) override { sum += x + y; }
    void point(float x, float y, Colour) override { sum += x + y; }
    void lineTo(float x, float y, Colour) override { sum += x + y; }
    void line(float x1, float y1, float x2, float y2) override { sum += x1 + y1 + x2 + y2; }
    void text(std::string_view text) override { calls += text.size(); }
    void setMarkerColour(Colour) override {}
    void moveMarker(float, float) override {}
    MarkerSize markerSize() const override { return {}; }
    void useDefaultPointer() override {}
    void useCursorFile(const std::filesystem::path&) override {}

    double sum = 0;
    std::size_t calls = 0;

private:
    SurfaceScale scale_;
};

// A full map: 127 recorded areas of 512 vertices, the current area's 512 vertices, a full path
// and the grid at its finest level, in the start view.
void BM_RedrawMapAtCapacity(benchmark::State& state) {
    CountingSurface surface;
    surface.setScale({8.425f, 47.585f, 0.25f, -0.25f});
    AreaTable areas;
    for (int a = 1; a <= AreaTable::maxAreas; ++a) {
        for (int v = 1; v <= AreaTable::maxVertices; ++v) {
            areas.setAreaPoint(a, v, 47.35 + a * 0.001 + v * 0.0001, 8.45 + v * 0.0002);
        }
        areas.setAreaVertexCount(a, AreaTable::maxVertices);
    }
    areas.areaCount = AreaTable::maxAreas;
    areas.vertexCount = AreaTable::maxVertices;
    PathRecord path;
    for (int k = 1; k <= PathRecord::capacity; ++k) {
        path.store(k, 47.35 + k * 0.000003, 8.45 + k * 0.000003);
    }
    path.pathCount = PathRecord::capacity;
    GridSettings grid;
    grid.gridLod = 15;
    const bool fsConnected = true;
    test::FakeWindow window;
    for (const char* entry : {"mnuGrid", "mnuAllAreas", "mnuAreaNumbers", "mnuPlotPath"}) {
        window.setChecked(entry, true);
    }
    test::FakeEventPump pump;
    ErrorReporter errors(window);
    NumberText numbers;
    MapPainter painter(surface, areas, path, grid, fsConnected, window, pump, errors, numbers);

    for (auto _ : state) {
        painter.redrawMap();
        benchmark::DoNotOptimize(surface.sum);
    }
    if (!window.messages.empty()) {
        state.SkipWithError("the redraw reported a failure");
    }
    state.counters["yields/redraw"] =
        static_cast<double>(pump.yields) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_RedrawMapAtCapacity)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tl
