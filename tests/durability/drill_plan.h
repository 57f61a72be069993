#pragma once

#include <cstdint>
#include <string>

#include "common/number_text.h"
#include "simlink/aircraft_position.h"
#include "tools/fsuipc-sim/aircraft.h"

namespace tl::durability {

// What the capture drill does, vertex by vertex, and so what flatten.txt must hold: vertex n
// (counted from 1 over the whole file) is taken at a place derived from n alone, and areas of
// `areaSize` vertices follow each other, each opened by New Area just before its first vertex.
class DrillPlan {
public:
    // Vertices per area, 1 to 512; throws std::invalid_argument otherwise.
    explicit DrillPlan(int areaSize);

    int areaSize() const { return areaSize_; }
    // The most vertices that one file can take: 128 areas of areaSize.
    std::int64_t capacity() const;

    // The area that vertex n belongs to, from 1.
    int areaOf(std::int64_t vertex) const;
    // True when vertex n is the first of its area, so New Area comes before it.
    bool opensArea(std::int64_t vertex) const;
    // The number of the next vertex after a file whose last area, `areas`, holds `vertices`.
    std::int64_t nextVertex(int areas, int vertices) const;

    // The texts typed into txtArea and txtElevation before New Area.
    std::string areaName(int area) const;
    std::string elevation(int area) const;
    // Where the aircraft stands when vertex n is captured.
    sim::Fix place(std::int64_t vertex) const;
    // That place as the program reads it from the simulator's encodings.
    AircraftPosition reading(std::int64_t vertex) const;

    // The bytes that New Area writes for `area`, and those that Add Vertex writes for vertex n:
    // its reading as default number text.
    std::string areaLines(int area) const;
    std::string vertexLine(std::int64_t vertex) const;

private:
    int areaSize_;
    NumberText numbers_{'.'};
};

}  // namespace tl::durability
