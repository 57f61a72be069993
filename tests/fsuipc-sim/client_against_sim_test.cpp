#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "simlink/fsuipc_byte_order.h"
#include "simlink/fsuipc_client.h"
#include "simlink/fsuipc_request_area.h"
#include "simlink/posix/posix_transport.h"
#include "simlink/posix/shared_memory.h"
#include "simlink/posix/unix_socket.h"
#include "tests/fsuipc-sim/client_sim_cases.h"
#include "tests/fsuipc-sim/quick_transport.h"
#include "tools/fsuipc-sim/sim_process.h"

namespace tl {
namespace test {

// The client through the POSIX transport, its replies awaited a tenth of the time, against
// fsuipc-sim serving a Unix socket in a rendezvous folder of its own.
struct PosixPlatform {
    using Transport = QuickTransport;
    using Sim = sim::SimProcess;
    static std::filesystem::path simulator() { return FSUIPC_SIM_EXE; }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Posix, ClientSim, PosixPlatform);

}  // namespace test

namespace {

using Clock = std::chrono::steady_clock;
using test::secondsSince;

using ClientAgainstSim = test::ClientSimFixture<test::PosixPlatform>;

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
