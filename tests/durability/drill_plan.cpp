#include "tests/durability/drill_plan.h"

#include <stdexcept>

#include "areas/area_table.h"
#include "simlink/position_conversion.h"

namespace tl::durability {

DrillPlan::DrillPlan(int areaSize) : areaSize_(areaSize) {
    if (areaSize < 1 || areaSize > AreaTable::maxVertices) {
        throw std::invalid_argument("an area holds 1 to " + std::to_string(AreaTable::maxVertices) +
                                    " vertices");
    }
}

std::int64_t DrillPlan::capacity() const {
    return std::int64_t{AreaTable::maxAreas} * areaSize_;
}

int DrillPlan::areaOf(std::int64_t vertex) const {
    return static_cast<int>((vertex - 1) / areaSize_ + 1);
}

bool DrillPlan::opensArea(std::int64_t vertex) const {
    return (vertex - 1) % areaSize_ == 0;
}

std::int64_t DrillPlan::nextVertex(int areas, int vertices) const {
    return areas < 1 ? 1 : std::int64_t{areas - 1} * areaSize_ + vertices + 1;
}

std::string DrillPlan::areaName(int area) const {
    return "Drill " + std::to_string(area);
}

std::string DrillPlan::elevation(int area) const {
    return numbers_.format(100 + area * 0.25);
}

sim::Fix DrillPlan::place(std::int64_t vertex) const {
    // Scattered over both hemispheres in ten-thousandths of a degree, with no latitude below 10
    // degrees, so that every digit of a line depends on n.
    const std::int64_t latitude = 100000 + vertex * 7919 % 700000;
    const std::int64_t longitude = vertex * 104729 % 3590000 - 1795000;
    const double sign = vertex % 3 == 0 ? -1.0 : 1.0;
    return {sign * static_cast<double>(latitude) / 10000.0,
            static_cast<double>(longitude) / 10000.0, 0.0};
}

AircraftPosition DrillPlan::reading(std::int64_t vertex) const {
    const sim::Fix fix = place(vertex);
    return {PositionConversion::latitude(sim::Aircraft::encodeLatitude(fix.latitude)),
            PositionConversion::longitude(sim::Aircraft::encodeLongitude(fix.longitude))};
}

std::string DrillPlan::areaLines(int area) const {
    return "\r\n#" + areaName(area) + "\r\n" + elevation(area) + "\r\n";
}

std::string DrillPlan::vertexLine(std::int64_t vertex) const {
    const AircraftPosition position = reading(vertex);
    return numbers_.format(position.planeLat) + " " + numbers_.format(position.planeLon) + "\r\n";
}

}  // namespace tl::durability
