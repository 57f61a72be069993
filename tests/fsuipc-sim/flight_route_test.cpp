#include "tools/fsuipc-sim/flight_route.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

namespace tl::sim {
namespace {

FlightRoute parse(const std::string& text) {
    std::istringstream in(text);
    return FlightRoute::parse(in);
}

TEST(FlightRoute, FliesRoundTheCircuit) {
    // Two fixes 0.01 degree of latitude apart (about 1112 m): out and back.
    const FlightRoute route = parse("# a test circuit\r\n47.00 8.00 400\r\n\r\n47.01 8.00 500\n");
    ASSERT_EQ(route.fixes().size(), 2u);
    const double leg = route.length() / 2;
    EXPECT_NEAR(leg, 1111.95, 0.1);
    struct Case {
        double metres;
        double latitude;
        double ground;
    };
    const Case cases[] = {
        {0, 47.00, 400},          {leg / 2, 47.005, 450}, {leg, 47.01, 500},
        {leg * 1.5, 47.005, 450}, {leg * 2, 47.00, 400},  {leg * 2.25, 47.0025, 425},
        {-5, 47.00, 400},
    };
    for (const Case& c : cases) {
        const Fix fix = route.at(c.metres);
        EXPECT_NEAR(fix.latitude, c.latitude, 1e-9) << c.metres;
        EXPECT_NEAR(fix.longitude, 8.0, 1e-12) << c.metres;
        EXPECT_NEAR(fix.groundMetres, c.ground, 1e-6) << c.metres;
    }
}

TEST(FlightRoute, OneFixStandsStill) {
    const FlightRoute route = parse("-10.5 -20.25 3\n");
    EXPECT_EQ(route.length(), 0);
    EXPECT_DOUBLE_EQ(route.at(1000).latitude, -10.5);
    EXPECT_DOUBLE_EQ(route.at(1000).longitude, -20.25);
}

TEST(FlightRoute, BadRoutesNameTheLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "the route has no fixes"},
        {"# nothing\n\n", "the route has no fixes"},
        {"47 8 400\n47 8\n", "line 2: expected \"lat lon ground-metres\""},
        {"47 8 400 12\n", "line 1: expected \"lat lon ground-metres\""},
        {"47,5 8 400\n", "line 1: expected \"lat lon ground-metres\""},
        {"47 8 400\n\n91 8 400\n", "line 3: latitude or longitude out of range"},
        {"47 -180.5 400\n", "line 1: latitude or longitude out of range"},
        {"47 8 9000000\n", "line 1: ground elevation out of range"},
    };
    for (const auto& [text, message] : cases) {
        try {
            parse(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const std::runtime_error& problem) {
            EXPECT_EQ(problem.what(), message);
        }
    }
}

TEST(FlightRoute, DemoCircuitIsNearItsAirfield) {
    const FlightRoute demo = FlightRoute::demo();
    EXPECT_GT(demo.length(), 5000);
    for (double metres = 0; metres < demo.length(); metres += 250) {
        const Fix fix = demo.at(metres);
        EXPECT_NEAR(fix.latitude, 47.46, 0.03);
        EXPECT_NEAR(fix.longitude, 8.55, 0.03);
    }
}

TEST(FlightRoute, MissingFileIsAnError) {
    EXPECT_THROW(FlightRoute::load("/nonexistent/route.txt"), std::runtime_error);
}

}  // namespace
}  // namespace tl::sim
