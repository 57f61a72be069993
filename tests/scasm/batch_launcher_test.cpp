#include "scasm/batch_launcher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "common/failure.h"
#include "tests/scasm/env_guard.h"
#include "tests/scasm/folder_files.h"

namespace tl {
namespace {

using Command = std::vector<std::string>;

class BatchLauncherTest : public ::testing::Test {
protected:
    BatchLauncherTest() {
        std::filesystem::create_directory(work);
        std::filesystem::create_directory(bin);
    }

    void makeProgram(const std::string& name, const std::string& text, mode_t mode) const {
        test::writeBytes(bin / name, text);
        ::chmod((bin / name).c_str(), mode);
    }
    bool waitFor(std::string_view name) const {
        for (int wait = 0; wait < 200 && !std::filesystem::exists(temp / std::string(name));
             ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return std::filesystem::exists(temp / std::string(name));
    }

    test::TempFolder temp;
    std::filesystem::path work = (temp / "work");
    std::filesystem::path bin = (temp / "bin");
    std::filesystem::path batch = work / "flatten.bat";
};

TEST_F(BatchLauncherTest, ConfiguredCommandGetsTheBatchAsItsArgument) {
    const test::EnvGuard variable{"TERRALEVEL_BATCH_LAUNCHER", "batch-runner --quiet"};
    EXPECT_EQ(BatchLauncher::commandFor(batch, work),
              (Command{"/bin/sh", "-c", "batch-runner --quiet \"$1\"", "terralevel-batch",
                       batch.string()}));
}

TEST_F(BatchLauncherTest, WineOnThePathRunsTheBatchThroughItsCommandInterpreter) {
    const test::EnvGuard variable{"TERRALEVEL_BATCH_LAUNCHER", ""};
    const test::EnvGuard path{"PATH", "/nonexistent::" + bin.string()};
    makeProgram("wine", "#!/bin/sh\n", 0755);

    EXPECT_EQ(BatchLauncher::commandFor(batch, work),
              (Command{(bin / "wine").string(), "cmd", "/c", "flatten.bat"}));
    const auto elsewhere = (temp / "other.bat");
    EXPECT_EQ(BatchLauncher::commandFor(elsewhere, work),
              (Command{(bin / "wine").string(), "cmd", "/c", elsewhere.string()}));
}

TEST_F(BatchLauncherTest, NothingToRunBatchesSaysHowToMakeThemRunnable) {
    const test::EnvGuard variable{"TERRALEVEL_BATCH_LAUNCHER", std::nullopt};
    const test::EnvGuard path{"PATH", bin.string()};
    makeProgram("wine", "#!/bin/sh\n", 0644);

    try {
        BatchLauncher().startBatch(batch, work);
        FAIL() << "a batch was started without anything to run it";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), 53);
        EXPECT_NE(failure.description().find("set TERRALEVEL_BATCH_LAUNCHER"), std::string::npos);
        EXPECT_NE(failure.description().find("install wine"), std::string::npos);
    }
}

TEST_F(BatchLauncherTest, StartsDetachedInTheWorkingFolderWithoutWaiting) {
    makeProgram("runner",
                "#!/bin/sh\n"
                "{ pwd; echo \"$1\"; readlink /proc/$$/fd/0; } > info.tmp && mv info.tmp info.txt\n"
                "cat go > /dev/null\n"
                "touch done.txt\n",
                0755);
    const test::EnvGuard variable{"TERRALEVEL_BATCH_LAUNCHER", (bin / "runner").string()};
    ASSERT_EQ(::mkfifo((work / "go").c_str(), 0600), 0);

    // The runner cannot finish before the fifo is written below, so a return means no wait.
    BatchLauncher().startBatch(batch, work);

    // The middle process is reaped and the batch belongs to another parent: no child is left.
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    ASSERT_TRUE(waitFor("work/info.txt"));
    EXPECT_EQ(test::bytesOf(temp / "work/info.txt"),
              work.string() + "\n" + batch.string() + "\n/dev/null\n");
    std::ofstream(work / "go") << "go\n";
    EXPECT_TRUE(waitFor("work/done.txt"));
}

TEST_F(BatchLauncherTest, ProgramThatCannotBeExecutedIsAFailure) {
    const test::EnvGuard variable{"TERRALEVEL_BATCH_LAUNCHER", std::nullopt};
    const test::EnvGuard path{"PATH", bin.string()};
    makeProgram("wine", std::string("\x7f\x01 not a program", 16), 0755);

    try {
        BatchLauncher().startBatch(batch, work);
        FAIL() << "a program that cannot run was reported as started";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), 75);
        EXPECT_NE(failure.description().find((bin / "wine").string()), std::string::npos)
            << failure.description();
    }
}

}  // namespace
}  // namespace tl
