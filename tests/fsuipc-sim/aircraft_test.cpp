#include "tools/fsuipc-sim/aircraft.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace tl::sim {
namespace {

TEST(Aircraft, EncodingsOfThePositionReader) {
    struct Case {
        double degrees;
        std::int64_t raw;
    };
    // 10001750 x 65536 x 65536 / 90 units per degree of latitude.
    for (const Case& c : {Case{90, 42957189152768000LL}, Case{-90, -42957189152768000LL},
                          Case{0, 0}, Case{45, 21478594576384000LL}}) {
        EXPECT_EQ(Aircraft::encodeLatitude(c.degrees), c.raw) << c.degrees;
    }
    // 2^64 / 360 units per degree of longitude; 180 east is 180 west.
    const std::int64_t quarter = std::int64_t{1} << 62;
    for (const Case& c :
         {Case{90, quarter}, Case{-90, -quarter}, Case{0, 0},
          Case{-180, std::numeric_limits<std::int64_t>::min()},
          Case{180, std::numeric_limits<std::int64_t>::min()}, Case{270, -quarter}}) {
        EXPECT_EQ(Aircraft::encodeLongitude(c.degrees), c.raw) << c.degrees;
    }
    EXPECT_EQ(Aircraft::encodeGround(432.25), 110656);
    EXPECT_EQ(Aircraft::encodeGround(-0.5), -128);
}

TEST(Aircraft, WrittenPositionMovesAFlyingAircraft) {
    SimulatorMemory memory;
    Aircraft aircraft = Aircraft::flying(FlightRoute::demo(), 100);
    aircraft.publish(memory, 0);
    const auto start = memory.read<std::int64_t>(SimulatorMemory::latitudeOffset);
    EXPECT_EQ(start, Aircraft::encodeLatitude(FlightRoute::demo().fixes().front().latitude));
    aircraft.takeWrites(memory);  // nothing written: it flies on
    aircraft.publish(memory, 10);
    EXPECT_NE(memory.read<std::int64_t>(SimulatorMemory::latitudeOffset), start);

    memory.write<std::int64_t>(SimulatorMemory::longitudeOffset, 12345);
    aircraft.takeWrites(memory);
    const auto latitude = memory.read<std::int64_t>(SimulatorMemory::latitudeOffset);
    const auto ground = memory.read<std::int32_t>(SimulatorMemory::groundAltitudeOffset);
    aircraft.publish(memory, 100);
    EXPECT_EQ(memory.read<std::int64_t>(SimulatorMemory::longitudeOffset), 12345);
    EXPECT_EQ(memory.read<std::int64_t>(SimulatorMemory::latitudeOffset), latitude);
    EXPECT_EQ(memory.read<std::int32_t>(SimulatorMemory::groundAltitudeOffset), ground);
}

TEST(Aircraft, StandingAircraftStays) {
    SimulatorMemory memory;
    Aircraft aircraft = Aircraft::standing(Fix{-33.5, 151.25, 12.5});
    for (const double seconds : {0.0, 50.0, 5000.0}) {
        aircraft.publish(memory, seconds);
        EXPECT_EQ(memory.read<std::int64_t>(SimulatorMemory::latitudeOffset),
                  Aircraft::encodeLatitude(-33.5));
        EXPECT_EQ(memory.read<std::int64_t>(SimulatorMemory::longitudeOffset),
                  Aircraft::encodeLongitude(151.25));
        EXPECT_EQ(memory.read<std::int32_t>(SimulatorMemory::groundAltitudeOffset), 3200);
    }
}

}  // namespace
}  // namespace tl::sim
