#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "simlink/fsuipc_client.h"

namespace tl::test {

inline double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The FSUIPC client against fsuipc-sim started as a child process. `Platform` says how:
//
//     struct Platform {
//         using Transport = ...;  // what the client talks through
//         using Sim = ...;        // the child: Sim(simulator(), arguments, windowClass)
//         static std::filesystem::path simulator();
//     };
template <class Platform>
class ClientSimFixture : public ::testing::Test {
protected:
    // The values that a position poll reads.
    struct Position {
        std::int32_t ground = 0;
        std::int64_t longitude = 0;
        std::int64_t latitude = 0;
    };

    // Ends the simulator running so far, then starts one with the arguments.
    void startSim(const std::vector<std::string>& arguments,
                  const std::string& windowClass = "UIPCMAIN") {
        sim.reset();
        sim =
            std::make_unique<typename Platform::Sim>(Platform::simulator(), arguments, windowClass);
    }
    std::uint32_t open(std::uint32_t required = 0) {
        std::uint32_t result = 99;
        const bool opened = client.fsuipcOpen(required, result);
        EXPECT_EQ(opened, result == 0);
        return result;
    }
    // The three reads of a position poll in one exchange.
    bool readPosition(Position& position, std::uint32_t& result) {
        return client.fsuipcRead(0x0020, 4, &position.ground, result) &&
               client.fsuipcRead(0x0568, 8, &position.longitude, result) &&
               client.fsuipcRead(0x0560, 8, &position.latitude, result) &&
               client.fsuipcProcess(result);
    }

    std::unique_ptr<typename Platform::Sim> sim;
    std::vector<std::string> shown;
    typename Platform::Transport transport;
    FsuipcClient client{transport, [this](const std::string& text) { shown.push_back(text); }};
};

}  // namespace tl::test
