#include "scasm/build_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text_file.h"
#include "tests/scasm/folder_files.h"
#include "tests/scasm/recording_launcher.h"
#include "tests/support/fake_window.h"

namespace tl {
namespace {

using test::crlf;

std::string reportHead(std::string_view label, int number) {
    return "Error encountered in procedure " + std::string(label) +
           "\r\n\r\nError Number: " + std::to_string(number) + "\r\n";
}

std::string vertexLines(int count, double lat) {
    std::string text;
    for (int k = 0; k < count; ++k) {
        text += std::to_string(lat + k / 1000.0) + " 8.5\r\n";
    }
    return text;
}

class BuildCommandTest : public ::testing::Test {
protected:
    BuildCommandTest() { std::filesystem::create_directory(folder.path()); }

    BuildCommand::Outcome build(std::string_view areaFile, bool start = true) {
        std::ofstream(folder.file("flatten.txt"), std::ios::binary) << areaFile;
        return command.build(start);
    }
    std::string file(std::string_view name) const { return TextFile::readAll(folder.file(name)); }
    std::vector<std::string> lines(std::string_view name) const {
        return TextFile::readLines(folder.file(name));
    }
    bool exists(std::string_view name) const { return TextFile::exists(folder.file(name)); }
    void reset() {
        window.messages.clear();
        launcher.starts.clear();
    }

    test::TempFolder temp;
    ProgramFolder folder{(temp / "prog")};
    NumberText numbers;
    test::FakeWindow window;
    ErrorReporter reporter{window};
    test::RecordingLauncher launcher;
    BuildState state;
    BuildCommand command{state, folder, numbers, reporter, launcher, window};
};

TEST_F(BuildCommandTest, BuildsEveryAreaCopiesTheAreaFileAndStartsTheBatch) {
    TextFile::writeLines(folder.file("flatten.bat"), {"echo left from an earlier build"});

    const auto outcome =
        build("\r\n#A\r\n412.5\r\n47.25 8.5\r\n51.5 -0.125\r\n\r\n#B\r\n409\r\n47.9 8.1\r\n");

    EXPECT_EQ(file("flatten.bat"), crlf({
                                       R"(scasm "A.sca" "A.bgl")",
                                       R"(scasm "B.sca" "B.bgl")",
                                       R"(copy flatten.txt "A-flatten.txt")",
                                   }));
    EXPECT_EQ(file("A.sca"), test::workedExampleSource('.'));
    const auto b = lines("B.sca");
    ASSERT_EQ(b.size(), 11u);
    EXPECT_EQ(b[3], "Header ( 1 47.9 47.9 8.1 8.1)");
    EXPECT_EQ(b[7], "  Elevation ( 409");
    EXPECT_EQ(b[8], "    47.9       8.1          ;1");

    ASSERT_EQ(launcher.starts.size(), 1u);
    EXPECT_EQ(launcher.starts[0].batchFile, folder.file("flatten.bat"));
    EXPECT_EQ(launcher.starts[0].workingFolder, folder.path());
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(outcome.areasWritten, 2);
    EXPECT_EQ(outcome.areasFailed, 0);
    EXPECT_TRUE(outcome.copied);
    EXPECT_TRUE(outcome.batchStarted);
}

TEST_F(BuildCommandTest, FileWithoutNamedAreaHasNoDataToProcess) {
    const std::string files[] = {"", "\r\n\r\n", "12\r\n", "#\r\n12\r\n47 8\r\n#\r\n"};
    for (const std::string& areaFile : files) {
        reset();
        TextFile::writeLines(folder.file("flatten.bat"), {"echo old"});

        const auto outcome = build(areaFile);

        EXPECT_EQ(window.messages, std::vector<std::string>{"No data to process!"}) << areaFile;
        EXPECT_FALSE(exists("flatten.bat")) << areaFile;
        EXPECT_TRUE(launcher.starts.empty());
        EXPECT_FALSE(outcome.copied);
        EXPECT_EQ(test::bytesOf(temp / "prog/flatten.txt"), areaFile);
    }
}

TEST_F(BuildCommandTest, BareHeaderAtTheEndStillCopiesAndStarts) {
    const auto outcome = build("#A\r\n1\r\n47.5  8.25\r\n#\r\n2\r\n48 9\r\n");

    EXPECT_EQ(file("flatten.bat"), crlf({
                                       R"(scasm "A.sca" "A.bgl")",
                                       R"(copy flatten.txt "A-flatten.txt")",
                                   }));
    const auto a = lines("A.sca");
    ASSERT_EQ(a.size(), 11u);
    EXPECT_EQ(a[8], "    47.5       8.25         ;1");
    EXPECT_EQ(launcher.starts.size(), 1u);
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(outcome.batchStarted);
}

TEST_F(BuildCommandTest, UnnamedAreasAreSkippedAndElevationsCarryOver) {
    build("3\n#\n5\n10 10\n#A\n47 8\n#\n11 11\n#B\n48 9\n#C\n7\n49 9\n");

    EXPECT_EQ(file("flatten.bat"), crlf({
                                       R"(scasm "A.sca" "A.bgl")",
                                       R"(scasm "B.sca" "B.bgl")",
                                       R"(scasm "C.sca" "C.bgl")",
                                       R"(copy flatten.txt "A-flatten.txt")",
                                   }));
    // The elevation of an area without one is the last one read before it.
    EXPECT_EQ(lines("A.sca")[7], "  Elevation ( 5");
    EXPECT_EQ(lines("B.sca")[7], "  Elevation ( 5");
    EXPECT_EQ(lines("C.sca")[7], "  Elevation ( 7");
    // Every area numbers its own vertices from 1; those of unnamed areas go nowhere.
    EXPECT_EQ(lines("B.sca").size(), 11u);
    EXPECT_EQ(lines("B.sca")[8], "    48         9            ;1");
    EXPECT_EQ(lines("B.sca")[3], "Header ( 1 48 48 9 9)");
}

TEST_F(BuildCommandTest, ElevationBeforeTheFirstHeaderServesTheFirstArea) {
    build("3\r\n#A\r\n47 8\r\n");
    EXPECT_EQ(lines("A.sca")[7], "  Elevation ( 3");
}

TEST_F(BuildCommandTest, FiveHundredTwelveVerticesFitAndTheNextOneEndsTheBuild) {
    const auto outcome = build("#A\r\n1\r\n" + vertexLines(512, 47) + "#B\r\n1\r\n" +
                               vertexLines(513, 48) + "#C\r\n1\r\n49 8\r\n");

    EXPECT_EQ(lines("A.sca").size(), 8u + 512u + 2u);
    EXPECT_EQ(lines("A.sca")[8 + 511].substr(lines("A.sca")[8 + 511].rfind(';')), ";512");
    EXPECT_EQ(file("flatten.bat"), crlf({R"(scasm "A.sca" "A.bgl")"}));
    EXPECT_FALSE(exists("B.sca"));
    EXPECT_FALSE(exists("C.sca"));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].rfind(reportHead("cmdCreateBGL", 9), 0), 0u) << window.messages[0];
    EXPECT_TRUE(launcher.starts.empty());
    EXPECT_EQ(outcome.areasWritten, 1);
    EXPECT_FALSE(outcome.copied);
}

TEST_F(BuildCommandTest, TextThatIsNotANumberEndsTheBuild) {
    struct BadCase {
        std::string areaB;
        int number;
    };
    const BadCase cases[] = {
        {"1\r\n47.25 8.5 ; corner\r\n", 13},
        {"12 m\r\n", 13},
        {"high\r\n", 13},
        {"1\r\n   \r\n", 13},
        {"1E39\r\n", 6},
        {"1\r\n47,25 8\r\n", 13},
    };
    for (const BadCase& c : cases) {
        reset();
        const auto outcome = build("#A\r\n1\r\n47 8\r\n#B\r\n" + c.areaB + "#C\r\n49 8\r\n");

        ASSERT_EQ(window.messages.size(), 1u) << c.areaB;
        EXPECT_EQ(window.messages[0].rfind(reportHead("cmdCreateBGL", c.number), 0), 0u)
            << window.messages[0];
        EXPECT_EQ(file("flatten.bat"), crlf({R"(scasm "A.sca" "A.bgl")"})) << c.areaB;
        EXPECT_TRUE(exists("A.sca"));
        EXPECT_FALSE(exists("C.sca"));
        EXPECT_TRUE(launcher.starts.empty());
        EXPECT_FALSE(outcome.copied);
        std::filesystem::remove(folder.file("A.sca"));
    }
}

TEST_F(BuildCommandTest, VertexBeforeTheFirstHeaderIsRefusedWhateverTheLastBuildLeft) {
    build("#A\r\n1\r\n47 8\r\n48 9\r\n");
    std::filesystem::remove(folder.file("A.sca"));
    reset();

    const auto outcome = build("47 8\r\n#A\r\n1\r\n47 8\r\n");

    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].rfind(reportHead("cmdCreateBGL", 9), 0), 0u);
    EXPECT_EQ(test::namesIn(temp.path()), std::set<std::string>{"prog"});
    EXPECT_EQ(test::namesIn(temp / "prog"), std::set<std::string>{"flatten.txt"});
    EXPECT_FALSE(outcome.copied);
}

TEST_F(BuildCommandTest, MissingAreaFileIsReportedAfterTheBatchIsDeleted) {
    TextFile::writeLines(folder.file("flatten.bat"), {"echo old"});

    const auto outcome = command.build(true);

    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].rfind(reportHead("cmdCreateBGL", 53), 0), 0u);
    EXPECT_FALSE(exists("flatten.bat"));
    EXPECT_FALSE(outcome.copied);
}

TEST_F(BuildCommandTest, BoundsCompareRoundedSumsStrictly) {
    // 1E-17 + 90 rounds to 90: the second vertex of each file leaves every bound as it is.
    build("#E\r\n0\r\n0 0\r\n1E-17 1E-17\r\n");
    EXPECT_EQ(lines("E.sca")[3], "Header ( 1 0 0 0 0)");
    EXPECT_EQ(lines("E.sca")[4], "LatRange ( 0 0)");

    build("#E\r\n0\r\n1E-17 1E-17\r\n0 0\r\n");
    EXPECT_EQ(lines("E.sca")[3], "Header ( 1 1E-17 1E-17 1E-17 1E-17)");

    build("#E\r\n0\r\n-89.5 179.5\r\n89.5 -179.5\r\n0 0\r\n");
    EXPECT_EQ(lines("E.sca")[3], "Header ( 1 89.5 -89.5 179.5 -179.5)");
    EXPECT_EQ(lines("E.sca")[4], "LatRange ( -89.5 89.5)");
}

TEST_F(BuildCommandTest, UnusableNamesAreRefusedAndTheCopyTakesTheFirstUsableOne) {
    const auto outcome = build(
        "#CON\r\n1\r\n47 8\r\n#Good one\r\n1\r\n48 9\r\n#x\" & del *.* & \"\r\n49 9\r\n"
        "#..\\up\r\n49 9\r\n#B%PATH%\r\n50 9\r\n#Good one\r\n2\r\n51 9\r\n");

    EXPECT_EQ(file("flatten.bat"), crlf({
                                       R"(scasm "Good one.sca" "Good one.bgl")",
                                       R"(scasm "B%%PATH%%.sca" "B%%PATH%%.bgl")",
                                       R"(scasm "Good one.sca" "Good one.bgl")",
                                       R"(copy flatten.txt "Good one-flatten.txt")",
                                   }));
    EXPECT_EQ(test::namesIn(temp.path()), std::set<std::string>{"prog"});
    EXPECT_EQ(lines("Good one.sca")[7], "  Elevation ( 2");
    EXPECT_TRUE(exists("B%PATH%.sca"));
    ASSERT_EQ(window.messages.size(), 3u);
    for (const std::string& message : window.messages) {
        EXPECT_EQ(message.rfind(reportHead("ProcessArea", 52), 0), 0u) << message;
    }
    EXPECT_EQ(launcher.starts.size(), 1u);
    EXPECT_EQ(outcome.areasWritten, 3);
    EXPECT_EQ(outcome.areasFailed, 3);
}

TEST_F(BuildCommandTest, OnlyUnusableNamesWriteNothing) {
    const auto outcome = build("#CON\r\n1\r\n47 8\r\n#a|b\r\n48 9\r\n");

    EXPECT_EQ(window.messages.size(), 3u);
    EXPECT_EQ(window.messages.back(), "No data to process!");
    EXPECT_FALSE(exists("flatten.bat"));
    EXPECT_TRUE(launcher.starts.empty());
    EXPECT_EQ(outcome.areasFailed, 2);
}

TEST_F(BuildCommandTest, FailureToStartIsReportedAfterEveryFileIsWritten) {
    launcher.failure = Failure(FailureCode::FileNotFound, "no batch runner");

    const auto outcome = build("#A\r\n1\r\n47 8\r\n");

    EXPECT_EQ(window.messages, std::vector<std::string>{reportHead("cmdCreateBGL", 53) +
                                                        "File not found: no batch runner"});
    EXPECT_EQ(file("flatten.bat"), crlf({
                                       R"(scasm "A.sca" "A.bgl")",
                                       R"(copy flatten.txt "A-flatten.txt")",
                                   }));
    EXPECT_TRUE(outcome.copied);
    EXPECT_FALSE(outcome.batchStarted);
}

TEST_F(BuildCommandTest, WithoutStartEveryFileIsWritten) {
    const auto outcome = build("#A\r\n1\r\n47 8\r\n", false);

    EXPECT_EQ(file("flatten.bat"), crlf({
                                       R"(scasm "A.sca" "A.bgl")",
                                       R"(copy flatten.txt "A-flatten.txt")",
                                   }));
    EXPECT_TRUE(launcher.starts.empty());
    EXPECT_TRUE(outcome.copied);
    EXPECT_FALSE(outcome.batchStarted);
}

TEST_F(BuildCommandTest, DecimalCommaIsReadAndWritten) {
    const NumberText comma(',');
    BuildCommand commaCommand(state, folder, comma, reporter, launcher, window);
    std::ofstream(folder.file("flatten.txt"), std::ios::binary)
        << "#K\r\n412,5\r\n47,25 8,5\r\n51,5 -0,125\r\n";

    commaCommand.build(false);

    EXPECT_EQ(file("K.sca"), test::workedExampleSource(','));
    EXPECT_TRUE(window.messages.empty());
}

}  // namespace
}  // namespace tl
