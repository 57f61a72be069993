#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tests/support/test_files.h"
#include "tests/tilebound/bgl_fixtures.h"

namespace tl {
namespace {

using test::bytesOf;
using test::writeBytes;

struct Outcome {
    int status = -1;
    std::string errors;
};

// Tilebound copied into a folder of its own, run as a child process from another folder.
class TileboundProgram : public testing::Test {
protected:
    TileboundProgram() {
        std::filesystem::create_directory(bin());
        std::filesystem::copy_file(TILEBOUND_EXE, exe());
        std::filesystem::create_directory(elsewhere());
    }

    std::filesystem::path bin() const { return folder / "bin"; }
    std::filesystem::path exe() const { return bin() / "tilebound"; }
    std::filesystem::path elsewhere() const { return folder / "elsewhere"; }
    std::filesystem::path list() const { return bin() / "Tilebound.dat"; }

    Outcome run(const std::vector<std::string>& arguments,
                const std::vector<std::string>& environment = {}) {
        const auto errorsFile = folder / "stderr.txt";
        const pid_t child = fork();
        if (child == 0) {
            std::vector<char*> argv{const_cast<char*>("tilebound")};
            for (const auto& a : arguments) {
                argv.push_back(const_cast<char*>(a.c_str()));
            }
            argv.push_back(nullptr);
            std::vector<char*> envp;
            for (const auto& e : environment) {
                envp.push_back(const_cast<char*>(e.c_str()));
            }
            envp.push_back(nullptr);
            std::FILE* errors = std::freopen(errorsFile.c_str(), "w", stderr);
            if (errors == nullptr || chdir(elsewhere().c_str()) != 0) {
                _exit(127);
            }
            execve(exe().c_str(), argv.data(), envp.data());
            _exit(127);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, bytesOf(errorsFile)};
    }

    test::TempFolder folder;
};

TEST_F(TileboundProgram, AppendsTheRecordOfAFileInItsOwnFolder) {
    writeBytes(bin() / "trees_0.bgl", test::trees0Bgl);
    // A file of the same name in the current folder plays no part.
    writeBytes(elsewhere() / "trees_0.bgl", test::lkprBgl);
    const std::string record = std::string(test::trees0Record) + "\r\n";
    for (int runs = 1; runs <= 2; ++runs) {
        const Outcome outcome = run({"trees_0.bgl"});
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.errors, "");
    }
    EXPECT_EQ(bytesOf(list()), record + record);
    EXPECT_FALSE(std::filesystem::exists(elsewhere() / "Tilebound.dat"));
}

TEST_F(TileboundProgram, ArgumentsMakeOneName) {
    writeBytes(bin() / "my area.bgl", test::trees0Bgl);
    EXPECT_EQ(run({"my", "area.bgl"}).status, 0);
    EXPECT_EQ(bytesOf(list()).substr(0, 20), "my area.bgl        7");
}

TEST_F(TileboundProgram, FailsWithOneLineAndWritesNothing) {
    writeBytes(bin() / "lkpr.BGL", test::lkprBgl);
    struct Case {
        std::vector<std::string> arguments;
        std::string named;
    };
    const Case cases[] = {
        {{}, "no scenery file named"},
        {{"missing.bgl"}, (bin() / "missing.bgl").string() + ": File not found"},
        {{"lkpr.BGL"}, (bin() / "lkpr.BGL").string() + ": a scenery file of the newer BGL format"},
    };
    for (const auto& c : cases) {
        const Outcome outcome = run(c.arguments);
        EXPECT_NE(outcome.status, 0) << c.named;
        EXPECT_NE(outcome.errors.find(c.named), std::string::npos) << outcome.errors;
        EXPECT_EQ(outcome.errors.find('\n'), outcome.errors.size() - 1) << outcome.errors;
    }
    EXPECT_FALSE(std::filesystem::exists(list()));
}

TEST_F(TileboundProgram, WritesTheRegionalDecimalComma) {
    // A locale of its own whose only category is numbers with a decimal comma.
    const auto locales = folder / "locales";
    std::filesystem::create_directory(locales);
    std::ofstream(folder / "comma.def") << "LC_NUMERIC\ndecimal_point \"<U002C>\"\nthousands_sep "
                                           "\"\"\ngrouping -1\nEND LC_NUMERIC\n";
    const std::string make = "localedef -c -f UTF-8 -i '" + (folder / "comma.def").string() +
                             "' '" + (locales / "comma").string() + "' >/dev/null 2>&1";
    [[maybe_unused]] const int made = std::system(make.c_str());
    if (!std::filesystem::exists(locales / "comma" / "LC_NUMERIC")) {
        GTEST_SKIP() << "localedef could not build a test locale";
    }
    writeBytes(bin() / "trees_0.bgl", test::trees0Bgl);
    const Outcome outcome =
        run({"trees_0.bgl"}, {"LOCPATH=" + locales.string(), "LC_NUMERIC=comma"});
    EXPECT_EQ(outcome.status, 0) << outcome.errors;
    EXPECT_EQ(bytesOf(list()),
              "trees_0.bgl        79,9999923706055    -80,0000076293945   180,0               "
              "-179,999725341797\r\n");
}

}  // namespace
}  // namespace tl
