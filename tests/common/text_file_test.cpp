#include "common/text_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include "tests/support/temp_folder.h"
#include "tests/support/test_files.h"

namespace tl {
namespace {

using Lines = std::vector<std::string>;
using test::bytesOf;
using test::failureNumber;
using test::writeBytes;

TEST(TextFile, SplitLinesOnCrLfAndBareLf) {
    struct Case {
        std::string text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"\r\n\r\n", {"", ""}},
        {"#A\r\n12\n\r\n47.1 8.2", {"#A", "12", "", "47.1 8.2"}},
        {"a\rb\r\n", {"a\rb"}},
        {"a\r", {"a\r"}},
        {std::string("\xe9t\xe9\0x\r\n", 7), {std::string("\xe9t\xe9\0x", 5)}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextFile::splitLines(c.text), c.lines) << testing::PrintToString(c.text);
    }
}

TEST(TextFile, AppendWritesCrLfLinesAndReadsBackByteForByte) {
    test::TempFolder folder;
    const auto path = folder / "flatten.txt";
    const std::string odd("N\xe4he \0 x", 8);
    TextFile::appendLines(path, {"", "#A", "12"});
    TextFile::appendLines(path, {odd}, true);
    TextFile::appendLines(path, {});
    EXPECT_EQ(bytesOf(path), "\r\n#A\r\n12\r\n" + odd + "\r\n");
    EXPECT_EQ(TextFile::readAll(path), bytesOf(path));
    EXPECT_EQ(TextFile::readLines(path), (Lines{"", "#A", "12", odd}));
}

TEST(TextFile, WriteLinesReplacesTouchKeeps) {
    test::TempFolder folder;
    const auto path = folder / "flatten.bat";
    TextFile::touch(path);
    EXPECT_TRUE(TextFile::exists(path));
    EXPECT_EQ(bytesOf(path), "");
    TextFile::writeLines(path, {"one", "two"});
    TextFile::touch(path);
    EXPECT_EQ(bytesOf(path), "one\r\ntwo\r\n");
    TextFile::writeLines(path, {"three"});
    EXPECT_EQ(bytesOf(path), "three\r\n");
}

TEST(TextFile, FailuresCarryTheirNumbers) {
    test::TempFolder folder;
    const auto missing = folder / "missing.txt";
    const auto inMissingFolder = folder / "no" / "file.txt";
    EXPECT_EQ(failureNumber([&] { TextFile::readAll(missing); }), 53);
    EXPECT_EQ(failureNumber([&] { TextFile::readLines(inMissingFolder); }), 53);
    EXPECT_EQ(failureNumber([&] { TextFile::readAll(folder.path()); }), 75);
    EXPECT_EQ(failureNumber([&] { TextFile::appendLines(inMissingFolder, {"x"}); }), 76);
    EXPECT_EQ(failureNumber([&] { TextFile::appendLines(folder.path(), {"x"}); }), 75);
    EXPECT_EQ(failureNumber([&] { TextFile::writeLines(folder.path(), {"x"}); }), 75);
    EXPECT_EQ(failureNumber([&] { TextFile::touch(inMissingFolder); }), 76);
    EXPECT_FALSE(TextFile::exists(missing));
}

TEST(TextFile, RemoveDeletesFilesOnly) {
    test::TempFolder folder;
    const auto path = folder / "bgl-asm.txt";
    TextFile::touch(path);
    EXPECT_TRUE(TextFile::remove(path));
    EXPECT_FALSE(TextFile::exists(path));
    EXPECT_FALSE(TextFile::remove(path));
    std::filesystem::create_directory(folder / "sub");
    EXPECT_FALSE(TextFile::exists(folder / "sub"));
    EXPECT_FALSE(TextFile::remove(folder / "sub"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "sub"));
}

// Holds the file size limit of this process for one scope, with the limit's signal ignored so
// that writes past it fail instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    sighandler_t previous_;
};

TEST(TextFile, AShortAppendIsCutBackAndReportedAsDiskFull) {
    test::TempFolder folder;
    const auto path = folder / "flatten.txt";
    const std::string before = "#A\r\n12\r\n47.1 8.2\r\n";
    writeBytes(path, before);
    std::int32_t partial = 0;
    std::int32_t none = 0;
    {
        // Room for part of the first append, none for the second.
        FileSizeLimit limit(before.size() + 5);
        partial = failureNumber([&] {
            TextFile::appendLines(path, {"47.2 8.3", "47.3 8.4"}, true);
        });
        writeBytes(folder / "full.txt", std::string(before.size() + 5, 'x'));
        none = failureNumber([&] { TextFile::appendLines(folder / "full.txt", {"y"}); });
    }
    EXPECT_EQ(partial, 61);
    EXPECT_EQ(bytesOf(path), before);
    EXPECT_EQ(none, 61);
    EXPECT_EQ(bytesOf(folder / "full.txt"), std::string(before.size() + 5, 'x'));
}

}  // namespace
}  // namespace tl
