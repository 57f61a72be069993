#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "simlink/fsuipc_client.h"
#include "tests/fsuipc-sim/quick_transport.h"
#include "tools/fsuipc-sim/sim_process.h"

// Every fault of the stand-in against the open and against the exchanges that carry reads and
// writes: the result code, and what the link can do afterwards.

namespace tl {
namespace {

constexpr std::int32_t standingGround = 432 * 256;
constexpr std::uint32_t groundOffset = 0x0020;
constexpr std::uint32_t freeOffset = 0x4000;  // memory that nothing else uses

class FaultMatrix : public ::testing::Test {
protected:
    void startSim(std::vector<std::string> arguments) {
        sim = std::make_unique<sim::SimProcess>(FSUIPC_SIM_EXE, arguments);
    }

    std::unique_ptr<sim::SimProcess> sim;
    std::vector<std::string> shown;
    test::QuickTransport transport;
    FsuipcClient client{transport, [this](const std::string& text) { shown.push_back(text); }};
};

TEST_F(FaultMatrix, FaultsDuringTheOpen) {
    struct Case {
        std::vector<std::string> fault;
        std::uint32_t result;
    };
    const Case cases[] = {
        {{"--reply", "0"}, 13},
        {{"--reply", "2"}, 13},
        {{"--delay", "400"}, 11},
        {{"--drop-after", "0"}, 12},
        {{"--corrupt-id", "1"}, 13},
        {{"--corrupt-count", "2"}, 13},
        {{"--fsuipc-version", "0x19980004"}, 7},
        {{"--pattern", "0x1234"}, 7},
        {{"--sim-version", "8"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault[0]);
        startSim(c.fault);
        std::uint32_t result = 99;
        EXPECT_EQ(client.fsuipcOpen(0, result), c.result == 0);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(client.isOpen(), c.result == 0);
        // A failed open leaves nothing behind: a read is refused as "not open".
        std::int32_t ground = 0;
        if (c.result != 0) {
            EXPECT_FALSE(client.fsuipcRead(groundOffset, 4, &ground, result));
            EXPECT_EQ(result, 9u);
        }
        client.fsuipcClose();
        sim.reset();
    }
    EXPECT_TRUE(shown.empty());
}

// The fault strikes the first exchange after the open (the stand-in's message 2) only.
TEST_F(FaultMatrix, FaultsDuringAReadAndAWriteExchange) {
    struct Case {
        std::vector<std::string> fault;
        std::uint32_t result;
        bool connectionSurvives;
    };
    const Case cases[] = {
        {{"--reply", "0"}, 13, true},
        {{"--delay", "400"}, 0, true},  // the late reply is dropped and the resend answered
        {{"--corrupt-id", "1"}, 13, true},
        {{"--corrupt-count", "1"}, 13, true},
        {{"--drop-after", "1"}, 12, false},
    };
    for (const bool writing : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.fault[0] + (writing ? " (write)" : " (read)"));
            std::vector<std::string> arguments = c.fault;
            arguments.insert(arguments.end(), {"--fault-from", "2", "--fault-count", "1"});
            startSim(arguments);
            std::uint32_t result = 99;
            ASSERT_TRUE(client.fsuipcOpen(0, result));

            const std::int32_t written = 0x12345678;
            std::int32_t read = -1;
            ASSERT_TRUE(writing ? client.fsuipcWrite(freeOffset, 4, &written, result)
                                : client.fsuipcRead(groundOffset, 4, &read, result));
            EXPECT_EQ(client.fsuipcProcess(result), c.result == 0);
            EXPECT_EQ(result, c.result);
            // The client keeps its link open; dropping it is the caller's decision.
            EXPECT_TRUE(client.isOpen());
            if (!writing) {
                EXPECT_EQ(read, c.result == 0 ? standingGround : -1);
            }

            // The next exchange starts from an empty queue; it works while the connection lives.
            std::int32_t check = -1;
            ASSERT_TRUE(client.fsuipcRead(writing ? freeOffset : groundOffset, 4, &check, result));
            EXPECT_EQ(client.fsuipcProcess(result), c.connectionSurvives);
            if (c.connectionSurvives) {
                const bool applied = c.result == 0 || c.fault[0] == "--corrupt-id" ||
                                     c.fault[0] == "--corrupt-count";
                EXPECT_EQ(check, writing ? (applied ? written : 0) : standingGround);
            } else {
                EXPECT_EQ(result, 12u);
                client.fsuipcClose();
                ASSERT_TRUE(client.fsuipcOpen(0, result));  // a new open finds the window again
            }
            client.fsuipcClose();
            sim.reset();
        }
    }
    EXPECT_TRUE(shown.empty());
}

}  // namespace
}  // namespace tl
