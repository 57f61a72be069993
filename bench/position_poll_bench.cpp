#include <benchmark/benchmark.h>

#include <string>

#include "areas/area_table.h"
#include "areas/grid_settings.h"
#include "common/program_folder.h"
#include "core/link_control.h"
#include "map/map_painter.h"
#include "simlink/position_reader.h"
#include "simlink/position_tracker.h"
#include "simlink/posix/posix_transport.h"
#include "tests/support/fake_event_pump.h"
#include "tests/support/fake_transport.h"
#include "tests/support/fake_window.h"
#include "tests/support/recording_surface.h"
#include "tools/fsuipc-sim/sim_process.h"

namespace tl {
namespace {

// Everything one poll of the main loop touches while connected and polling with Plot Path on:
// the exchange, the labels, the path point, the marker and the path.
struct Poll {
    explicit Poll(FsuipcTransport& transport)
        : client(transport, [this](const std::string& text) { window.showMessage(text); }) {
        window.setChecked("mnuPlotPath", true);
        link.composeMessages();
        client.fsuipcInitialization();
        link.connectLink();
    }

    void run(benchmark::State& state) {
        int polls = 0;
        for (auto _ : state) {
            tracker.plotPosition();
            // The fakes log every call; keep their memory bounded on long runs.
            if (++polls % 4096 == 0) {
                window.textLog.clear();
                surface.calls.clear();
            }
        }
        if (!link.fsConnected || !window.messages.empty()) {
            state.SkipWithError(window.messages.empty() ? "no link to the simulator"
                                                        : window.messages.front().c_str());
        } else if (window.text("lblLat").empty()) {
            state.SkipWithError("the position labels were never set");
        }
    }

    test::FakeWindow window;
    FsuipcClient client;
    LinkControl link{client, window};
    AircraftPosition position;
    NumberText numbers;
    ErrorReporter errors{window};
    PositionReader reader{client, link, position, window, numbers, errors};
    test::RecordingSurface surface;
    PathRecord path;
    AreaTable areas;
    GridSettings grid;
    test::FakeEventPump pump;
    MapPainter painter{surface, areas, path, grid, link.fsConnected, window, pump, errors, numbers};
    PositionTracker tracker{reader, position, path, surface, painter, window, errors};
};

// fsuipc-sim flying its demo circuit, over the real POSIX transport.
void BM_plotPositionAgainstSim(benchmark::State& state) {
    const auto simulator =
        ProgramFolder::ofExecutable().path().parent_path() / "bin" / "fsuipc-sim";
    sim::SimProcess process(simulator.string(), {"--demo"});
    PosixTransport transport;
    Poll(transport).run(state);
}
BENCHMARK(BM_plotPositionAgainstSim)->Unit(benchmark::kMicrosecond);

// The same poll against the in-process stand-in: the cost of the program's own work.
void BM_plotPositionInProcess(benchmark::State& state) {
    test::FakeTransport transport;
    transport.memory.write<std::int64_t>(SimulatorMemory::latitudeOffset, 5095840000000000);
    transport.memory.write<std::int64_t>(SimulatorMemory::longitudeOffset, 438000000000000000);
    Poll(transport).run(state);
}
BENCHMARK(BM_plotPositionInProcess)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tl
