#include <csignal>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "simlink/fsuipc_simulator_memory.h"
#include "tools/fsuipc-sim/aircraft.h"
#include "tools/fsuipc-sim/flight_route.h"
#include "tools/fsuipc-sim/sim_options.h"
#include "tools/fsuipc-sim/sim_requests.h"
#ifdef _WIN32
#include "tools/fsuipc-sim/win32/sim_window.h"
#else
#include "tools/fsuipc-sim/sim_server.h"
#endif

namespace {

#ifndef _WIN32
volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

// Without SA_RESTART, so that the signal also ends the server's wait.
void handleSignals() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

// Serves the Unix socket of the window class until interrupted.
int serve(const tl::sim::SimOptions& options, tl::sim::SimRequests& requests) {
    handleSignals();
    tl::sim::SimServer server(options, requests, std::cerr);
    std::string problem;
    if (!server.start(problem)) {
        std::cerr << "fsuipc-sim: " << problem << '\n';
        return 1;
    }
    std::cerr << "fsuipc-sim: serving " << options.windowClass << " at " << server.socketPath()
              << '\n';
    server.run(stopRequested);
    return 0;
}
#else
// Serves a window of the class until it is closed.
int serve(const tl::sim::SimOptions& options, tl::sim::SimRequests& requests) {
    tl::sim::SimWindow window(options, requests, std::cerr);
    std::string problem;
    if (!window.create(problem)) {
        std::cerr << "fsuipc-sim: " << problem << '\n';
        return 1;
    }
    std::cerr << "fsuipc-sim: serving window class " << options.windowClass << '\n';
    window.run();
    return 0;
}
#endif

constexpr double metresPerKnot = 1852.0 / 3600.0;

tl::sim::Aircraft makeAircraft(const tl::sim::SimOptions& options) {
    using Flight = tl::sim::SimOptions::Flight;
    const double speed = options.speedKnots * metresPerKnot;
    switch (options.flight) {
        case Flight::Demo:
            return tl::sim::Aircraft::flying(tl::sim::FlightRoute::demo(), speed);
        case Flight::Route:
            return tl::sim::Aircraft::flying(tl::sim::FlightRoute::load(options.routeFile), speed);
        case Flight::Stand:
            break;
    }
    return tl::sim::Aircraft::standing(options.place);
}

}  // namespace

int main(int argc, char** argv) {
    tl::sim::SimOptions options;
    try {
        options = tl::sim::SimOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& problem) {
        std::cerr << "fsuipc-sim: " << problem.what() << "\nTry 'fsuipc-sim --help'.\n";
        return 2;
    }
    if (options.help) {
        std::cout << tl::sim::SimOptions::helpText();
        return 0;
    }
    try {
        tl::sim::Aircraft aircraft = makeAircraft(options);
        tl::SimulatorMemory memory;
        memory.write(tl::SimulatorMemory::fsuipcVersionOffset, options.fsuipcVersion);
        memory.write(tl::SimulatorMemory::fsVersionOffset, options.simulatorVersion);
        memory.write(tl::SimulatorMemory::checkPatternOffset, options.checkPattern);
        aircraft.publish(memory, 0);
        tl::sim::SimRequests requests(options, aircraft, memory);
        return serve(options, requests);
    } catch (const std::exception& problem) {
        std::cerr << "fsuipc-sim: " << problem.what() << '\n';
        return 1;
    }
}
