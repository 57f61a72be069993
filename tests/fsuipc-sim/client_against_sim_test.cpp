#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "simlink/fsuipc_byte_order.h"
#include "simlink/fsuipc_client.h"
#include "simlink/fsuipc_request_area.h"
#include "simlink/posix/posix_transport.h"
#include "simlink/posix/shared_memory.h"
#include "simlink/posix/unix_socket.h"
#include "tests/fsuipc-sim/quick_transport.h"
#include "tools/fsuipc-sim/sim_process.h"

namespace tl {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Position {
    std::int32_t ground = 0;
    std::int64_t longitude = 0;
    std::int64_t latitude = 0;
};

class ClientAgainstSim : public ::testing::Test {
protected:
    void startSim(const std::vector<std::string>& arguments,
                  const std::string& windowClass = "UIPCMAIN") {
        sim = std::make_unique<sim::SimProcess>(FSUIPC_SIM_EXE, arguments, windowClass);
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

    std::unique_ptr<sim::SimProcess> sim;
    std::vector<std::string> shown;
    test::QuickTransport transport;
    FsuipcClient client{transport, [this](const std::string& text) { shown.push_back(text); }};
};

TEST_F(ClientAgainstSim, OpensWithTheHandshake) {
    startSim({});
    const auto start = Clock::now();
    ASSERT_EQ(open(), 0u);
    EXPECT_GE(secondsSince(start), 0.1);  // one exchange and one 100 ms wait
    EXPECT_EQ(client.fsuipcVersion(), 0x39990000);
    EXPECT_EQ(client.fsVersion(), 7u);
    EXPECT_TRUE(shown.empty());
}

TEST_F(ClientAgainstSim, ReadsAndWritesThePosition) {
    startSim({"--stand", "47.5", "-8.25", "432.25"});
    ASSERT_EQ(open(), 0u);
    Position position;
    std::uint32_t result = 99;
    ASSERT_TRUE(readPosition(position, result));
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(position.ground, 110656);  // 432.25 x 256
    EXPECT_NEAR(position.latitude * 90.0 / 42957189152768000.0, 47.5, 1e-12);
    EXPECT_NEAR(position.longitude * 360.0 / 18446744073709551616.0, -8.25, 1e-12);

    // A write to the position moves the aircraft.
    const std::int64_t latitude = -1234567890123456LL;
    const std::int64_t longitude = 987654321098765432LL;
    ASSERT_TRUE(client.fsuipcWrite(0x0560, 8, &latitude, result));
    ASSERT_TRUE(client.fsuipcWrite(0x0568, 8, &longitude, result));
    ASSERT_TRUE(client.fsuipcProcess(result));
    ASSERT_TRUE(readPosition(position, result));
    EXPECT_EQ(position.latitude, latitude);
    EXPECT_EQ(position.longitude, longitude);
    EXPECT_EQ(position.ground, 110656);
}

TEST_F(ClientAgainstSim, DemoAircraftFliesNearItsAirfield) {
    startSim({"--demo", "--speed", "3000"});
    ASSERT_EQ(open(), 0u);
    Position first;
    Position second;
    std::uint32_t result = 99;
    ASSERT_TRUE(readPosition(first, result));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_TRUE(readPosition(second, result));
    EXPECT_NE(first.latitude, second.latitude);
    for (const Position& p : {first, second}) {
        EXPECT_NEAR(p.latitude * 90.0 / 42957189152768000.0, 47.46, 0.05);
        EXPECT_NEAR(p.longitude * 360.0 / 18446744073709551616.0, 8.55, 0.05);
        EXPECT_NEAR(p.ground / 256.0, 435, 25);
    }
}

TEST_F(ClientAgainstSim, ReplyZeroIsNotAccepted) {
    startSim({"--reply", "0", "--fault-from", "2", "--fault-count", "1"});
    ASSERT_EQ(open(), 0u);
    Position position;
    std::uint32_t result = 99;
    EXPECT_FALSE(readPosition(position, result));
    EXPECT_EQ(result, 13u);
    EXPECT_EQ(position.ground, 0);
    // The next exchange starts from an empty queue and works.
    ASSERT_TRUE(readPosition(position, result));
    EXPECT_EQ(position.ground, 432 * 256);
}

TEST_F(ClientAgainstSim, LateReplyIsDroppedAndTheResendAnswered) {
    PosixTransport realTransport;
    FsuipcClient realClient(realTransport, [](const std::string&) {});
    startSim({"--delay", "2150", "--fault-from", "2", "--fault-count", "1"});
    std::uint32_t result = 99;
    ASSERT_TRUE(realClient.fsuipcOpen(0, result));
    std::int32_t ground = 0;
    ASSERT_TRUE(realClient.fsuipcRead(0x0020, 4, &ground, result));
    const auto start = Clock::now();
    ASSERT_TRUE(realClient.fsuipcProcess(result));
    EXPECT_GE(secondsSince(start), 2.0);  // the first send timed out after 2000 ms
    EXPECT_LT(secondsSince(start), 3.0);
    EXPECT_EQ(ground, 432 * 256);
}

TEST_F(ClientAgainstSim, FailedExchanges) {
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        bool serverDies;
        std::uint32_t result;
        double seconds;
    };
    const Case cases[] = {
        // Ten sends of 200 ms with 100 ms between them.
        {"every reply late", {"--delay", "400", "--fault-from", "2"}, false, 11, 2.9},
        // Ten failed sends, nine waits of 100 ms.
        {"server dies mid-run", {}, true, 12, 0.9},
        {"connection dropped", {"--drop-after", "1"}, false, 12, 0.9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startSim(c.arguments);
        ASSERT_EQ(open(), 0u);
        if (c.serverDies) {
            sim->stop();
        }
        Position position;
        std::uint32_t result = 99;
        const auto start = Clock::now();
        EXPECT_FALSE(readPosition(position, result));
        EXPECT_EQ(result, c.result);
        EXPECT_NEAR(secondsSince(start), c.seconds, 0.4);
        EXPECT_EQ(position.ground, 0);
        client.fsuipcClose();
        if (!c.serverDies) {
            EXPECT_EQ(open(), 0u);  // a new open finds the window again
            client.fsuipcClose();
        }
        sim.reset();
    }
}

TEST_F(ClientAgainstSim, ExistingRequestAreaIsLeftAlone) {
    startSim({});
    const std::string object = SharedMemory::objectName(client.requestAreaName());
    int error = 0;
    const int foreign = SharedMemory::createExclusive(object, 100, error);
    ASSERT_GE(foreign, 0) << error;
    EXPECT_EQ(open(), 5u);
    EXPECT_FALSE(client.isOpen());
    // The other object still exists, at its own size.
    struct stat status {};
    EXPECT_EQ(fstat(foreign, &status), 0);
    const int again = SharedMemory::openExisting(object, 100, error);
    EXPECT_GE(again, 0);
    close(again);
    close(foreign);
    shm_unlink(object.c_str());
    EXPECT_EQ(open(), 0u);
}

TEST_F(ClientAgainstSim, VersionsAndWindowClasses) {
    struct Case {
        std::vector<std::string> arguments;
        const char* windowClass;
        std::uint32_t required;
        std::uint32_t result;
    };
    const Case cases[] = {
        {{"--sim-version", "8"}, "UIPCMAIN", 7, 8},
        {{"--sim-version", "8"}, "UIPCMAIN", 8, 0},
        {{"--fsuipc-version", "0x19980004"}, "UIPCMAIN", 0, 7},
        {{"--pattern", "0xBEEF"}, "UIPCMAIN", 0, 7},
        {{"--class", "FS98MAIN", "--fsuipc-version", "0x19980004"}, "FS98MAIN", 0, 14},
        {{"--class", "FS98MAIN"}, "FS98MAIN", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.arguments[1] << " " << c.required);
        startSim(c.arguments, c.windowClass);
        EXPECT_EQ(open(c.required), c.result);
        EXPECT_EQ(client.isOpen(), c.result == 0);
        client.fsuipcClose();
        sim.reset();
    }
}

TEST_F(ClientAgainstSim, NoWindowWithoutAServerOrInAnUnsafeFolder) {
    startSim({});
    sim->stop();
    EXPECT_EQ(open(), 2u);  // the socket of the dead server is left, refusing connections

    startSim({});
    chmod(sim->folder().c_str(), 0777);
    EXPECT_EQ(open(), 2u);
    chmod(sim->folder().c_str(), 0700);
    EXPECT_EQ(open(), 0u);
}

TEST_F(ClientAgainstSim, CorruptedRecordsStopTheCopy) {
    struct Case {
        const char* option;
        const char* record;
        bool groundCopied;
        bool longitudeCopied;
    };
    for (const Case& c :
         {Case{"--corrupt-count", "2", true, false}, Case{"--corrupt-id", "3", true, true},
          Case{"--corrupt-count", "1", false, false}}) {
        SCOPED_TRACE(testing::Message() << c.option << " " << c.record);
        startSim({c.option, c.record, "--fault-from", "2"});
        ASSERT_EQ(open(), 0u);
        Position position;
        std::uint32_t result = 99;
        EXPECT_FALSE(readPosition(position, result));
        EXPECT_EQ(result, 13u);
        EXPECT_EQ(position.ground != 0, c.groundCopied);
        EXPECT_EQ(position.longitude != 0, c.longitudeCopied);
        EXPECT_EQ(position.latitude, 0);
        client.fsuipcClose();
        sim.reset();
    }
}

TEST_F(ClientAgainstSim, ReopensUnderTheSameName) {
    startSim({});
    const std::string name = client.requestAreaName();
    EXPECT_EQ(
        name, "FSASMLIB:IPC:" + [] {
            char hex[16];
            std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(getpid()));
            return std::string(hex);
        }() + ":1");
    ASSERT_EQ(open(), 0u);
    client.fsuipcClose();
    ASSERT_EQ(open(), 0u);
    Position position;
    std::uint32_t result = 99;
    EXPECT_TRUE(readPosition(position, result));
    // Close removes the request area's name.
    client.fsuipcClose();
    int error = 0;
    EXPECT_LT(SharedMemory::openExisting(SharedMemory::objectName(name), 1, error), 0);
}

TEST_F(ClientAgainstSim, AnIdleConnectionDoesNotHoldUpOthers) {
    startSim({});
    int error = 0;
    const int idle = UnixSocket::connectTo(sim->folder() + "/UIPCMAIN", error);
    ASSERT_GE(idle, 0);
    const std::uint8_t halfFrame[40] = {'F', 'S', 'I', 'Q'};
    ASSERT_EQ(UnixSocket::sendSome(idle, halfFrame, sizeof halfFrame, error), 40);
    EXPECT_EQ(open(), 0u);
    Position position;
    std::uint32_t result = 99;
    EXPECT_TRUE(readPosition(position, result));
    close(idle);
}

// The server keeps a client's request area mapped between messages; an area removed and made anew
// under the same name, on the same connection, must still be the one served.
TEST_F(ClientAgainstSim, AreaMadeAnewUnderTheSameNameIsServed) {
    startSim({});
    PosixTransport raw;
    const auto window = raw.findWindow("UIPCMAIN");
    ASSERT_NE(window, 0u);
    const std::uint32_t message = raw.registerWindowMessage("FSASMLIB:IPC");
    const std::uint16_t atom = raw.addAtom("FSASMLIB:IPC:TEST:1");
    const auto wParam =
        static_cast<std::uintptr_t>(static_cast<std::intptr_t>(static_cast<std::int16_t>(atom)));
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const auto mapping = raw.createFileMapping("FSASMLIB:IPC:TEST:1", RequestArea::size);
        ASSERT_NE(mapping, 0u);
        std::uint8_t* view = raw.mapView(mapping);
        ASSERT_NE(view, nullptr);
        RequestArea area(view);
        area.putEnd(area.putRead(0, 0x3304, 4, 0));
        std::uintptr_t reply = 0;
        ASSERT_TRUE(raw.sendMessageTimeout(window, message, wParam, 0, 2000, reply));
        EXPECT_EQ(reply, 1u);
        EXPECT_EQ(loadLittleEndian<std::uint32_t>(view + 16), 0x39990000u);
        raw.unmapView(view);
        raw.closeHandle(mapping);
    }
}

}  // namespace
}  // namespace tl
