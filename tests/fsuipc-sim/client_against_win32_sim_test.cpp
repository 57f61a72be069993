#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/program_folder.h"
#include "simlink/fsuipc_client.h"
#include "simlink/win32/win32_transport.h"
#include "tools/fsuipc-sim/win32/sim_window_process.h"

namespace tl {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::filesystem::path simulatorPath() {
    return ProgramFolder::ofExecutable().path().parent_path() / "bin" / "fsuipc-sim.exe";
}

// The real transport with every reply awaited a tenth of the time the client asks for, so that ten
// time-outs take a few seconds.
class QuickTransport : public Win32Transport {
public:
    bool sendMessageTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t lParam, std::uint32_t timeoutMs,
                            std::uintptr_t& reply) override {
        return Win32Transport::sendMessageTimeout(window, message, wParam, lParam, timeoutMs / 10,
                                                  reply);
    }
};

struct Position {
    std::int32_t ground = 0;
    std::int64_t longitude = 0;
    std::int64_t latitude = 0;
};

class ClientAgainstWin32Sim : public ::testing::Test {
protected:
    void startSim(const std::vector<std::string>& arguments,
                  const std::string& windowClass = "UIPCMAIN") {
        sim.reset();
        sim = std::make_unique<sim::SimWindowProcess>(simulatorPath(), arguments, windowClass);
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

    std::unique_ptr<sim::SimWindowProcess> sim;
    std::vector<std::string> shown;
    QuickTransport transport;
    FsuipcClient client{transport, [this](const std::string& text) { shown.push_back(text); }};
};

TEST_F(ClientAgainstWin32Sim, OpensWithTheHandshake) {
    startSim({});
    const auto start = Clock::now();
    ASSERT_EQ(open(), 0u);
    EXPECT_GE(secondsSince(start), 0.1);  // one exchange and one 100 ms wait
    EXPECT_EQ(client.fsuipcVersion(), 0x39990000);
    EXPECT_EQ(client.fsVersion(), 7u);
    EXPECT_TRUE(shown.empty());
}

TEST_F(ClientAgainstWin32Sim, ReadsAndWritesThePosition) {
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

TEST_F(ClientAgainstWin32Sim, ReplyZeroIsNotAccepted) {
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

TEST_F(ClientAgainstWin32Sim, VersionsAndWindowClasses) {
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
        {{"--class", "FS98MAIN", "--pattern", "0xBEEF"}, "FS98MAIN", 0, 14},
        {{"--class", "FS98MAIN"}, "FS98MAIN", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.arguments.back() << " " << c.required);
        startSim(c.arguments, c.windowClass);
        EXPECT_EQ(open(c.required), c.result);
        EXPECT_EQ(client.isOpen(), c.result == 0);
        client.fsuipcClose();
    }
}

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

TEST_F(ClientAgainstWin32Sim, CorruptedRecordsStopTheCopy) {
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
