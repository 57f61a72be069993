#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "tests/fsuipc-sim/client_sim_fixture.h"

// What the FSUIPC client does against fsuipc-sim whatever carries the messages. A test program
// runs these for its platform:
//
//     INSTANTIATE_TYPED_TEST_SUITE_P(Posix, ClientSim, PosixPlatform);

namespace tl::test {

template <class Platform>
class ClientSim : public ClientSimFixture<Platform> {};

TYPED_TEST_SUITE_P(ClientSim);

TYPED_TEST_P(ClientSim, OpensWithTheHandshake) {
    this->startSim({});
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(this->open(), 0u);
    EXPECT_GE(secondsSince(start), 0.1);  // one exchange and one 100 ms wait
    EXPECT_EQ(this->client.fsuipcVersion(), 0x39990000);
    EXPECT_EQ(this->client.fsVersion(), 7u);
    EXPECT_TRUE(this->shown.empty());
}

TYPED_TEST_P(ClientSim, ReadsAndWritesThePosition) {
    this->startSim({"--stand", "47.5", "-8.25", "432.25"});
    ASSERT_EQ(this->open(), 0u);
    typename TestFixture::Position position;
    std::uint32_t result = 99;
    ASSERT_TRUE(this->readPosition(position, result));
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(position.ground, 110656);  // 432.25 x 256
    EXPECT_NEAR(position.latitude * 90.0 / 42957189152768000.0, 47.5, 1e-12);
    EXPECT_NEAR(position.longitude * 360.0 / 18446744073709551616.0, -8.25, 1e-12);

    // A write to the position moves the aircraft.
    const std::int64_t latitude = -1234567890123456LL;
    const std::int64_t longitude = 987654321098765432LL;
    ASSERT_TRUE(this->client.fsuipcWrite(0x0560, 8, &latitude, result));
    ASSERT_TRUE(this->client.fsuipcWrite(0x0568, 8, &longitude, result));
    ASSERT_TRUE(this->client.fsuipcProcess(result));
    ASSERT_TRUE(this->readPosition(position, result));
    EXPECT_EQ(position.latitude, latitude);
    EXPECT_EQ(position.longitude, longitude);
    EXPECT_EQ(position.ground, 110656);
}

TYPED_TEST_P(ClientSim, DemoAircraftFliesNearItsAirfield) {
    this->startSim({"--demo", "--speed", "3000"});
    ASSERT_EQ(this->open(), 0u);
    typename TestFixture::Position first;
    typename TestFixture::Position second;
    std::uint32_t result = 99;
    ASSERT_TRUE(this->readPosition(first, result));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_TRUE(this->readPosition(second, result));
    EXPECT_NE(first.latitude, second.latitude);
    for (const auto& p : {first, second}) {
        EXPECT_NEAR(p.latitude * 90.0 / 42957189152768000.0, 47.46, 0.05);
        EXPECT_NEAR(p.longitude * 360.0 / 18446744073709551616.0, 8.55, 0.05);
        EXPECT_NEAR(p.ground / 256.0, 435, 25);
    }
}

TYPED_TEST_P(ClientSim, ReplyZeroIsNotAccepted) {
    this->startSim({"--reply", "0", "--fault-from", "2", "--fault-count", "1"});
    ASSERT_EQ(this->open(), 0u);
    typename TestFixture::Position position;
    std::uint32_t result = 99;
    EXPECT_FALSE(this->readPosition(position, result));
    EXPECT_EQ(result, 13u);
    EXPECT_EQ(position.ground, 0);
    // The next exchange starts from an empty queue and works.
    ASSERT_TRUE(this->readPosition(position, result));
    EXPECT_EQ(position.ground, 432 * 256);
}

TYPED_TEST_P(ClientSim, VersionsAndWindowClasses) {
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
        this->startSim(c.arguments, c.windowClass);
        EXPECT_EQ(this->open(c.required), c.result);
        EXPECT_EQ(this->client.isOpen(), c.result == 0);
        this->client.fsuipcClose();
    }
}

TYPED_TEST_P(ClientSim, CorruptedRecordsStopTheCopy) {
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
        this->startSim({c.option, c.record, "--fault-from", "2"});
        ASSERT_EQ(this->open(), 0u);
        typename TestFixture::Position position;
        std::uint32_t result = 99;
        EXPECT_FALSE(this->readPosition(position, result));
        EXPECT_EQ(result, 13u);
        EXPECT_EQ(position.ground != 0, c.groundCopied);
        EXPECT_EQ(position.longitude != 0, c.longitudeCopied);
        EXPECT_EQ(position.latitude, 0);
        this->client.fsuipcClose();
    }
}

REGISTER_TYPED_TEST_SUITE_P(ClientSim, OpensWithTheHandshake, ReadsAndWritesThePosition,
                            DemoAircraftFliesNearItsAirfield, ReplyZeroIsNotAccepted,
                            VersionsAndWindowClasses, CorruptedRecordsStopTheCopy);

}  // namespace tl::test
