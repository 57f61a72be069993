#include "tilebound/tilebound.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/temp_folder.h"
#include "tests/support/test_files.h"
#include "tests/tilebound/bgl_fixtures.h"

namespace tl {
namespace {

using test::bytesOf;
using test::writeBytes;

class TileboundRun : public testing::Test {
protected:
    TileboundRun() {
        writeBytes(folder / "trees_0.bgl", test::trees0Bgl);
        writeBytes(folder / "lkpr.BGL", test::lkprBgl);
        writeBytes(folder / "lkkb.BGL", test::lkkbBgl);
        writeBytes(folder / "short.bgl", {test::trees0Bgl.begin(), test::trees0Bgl.begin() + 17});
        std::filesystem::create_directory(folder / "sub");
    }

    int run(std::string_view commandLine) {
        errors.str("");
        return Tilebound::run(commandLine, folder.path(), NumberText('.'), errors);
    }

    std::filesystem::path list() const { return folder / "Tilebound.dat"; }

    test::TempFolder folder;
    std::ostringstream errors;
};

TEST_F(TileboundRun, AppendsOneRecordPerRun) {
    const std::string record = std::string(test::trees0Record) + "\r\n";
    EXPECT_EQ(run("trees_0.bgl"), 0);
    EXPECT_EQ(bytesOf(list()), record);
    EXPECT_EQ(run("trees_0.bgl"), 0);
    EXPECT_EQ(bytesOf(list()), record + record);
    EXPECT_EQ(errors.str(), "");
}

TEST_F(TileboundRun, FailuresNameTheFileAndAppendNothing) {
    struct Case {
        std::string commandLine;
        int status;
        std::string named;  // what the message must hold
    };
    const Case cases[] = {
        {"", Tilebound::badCommandLine, folder.path().string()},
        {"trees_0.bgl\r\nforged", Tilebound::badCommandLine, "line break"},
        {"                   trees_0.bgl", Tilebound::badCommandLine, "starting with a blank"},
        {"missing.bgl", Tilebound::failed, (folder / "missing.bgl").string()},
        {"short.bgl", Tilebound::failed, (folder / "short.bgl").string()},
        {"lkpr.BGL", Tilebound::failed,
         (folder / "lkpr.BGL").string() + ": a scenery file of the newer"},
        {"lkkb.BGL", Tilebound::failed, (folder / "lkkb.BGL").string()},
        {"sub", Tilebound::failed, (folder / "sub").string()},
        // A full path is still taken inside the program's folder.
        {(folder / "trees_0.bgl").string(), Tilebound::failed, "File not found"},
    };
    std::ofstream(list(), std::ios::binary) << "earlier.bgl\r\n";
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.commandLine), c.status) << c.commandLine;
        const std::string message = errors.str();
        EXPECT_NE(message.find(c.named), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
    }
    EXPECT_EQ(bytesOf(list()), "earlier.bgl\r\n");
}

TEST_F(TileboundRun, AListThatCannotBeWrittenIsReported) {
    std::filesystem::create_directory(list());
    EXPECT_EQ(run("trees_0.bgl"), Tilebound::failed);
    EXPECT_EQ(errors.str(), "tilebound: " + list().string() + ": Path/File access error\n");
}

}  // namespace
}  // namespace tl
