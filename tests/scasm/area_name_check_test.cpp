#include "scasm/area_name_check.h"

#include <gtest/gtest.h>

#include <string>

#include "common/failure.h"

namespace tl {
namespace {

struct NameCase {
    std::string name;
    bool usable;
};

TEST(AreaNameCheck, TellsWhichNamesCanBeWindowsFileNames) {
    const NameCase cases[] = {
        {"Apron", true},
        {"North apron", true},
        {"50%off", true},
        {"rwy 09.27", true},
        {".hidden", true},
        {"CONSOLE", true},
        {"COM10", true},
        {"LPT", true},
        {"NUL-west", true},
        {"Z\xFCrich", true},
        {std::string(AreaNameCheck::maxLength, 'a'), true},
        {std::string(AreaNameCheck::maxLength + 1, 'a'), false},
        {"", false},
        {"a<b", false},
        {"a>b", false},
        {"C:apron", false},
        {"a\"b", false},
        {"../apron", false},
        {"a\\b", false},
        {"a|b", false},
        {"a?b", false},
        {"a*b", false},
        {"tab\there", false},
        {std::string("nul\0byte", 8), false},
        {"line\r", false},
        {"CON", false},
        {"con", false},
        {"Nul", false},
        {"PRN", false},
        {"aux", false},
        {"COM1", false},
        {"com0", false},
        {"LPT9", false},
        {"COM\xB9", false},
        {"LPT\xC2\xB2", false},
        {"CON.txt", false},
        {"aux .area", false},
        {"apron.", false},
        {"apron ", false},
        {"..", false},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(AreaNameCheck::usable(c.name), c.usable) << "name: " << c.name;
    }
}

TEST(AreaNameCheck, RefusalIsBadFileNameAndShowsNoControlCharacters) {
    try {
        AreaNameCheck::require("evil\x1b[2Jname");
        FAIL() << "a name with a control character was accepted";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), 52);
        EXPECT_NE(failure.description().find("evil?[2Jname"), std::string::npos)
            << failure.description();
        EXPECT_EQ(failure.description().find('\x1b'), std::string::npos);
    }
    try {
        AreaNameCheck::require("a\"b");
        FAIL() << "a name with a double quote was accepted";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), 52);
        EXPECT_NE(failure.description().find("character \""), std::string::npos)
            << failure.description();
    }
    EXPECT_NO_THROW(AreaNameCheck::require("North apron"));
}

}  // namespace
}  // namespace tl
