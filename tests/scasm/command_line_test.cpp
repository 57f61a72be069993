#include "scasm/command_line.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "tests/scasm/env_guard.h"
#include "tests/scasm/folder_files.h"
#include "tests/scasm/recording_launcher.h"

namespace tl {
namespace {

using test::crlf;

const std::string twoAreas = "#A\r\n1\r\n47.25 8.5\r\n#B\r\n2\r\n48 9\r\n";
const std::string twoAreasBatch = crlf({
    R"(scasm "A.sca" "A.bgl")",
    R"(scasm "B.sca" "B.bgl")",
    R"(copy flatten.txt "A-flatten.txt")",
});

class CommandLineTest : public ::testing::Test {
protected:
    struct Run {
        std::optional<int> status;
        std::string out;
        std::string err;
    };

    Run run(const std::vector<std::string>& args) {
        std::ostringstream out;
        std::ostringstream err;
        const auto status = runCommandLine(args, ProgramFolder(temp.path()), out, err, launcher);
        return {status, out.str(), err.str()};
    }
    Run runWithRealLauncher(const std::vector<std::string>& args) {
        std::ostringstream out;
        std::ostringstream err;
        const auto status = runCommandLine(args, ProgramFolder(temp.path()), out, err);
        return {status, out.str(), err.str()};
    }

    test::EnvGuard locale{"LC_ALL", "C"};
    test::TempFolder temp;
    test::RecordingLauncher launcher;
};

TEST_F(CommandLineTest, ArgumentsWithoutOurOptionsOpenTheWindow) {
    const std::vector<std::vector<std::string>> cases = {
        {}, {"-platform", "offscreen"}, {"flatten.txt"}, {"-style", "--build"}};
    for (const auto& args : cases) {
        const Run result = run(args);
        EXPECT_FALSE(result.status.has_value()) << args.size();
        EXPECT_EQ(result.out + result.err, "");
    }
    EXPECT_TRUE(test::namesIn(temp.path()).empty());
}

TEST_F(CommandLineTest, HelpListsTheOptions) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"--build", "--help"}}) {
        const Run result = run(args);
        EXPECT_EQ(result.status, 0);
        EXPECT_NE(result.out.find("--build [FOLDER]"), std::string::npos) << result.out;
        EXPECT_NE(result.out.find("--no-start"), std::string::npos);
        EXPECT_NE(result.out.find("TERRALEVEL_BATCH_LAUNCHER"), std::string::npos);
        EXPECT_EQ(result.err, "");
    }
    EXPECT_TRUE(test::namesIn(temp.path()).empty());
}

TEST_F(CommandLineTest, WrongCommandLinesAreRefusedWithStatusTwo) {
    test::writeBytes(temp / "flatten.txt", twoAreas);
    struct WrongCase {
        std::vector<std::string> args;
        std::string message;
    };
    const WrongCase cases[] = {
        {{"--bogus"}, "terralevel: unknown option '--bogus'\n"},
        {{"--no-start"}, "terralevel: --no-start goes with --build\n"},
        {{"--no-start", "--bogus", "--build"}, "terralevel: unknown option '--bogus'\n"},
        {{"--build", "--bogus"}, "terralevel: unknown option '--bogus'\n"},
        {{"--build", temp.path().string(), "other"},
         "terralevel: more than one folder given: 'other'\n"},
        {{"--build", (temp.path() / "missing").string()},
         "terralevel: no such folder: '" + (temp.path() / "missing").string() + "'\n"},
        {{"--build", (temp / "flatten.txt").string()},
         "terralevel: no such folder: '" + (temp / "flatten.txt").string() + "'\n"},
    };
    for (const WrongCase& c : cases) {
        const Run result = run(c.args);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err, c.message + "Try 'terralevel --help'.\n");
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(test::namesIn(temp.path()), std::set<std::string>{"flatten.txt"});
    EXPECT_TRUE(launcher.starts.empty());
}

TEST_F(CommandLineTest, BuildWritesEveryFileAndStartsTheBatchInTheFolder) {
    std::filesystem::create_directory((temp / "site"));
    test::writeBytes(temp / "site/flatten.txt", twoAreas);

    const Run result = run({"--build", (temp / "site").string()});

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out + result.err, "");
    EXPECT_EQ(test::bytesOf(temp / "site/flatten.bat"), twoAreasBatch);
    EXPECT_EQ(test::namesIn(temp / "site"),
              (std::set<std::string>{"flatten.txt", "flatten.bat", "A.sca", "B.sca"}));
    ASSERT_EQ(launcher.starts.size(), 1u);
    EXPECT_EQ(launcher.starts[0].batchFile, (temp / "site") / "flatten.bat");
    EXPECT_EQ(launcher.starts[0].workingFolder, (temp / "site"));
}

TEST_F(CommandLineTest, BuildDefaultsToTheProgramFolderAndResolvesRelativeFolders) {
    test::writeBytes(temp / "flatten.txt", twoAreas);
    EXPECT_EQ(run({"--no-start", "--build"}).status, 0);
    EXPECT_EQ(test::bytesOf(temp / "flatten.bat"), twoAreasBatch);

    std::filesystem::create_directory((temp / "sub"));
    test::writeBytes(temp / "sub/flatten.txt", twoAreas);
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(temp.path());
    const Run result = run({"--build", "sub"});
    std::filesystem::current_path(before);

    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(test::bytesOf(temp / "sub/flatten.bat"), twoAreasBatch);
    ASSERT_EQ(launcher.starts.size(), 1u);
    EXPECT_EQ(launcher.starts[0].workingFolder, (temp / "sub"));
    EXPECT_TRUE(launcher.starts[0].batchFile.is_absolute());
}

TEST_F(CommandLineTest, BuildThatDoesNotCompleteEndsWithStatusOne) {
    struct FailCase {
        std::string areaFile;
        std::string err;
    };
    const FailCase cases[] = {
        {"", "No data to process!\n"},
        {"#\r\n1\r\n47 8\r\n", "No data to process!\n"},
        {"#A\r\n1\r\n47.25 8.5 ; corner\r\n",
         "Error encountered in procedure cmdCreateBGL\n\nError Number: 13\n"},
        {"#A\r\n1\r\n47 8\r\n#a/b\r\n1\r\n48 9\r\n",
         "Error encountered in procedure ProcessArea\n\nError Number: 52\n"},
    };
    for (const FailCase& c : cases) {
        test::writeBytes(temp / "flatten.txt", c.areaFile);
        const Run result = run({"--build", "--no-start"});
        EXPECT_EQ(result.status, 1) << c.areaFile;
        EXPECT_EQ(result.err.rfind(c.err, 0), 0u) << result.err;
        EXPECT_EQ(result.err.find('\r'), std::string::npos);
        EXPECT_EQ(result.err.back(), '\n');
    }
    // The usable area of the last file was still written, with its copy line.
    EXPECT_EQ(test::bytesOf(temp / "flatten.bat"), crlf({
                                                       R"(scasm "A.sca" "A.bgl")",
                                                       R"(copy flatten.txt "A-flatten.txt")",
                                                   }));
}

TEST_F(CommandLineTest, BuildReadsNumbersInTheRegionalDecimalMark) {
    const auto locales = (temp / "locales");
    const std::string compile =
        "localedef -i de_DE -f UTF-8 '" + (locales / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    std::filesystem::create_directory(locales);
    if (std::system(compile.c_str()) != 0) {
        GTEST_SKIP() << "no locale with a decimal comma can be made here";
    }
    const test::EnvGuard path{"LOCPATH", locales.string()};
    const test::EnvGuard german{"LC_ALL", "de_DE.UTF-8"};
    test::writeBytes(temp / "flatten.txt", "#K\r\n412,5\r\n47,25 8,5\r\n");

    const Run result = run({"--build", "--no-start"});

    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(test::bytesOf(temp / "K.sca").find("\r\n    47,25      8,5          ;1\r\n"),
              std::string::npos)
        << test::bytesOf(temp / "K.sca");
}

// The real launcher: a user's command started detached in the build's folder.
TEST_F(CommandLineTest, BuildStartsTheBatchThroughTheConfiguredLauncher) {
    test::writeBytes(temp / "run-batch",
                     "#!/bin/sh\n{ pwd; cat \"$1\"; } > ran.tmp && mv ran.tmp ran.txt\n");
    ::chmod((temp / "run-batch").c_str(), 0755);
    const test::EnvGuard variable{"TERRALEVEL_BATCH_LAUNCHER", (temp / "run-batch").string()};
    test::writeBytes(temp / "flatten.txt", twoAreas);

    const Run result = runWithRealLauncher({"--build"});

    EXPECT_EQ(result.status, 0) << result.err;
    for (int wait = 0; wait < 200 && !std::filesystem::exists(temp / std::string("ran.txt"));
         ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(test::bytesOf(temp / "ran.txt"), temp.path().string() + "\n" + twoAreasBatch);
}

TEST_F(CommandLineTest, WithoutAnythingToRunBatchesTheFilesAreWrittenAndTheUserTold) {
    const test::EnvGuard variable{"TERRALEVEL_BATCH_LAUNCHER", std::nullopt};
    const test::EnvGuard path{"PATH", temp.path().string()};
    test::writeBytes(temp / "flatten.txt", twoAreas);

    const Run result = runWithRealLauncher({"--build"});

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(
        result.err.rfind("Error encountered in procedure cmdCreateBGL\n\nError Number: 53\n", 0),
        0u)
        << result.err;
    EXPECT_NE(result.err.find("set TERRALEVEL_BATCH_LAUNCHER"), std::string::npos);
    EXPECT_NE(result.err.find("install wine"), std::string::npos);
    EXPECT_EQ(test::bytesOf(temp / "flatten.bat"), twoAreasBatch);
}

}  // namespace
}  // namespace tl
