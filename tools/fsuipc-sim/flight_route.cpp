#include "tools/fsuipc-sim/flight_route.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <locale>
#include <numbers>
#include <sstream>
#include <stdexcept>

namespace tl::sim {

namespace {

constexpr double earthRadiusMetres = 6371000.0;
// Ground elevations beyond this do not fit the simulator's metres x 256 in 32 bits.
constexpr double highestGround = 8000000.0;

double distance(const Fix& from, const Fix& to) {
    const double radians = std::numbers::pi / 180.0;
    const double meanLatitude = (from.latitude + to.latitude) / 2 * radians;
    const double north = (to.latitude - from.latitude) * radians * earthRadiusMetres;
    const double east =
        (to.longitude - from.longitude) * radians * earthRadiusMetres * std::cos(meanLatitude);
    return std::hypot(north, east);
}

Fix between(const Fix& from, const Fix& to, double share) {
    return Fix{from.latitude + (to.latitude - from.latitude) * share,
               from.longitude + (to.longitude - from.longitude) * share,
               from.groundMetres + (to.groundMetres - from.groundMetres) * share};
}

}  // namespace

FlightRoute::FlightRoute(std::vector<Fix> fixes) : fixes_(std::move(fixes)) {
    legStarts_.push_back(0);
    for (std::size_t i = 0; i < fixes_.size(); ++i) {
        const Fix& next = fixes_[(i + 1) % fixes_.size()];
        legStarts_.push_back(legStarts_.back() + distance(fixes_[i], next));
    }
}

FlightRoute FlightRoute::demo() {
    return FlightRoute({
        {47.4480, 8.5400, 424.0},
        {47.4700, 8.5330, 428.5},
        {47.4830, 8.5480, 437.25},
        {47.4760, 8.5720, 452.0},
        {47.4520, 8.5660, 431.75},
    });
}

FlightRoute FlightRoute::parse(std::istream& text) {
    std::vector<Fix> fixes;
    std::string line;
    for (int number = 1; std::getline(text, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::istringstream fields(line);
        fields.imbue(std::locale::classic());
        std::string first;
        if (!(fields >> first) || first.front() == '#') {
            continue;
        }
        fields.seekg(0);
        Fix fix;
        std::string extra;
        const std::string where = "line " + std::to_string(number) + ": ";
        if (!(fields >> fix.latitude >> fix.longitude >> fix.groundMetres) || (fields >> extra)) {
            throw std::runtime_error(where + "expected \"lat lon ground-metres\"");
        }
        if (!(std::abs(fix.latitude) <= 90) || !(std::abs(fix.longitude) <= 180)) {
            throw std::runtime_error(where + "latitude or longitude out of range");
        }
        if (!(std::abs(fix.groundMetres) < highestGround)) {
            throw std::runtime_error(where + "ground elevation out of range");
        }
        fixes.push_back(fix);
    }
    if (fixes.empty()) {
        throw std::runtime_error("the route has no fixes");
    }
    return FlightRoute(std::move(fixes));
}

FlightRoute FlightRoute::load(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        throw std::runtime_error("cannot read " + path);
    }
    try {
        return parse(file);
    } catch (const std::runtime_error& problem) {
        throw std::runtime_error(path + ": " + problem.what());
    }
}

Fix FlightRoute::at(double metres) const {
    if (!(length() > 0)) {
        return fixes_.front();
    }
    const double along = std::fmod(std::max(metres, 0.0), length());
    std::size_t leg = 0;
    while (leg + 1 < fixes_.size() && legStarts_[leg + 1] <= along) {
        ++leg;
    }
    const double legLength = legStarts_[leg + 1] - legStarts_[leg];
    const double share = legLength > 0 ? (along - legStarts_[leg]) / legLength : 0;
    return between(fixes_[leg], fixes_[(leg + 1) % fixes_.size()], share);
}

}  // namespace tl::sim
