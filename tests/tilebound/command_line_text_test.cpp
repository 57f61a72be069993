#include "tilebound/command_line_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace tl {
namespace {

TEST(CommandLineText, RawCommandLineAfterTheProgramName) {
    const std::pair<const char*, const char*> cases[] = {
        {"tilebound.exe trees_0.bgl", "trees_0.bgl"},
        {"tilebound.exe   my area.bgl  ", "my area.bgl  "},
        {"tilebound.exe\ttrees_0.bgl", "trees_0.bgl"},
        {"\"C:\\Program Files\\tilebound.exe\" \"my area.bgl\"", "\"my area.bgl\""},
        {"\"C:\\Program Files\\tilebound.exe\"", ""},
        {"\"C:\\unterminated name.bgl", ""},
        {"tilebound.exe", ""},
        {"tilebound.exe   ", ""},
        {"", ""},
    };
    for (const auto& [raw, name] : cases) {
        EXPECT_EQ(CommandLineText::afterProgramName(raw), name) << raw;
    }
}

TEST(CommandLineText, ArgumentsJoinedBySingleSpaces) {
    const std::vector<const char*> none{"tilebound"};
    const std::vector<const char*> one{"tilebound", "trees_0.bgl"};
    const std::vector<const char*> split{"tilebound", "my", "area.bgl"};
    const std::vector<const char*> quoted{"tilebound", "\"a b.bgl\"", ""};
    EXPECT_EQ(CommandLineText::joinArguments(1, none.data()), "");
    EXPECT_EQ(CommandLineText::joinArguments(2, one.data()), "trees_0.bgl");
    EXPECT_EQ(CommandLineText::joinArguments(3, split.data()), "my area.bgl");
    EXPECT_EQ(CommandLineText::joinArguments(3, quoted.data()), "\"a b.bgl\" ");
    EXPECT_EQ(CommandLineText::ofProcess(3, split.data()), "my area.bgl");
}

}  // namespace
}  // namespace tl
