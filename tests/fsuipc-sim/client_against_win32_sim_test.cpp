#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/program_folder.h"
#include "simlink/fsuipc_client.h"
#include "tests/fsuipc-sim/client_sim_cases.h"
#include "tests/fsuipc-sim/quick_transport.h"
#include "tools/fsuipc-sim/win32/sim_window_process.h"

namespace tl {
namespace test {

// The client through the Win32 transport, its replies awaited a tenth of the time, against the
// window of fsuipc-sim.exe built beside the tests.
struct Win32Platform {
    using Transport = QuickTransport;
    using Sim = sim::SimWindowProcess;
    static std::filesystem::path simulator() {
        return ProgramFolder::ofExecutable().path().parent_path() / "bin" / "fsuipc-sim.exe";
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ClientSim, Win32Platform);

}  // namespace test

namespace {

using Clock = std::chrono::steady_clock;
using test::secondsSince;

using ClientAgainstWin32Sim = test::ClientSimFixture<test::Win32Platform>;

TEST_F(ClientAgainstWin32Sim, FailedExchanges) {
    enum class Then { Nothing, SimStops, WindowCloses };
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        Then then;
        std::uint32_t result;
        double seconds;
    };
    const Case cases[] = {
        // Ten sends of 200 ms with 100 ms between them.
        {"every reply late", {"--delay", "400", "--fault-from", "2"}, Then::Nothing, 11, 2.9},
        // Ten failed sends, nine waits of 100 ms.
        {"simulator ends mid-run", {}, Then::SimStops, 12, 0.9},
        {"window closes after the handshake", {"--drop-after", "1"}, Then::WindowCloses, 12, 0.9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startSim(c.arguments);
        ASSERT_EQ(open(), 0u);
        if (c.then == Then::SimStops) {
            sim->stop();
        } else if (c.then == Then::WindowCloses) {
            EXPECT_TRUE(sim->endsWithin(5000));  // its message loop ends with its window
        }
        Position position;
        std::uint32_t result = 99;
        const auto start = Clock::now();
        EXPECT_FALSE(readPosition(position, result));
        EXPECT_EQ(result, c.result);
        EXPECT_NEAR(secondsSince(start), c.seconds, 0.5);
        EXPECT_EQ(position.ground, 0);
        client.fsuipcClose();
        if (c.then != Then::Nothing) {
            EXPECT_EQ(open(), 2u);  // no window any more
        }
    }
}

TEST_F(ClientAgainstWin32Sim, ExistingMappingGivesFiveAndIsLeftAlone) {
    startSim({});
    const std::string name = client.requestAreaName();
    HANDLE foreign =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, name.c_str());
    ASSERT_NE(foreign, nullptr);
    auto* bytes = static_cast<char*>(MapViewOfFile(foreign, FILE_MAP_WRITE, 0, 0, 0));
    ASSERT_NE(bytes, nullptr);
    std::strcpy(bytes, "someone else's");

    EXPECT_EQ(open(), 5u);
    EXPECT_FALSE(client.isOpen());
    EXPECT_STREQ(bytes, "someone else's");
    UnmapViewOfFile(bytes);
    CloseHandle(foreign);
    EXPECT_EQ(open(), 0u);  // the name is free again
}

TEST_F(ClientAgainstWin32Sim, CloseReleasesTheMappingAndReopensUnderTheSameName) {
    startSim({});
    const std::string name = client.requestAreaName();
    char expected[32];
    std::snprintf(expected, sizeof expected, "FSASMLIB:IPC:%lX:1", GetCurrentProcessId());
    EXPECT_EQ(name, expected);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_EQ(open(), 0u);
        HANDLE during = OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str());
        EXPECT_NE(during, nullptr);
        CloseHandle(during);
        Position position;
        std::uint32_t result = 99;
        EXPECT_TRUE(readPosition(position, result));
        client.fsuipcClose();
        // The simulator holds the area only while it answers; with the client's handle closed the
        // name is gone.
        EXPECT_EQ(OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()), nullptr);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    }
}

TEST(SimWindowProcess, CommandLineGivesBackEveryArgument) {
    const std::vector<std::string> arguments{"plain",      "two words",     "a\"quote",
                                             "trailing\\", "back\\\"slash", ""};
    const std::wstring line =
        sim::SimWindowProcess::commandLine("C:\\some folder\\fsuipc-sim.exe", arguments);
    int count = 0;
    wchar_t** parsed = CommandLineToArgvW(line.c_str(), &count);
    ASSERT_NE(parsed, nullptr);
    ASSERT_EQ(count, static_cast<int>(arguments.size()) + 1);
    EXPECT_EQ(std::wstring(parsed[0]), L"C:\\some folder\\fsuipc-sim.exe");
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        EXPECT_EQ(std::filesystem::path(parsed[i + 1]).string(), arguments[i]);
    }
    LocalFree(parsed);
}

}  // namespace
}  // namespace tl
