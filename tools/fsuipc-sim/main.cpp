#include <csignal>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "simlink/fsuipc_simulator_memory.h"
#include "tools/fsuipc-sim/aircraft.h"
#include "tools/fsuipc-sim/flight_route.h"
#include "tools/fsuipc-sim/sim_options.h"
#include "tools/fsuipc-sim/sim_server.h"

namespace {

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

        handleSignals();
        tl::sim::SimServer server(options, aircraft, memory, std::cerr);
        std::string problem;
        if (!server.start(problem)) {
            std::cerr << "fsuipc-sim: " << problem << '\n';
            return 1;
        }
        std::cerr << "fsuipc-sim: serving " << options.windowClass << " at " << server.socketPath()
                  << '\n';
        server.run(stopRequested);
    } catch (const std::exception& problem) {
        std::cerr << "fsuipc-sim: " << problem.what() << '\n';
        return 1;
    }
    return 0;
}
