#include "tools/fsuipc-sim/sim_options.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tl::sim {
namespace {

// Every option with values it accepts.
const std::vector<std::vector<std::string>> everyOption = {
    {"--help"},
    {"--demo"},
    {"--route", "circuit.txt"},
    {"--stand", "-33.9", "151.2", "6.5"},
    {"--speed", "90"},
    {"--class", "FS98MAIN"},
    {"--fsuipc-version", "0x19980004"},
    {"--sim-version", "8"},
    {"--pattern", "0xBEEF"},
    {"--reply", "0"},
    {"--delay", "2500"},
    {"--drop-after", "3"},
    {"--corrupt-id", "2"},
    {"--corrupt-count", "1"},
    {"--fault-from", "2"},
    {"--fault-count", "1"},
    {"--verbose"},
};

TEST(SimOptions, EveryOptionTakesItsValues) {
    std::vector<std::string> all;
    for (const auto& words : everyOption) {
        all.insert(all.end(), words.begin(), words.end());
    }
    all.push_back("--demo");  // the last choice of aircraft counts
    const SimOptions options = SimOptions::parse(all);
    EXPECT_TRUE(options.help);
    EXPECT_EQ(options.flight, SimOptions::Flight::Demo);
    EXPECT_EQ(options.routeFile, "circuit.txt");
    EXPECT_DOUBLE_EQ(options.place.latitude, -33.9);
    EXPECT_DOUBLE_EQ(options.place.longitude, 151.2);
    EXPECT_DOUBLE_EQ(options.place.groundMetres, 6.5);
    EXPECT_DOUBLE_EQ(options.speedKnots, 90);
    EXPECT_EQ(options.windowClass, "FS98MAIN");
    EXPECT_EQ(options.fsuipcVersion, 0x19980004u);
    EXPECT_EQ(options.simulatorVersion, 8);
    EXPECT_EQ(options.checkPattern, 0xBEEF);
    EXPECT_EQ(options.reply, 0u);
    EXPECT_EQ(options.delayMs, 2500u);
    EXPECT_EQ(options.dropAfter, 3u);
    EXPECT_EQ(options.corruptIdentifier, 2u);
    EXPECT_EQ(options.corruptCount, 1u);
    EXPECT_EQ(options.faultFrom, 2u);
    EXPECT_EQ(options.faultCount, 1u);
    EXPECT_TRUE(options.verbose);
}

TEST(SimOptions, Defaults) {
    const SimOptions options = SimOptions::parse({});
    EXPECT_EQ(options.windowClass, "UIPCMAIN");
    EXPECT_EQ(options.fsuipcVersion, 0x39990000u);
    EXPECT_EQ(options.simulatorVersion, 7);
    EXPECT_EQ(options.checkPattern, 0xFADE);
    EXPECT_EQ(options.flight, SimOptions::Flight::Stand);
    EXPECT_FALSE(options.reply);
    EXPECT_FALSE(options.dropAfter);
    EXPECT_FALSE(options.faulted(0));
    EXPECT_TRUE(options.faulted(1));
    EXPECT_TRUE(options.faulted(1000000));
}

TEST(SimOptions, BadCommandLines) {
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},
        {"--delay"},
        {"--delay", "-5"},
        {"--delay", "12ms"},
        {"--reply", "0x100000000"},
        {"--sim-version", "65536"},
        {"--stand", "91", "0", "0"},
        {"--stand", "47", "8"},
        {"--stand", "47", "181", "0"},
        {"--speed", "fast"},
        {"--class", "OTHER"},
        {"--fault-from", ""},
    };
    for (const auto& words : cases) {
        EXPECT_THROW(SimOptions::parse(words), std::invalid_argument) << words[0];
    }
}

TEST(SimOptions, FaultWindow) {
    SimOptions options = SimOptions::parse({"--fault-from", "3", "--fault-count", "2"});
    const std::array<bool, 7> expected{false, false, false, true, true, false, false};
    for (std::uint32_t number = 0; number < expected.size(); ++number) {
        EXPECT_EQ(options.faulted(number), expected[number]) << number;
    }
    options = SimOptions::parse({"--fault-from", "4294967295", "--fault-count", "4294967295"});
    EXPECT_TRUE(options.faulted(4294967295u));
}

TEST(SimOptions, HelpOfTheProgramDocumentsEveryOption) {
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(FSUIPC_SIM_EXE " --help", "r"), pclose);
    ASSERT_TRUE(pipe);
    std::string help;
    std::array<char, 512> chunk{};
    while (const std::size_t got = fread(chunk.data(), 1, chunk.size(), pipe.get())) {
        help.append(chunk.data(), got);
    }
    EXPECT_EQ(help, SimOptions::helpText());
    for (const auto& words : everyOption) {
        EXPECT_NE(help.find("  " + words[0] + " "), std::string::npos) << words[0];
    }
}

}  // namespace
}  // namespace tl::sim
