#include "tools/fsuipc-sim/sim_options.h"

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace tl::sim {

namespace {

// Reads the values that follow an option, checking that there are enough of them.
class Arguments {
public:
    explicit Arguments(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    bool done() const { return next_ >= arguments_.size(); }
    const std::string& take() { return arguments_[next_++]; }

    const std::string& value(const std::string& option) {
        if (done()) {
            throw std::invalid_argument(option + " needs a value");
        }
        return take();
    }

    // Decimal, or hexadecimal after "0x".
    std::uint32_t integer(const std::string& option, std::uint64_t largest) {
        const std::string& text = value(option);
        errno = 0;
        char* end = nullptr;
        const unsigned long long number = std::strtoull(text.c_str(), &end, 0);
        if (text.empty() || text.front() == '-' || *end != 0 || errno != 0 || number > largest) {
            throw std::invalid_argument(option + ": not a number from 0 to " +
                                        std::to_string(largest) + ": " + text);
        }
        return static_cast<std::uint32_t>(number);
    }

    double real(const std::string& option, double lowest, double highest) {
        const std::string& text = value(option);
        char* end = nullptr;
        const double number = std::strtod(text.c_str(), &end);
        if (text.empty() || *end != 0 || !(number >= lowest && number <= highest)) {
            throw std::invalid_argument(option + ": not a number from " + std::to_string(lowest) +
                                        " to " + std::to_string(highest) + ": " + text);
        }
        return number;
    }

private:
    const std::vector<std::string>& arguments_;
    std::size_t next_ = 0;
};

constexpr std::uint64_t largest32 = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint64_t largest16 = 0xFFFF;

}  // namespace

SimOptions SimOptions::parse(const std::vector<std::string>& arguments) {
    SimOptions options;
    Arguments in(arguments);
    while (!in.done()) {
        const std::string option = in.take();
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--demo") {
            options.flight = Flight::Demo;
        } else if (option == "--route") {
            options.flight = Flight::Route;
            options.routeFile = in.value(option);
        } else if (option == "--stand") {
            options.flight = Flight::Stand;
            options.place.latitude = in.real(option, -90, 90);
            options.place.longitude = in.real(option, -180, 180);
            options.place.groundMetres = in.real(option, -8000000, 8000000);
        } else if (option == "--speed") {
            options.speedKnots = in.real(option, 0, 100000);
        } else if (option == "--class") {
            options.windowClass = in.value(option);
            if (options.windowClass != "UIPCMAIN" && options.windowClass != "FS98MAIN") {
                throw std::invalid_argument("--class: UIPCMAIN or FS98MAIN, not " +
                                            options.windowClass);
            }
        } else if (option == "--fsuipc-version") {
            options.fsuipcVersion = in.integer(option, largest32);
        } else if (option == "--sim-version") {
            options.simulatorVersion = static_cast<std::uint16_t>(in.integer(option, largest16));
        } else if (option == "--pattern") {
            options.checkPattern = static_cast<std::uint16_t>(in.integer(option, largest16));
        } else if (option == "--reply") {
            options.reply = in.integer(option, largest32);
        } else if (option == "--delay") {
            options.delayMs = in.integer(option, 600000);
        } else if (option == "--drop-after") {
            options.dropAfter = in.integer(option, largest32);
        } else if (option == "--corrupt-id") {
            options.corruptIdentifier = in.integer(option, largest32);
        } else if (option == "--corrupt-count") {
            options.corruptCount = in.integer(option, largest32);
        } else if (option == "--fault-from") {
            options.faultFrom = in.integer(option, largest32);
        } else if (option == "--fault-count") {
            options.faultCount = in.integer(option, largest32);
        } else if (option == "--verbose") {
            options.verbose = true;
        } else {
            throw std::invalid_argument("unknown option " + option);
        }
    }
    return options;
}

bool SimOptions::faulted(std::uint32_t number) const {
    if (number < faultFrom) {
        return false;
    }
    return !faultCount || std::uint64_t{number} < std::uint64_t{faultFrom} + *faultCount;
}

std::string SimOptions::helpText() {
    return R"(Usage: fsuipc-sim [options]

Serves the FSUIPC inter-process protocol on this machine as a stand-in for a simulator running
FSUIPC: a window of class C is the Unix socket D/C, where D is $FSUIPC_IPC_DIR, else
$XDG_RUNTIME_DIR/fsuipc, else /tmp/fsuipc-<uid> (created with mode 0700; a folder that belongs to
another user or that group or others may write is refused). Runs until interrupted. On Windows it
serves a hidden window of class C instead, until the window is closed.

The simulator memory holds 64 KiB: FSUIPC's version at 0x3304, the simulator version and the check
pattern at 0x3308/0x330A, the ground altitude (metres x 256) at 0x0020, the latitude and longitude
(64-bit) at 0x0560/0x0568. A write to the position moves the aircraft there; it then stands still.

Aircraft:
  --stand LAT LON GROUND  stand still at LAT LON (decimal degrees) over GROUND metres
                          (the default: 47.4582 8.5481 432)
  --demo                  fly the built-in circuit near 47.46 N 8.55 E
  --route FILE            fly the circuit in FILE: lines "lat lon ground-metres"; blank lines and
                          lines starting with # are skipped; the last fix leads back to the first
  --speed KNOTS           ground speed on a circuit (default 120)

Simulator:
  --class NAME            window class: UIPCMAIN (default) or FS98MAIN
  --fsuipc-version N      value at 0x3304 (default 0x39990000: 3.999, no build letter)
  --sim-version N         simulator version at 0x3308: 1 FS98, 2 FS2000, 3 CFS2, 4 CFS1, 6 FS2002,
                          7 FS2004 (default), 8 FSX, 9 ESP
  --pattern N             check pattern at 0x330A (default 0xFADE)

Faults (numbers may be decimal or 0x hexadecimal):
  --reply N               answer N without carrying out the requests
  --delay MS              answer MS milliseconds late
  --corrupt-id K          after carrying out the requests, give record K (1 = the first) an
                          unknown identifier
  --corrupt-count K       after carrying out the requests, make record K's byte count run past
                          the end of the request area
  --fault-from N          the faults above start with each connection's message N (default 1)
  --fault-count N         and affect N messages (default: all from then on)
  --drop-after N          close each connection once it has had N answers (on Windows: close
                          the window)

  --verbose               log connections and messages on standard error
  --help                  show this text
)";
}

}  // namespace tl::sim
