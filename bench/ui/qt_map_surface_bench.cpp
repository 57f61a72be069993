// The map's picture at capacity (127 outlined areas of 512 vertices, the current area's 512 dots
// and 65535 path points, drawn the way a full redraw draws them), its repaint, and the yield that
// a redraw makes after every outline edge.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <cmath>
#include <vector>

#include "ui/main_window.h"
#include "ui/qt_event_pump.h"
#include "ui/qt_map_surface.h"

namespace {

struct Point {
    float x;
    float y;
};

constexpr tl::SurfaceScale view{8.4f, 47.6f, 0.25f, -0.25f};

// Vertices of an area: a circle of 512 points somewhere in the view.
std::vector<Point> area(int number) {
    std::vector<Point> points;
    const float cx = view.left + 0.02f + 0.21f * static_cast<float>(number % 12) / 11.0f;
    const float cy = view.top - 0.02f - 0.21f * static_cast<float>(number / 12) / 10.0f;
    for (int v = 0; v < 512; ++v) {
        const double angle = 2 * M_PI * v / 512;
        points.push_back({cx + 0.01f * static_cast<float>(std::cos(angle)),
                          cy + 0.01f * static_cast<float>(std::sin(angle))});
    }
    return points;
}

void outline(tl::MapSurface& surface, const std::vector<Point>& points, tl::Colour colour) {
    surface.setCurrentPoint(points[0].x, points[0].y);
    surface.setPenWidth(3);
    surface.point(points[0].x, points[0].y, colour);
    for (std::size_t v = 1; v < points.size(); ++v) {
        surface.setPenWidth(1);
        surface.lineTo(points[v].x, points[v].y, colour);
        surface.setPenWidth(3);
        surface.point(points[v].x, points[v].y, colour);
    }
    surface.setPenWidth(1);
    surface.lineTo(points[0].x, points[0].y, colour);
    surface.setPenWidth(3);
    surface.point(points[0].x, points[0].y, colour);
}

void fullRedraw(benchmark::State& state) {
    tl::MainWindow window;
    tl::QtMapSurface& surface = window.surface();
    surface.setScale(view);
    std::vector<std::vector<Point>> areas;
    for (int a = 0; a < 128; ++a) {
        areas.push_back(area(a));
    }
    std::vector<Point> path;
    for (int k = 0; k < 65535; ++k) {
        const double t = k / 65535.0;
        path.push_back({view.left + 0.25f * static_cast<float>(t),
                        view.top - 0.125f - 0.1f * static_cast<float>(std::sin(40 * t))});
    }
    for (auto _ : state) {
        surface.clear();
        for (int a = 0; a < 127; ++a) {
            outline(surface, areas[a], tl::rgb(0, 0, 0));
        }
        surface.setPenWidth(1);
        surface.setPenColour(tl::rgb(255, 0, 255));
        for (const Point& p : path) {
            surface.point(p.x, p.y);
        }
        surface.setPenWidth(3);
        surface.setPenColour(tl::rgb(0, 0, 255));
        for (const Point& p : areas[127]) {
            surface.point(p.x, p.y);
        }
        benchmark::DoNotOptimize(surface.picture().constBits());
    }
}
BENCHMARK(fullRedraw)->Unit(benchmark::kMillisecond);

// One repaint of the map widget: the picture and the marker.
void repaint(benchmark::State& state) {
    tl::MainWindow window;
    tl::QtMapSurface& surface = window.surface();
    QImage target(surface.picture().size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        surface.paint(painter);
    }
}
BENCHMARK(repaint)->Unit(benchmark::kMicrosecond);

// One yield to the window system with nothing waiting: a full redraw makes one per outline edge.
void idleYield(benchmark::State& state) {
    tl::MainWindow window;
    tl::QtEventPump pump;
    for (auto _ : state) {
        pump.yield();
    }
}
BENCHMARK(idleYield)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
