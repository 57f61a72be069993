#include "core/error_reporter.h"

#include <gtest/gtest.h>

#include "tests/support/fake_window.h"

namespace tl {
namespace {

TEST(ErrorReporter, MessageHasTheFourLines) {
    EXPECT_EQ(ErrorReporter::message("readData", Failure(FailureCode::IndexOutOfRange)),
              "Error encountered in procedure readData\r\n\r\nError Number: 9\r\n"
              "Subscript out of range");
    EXPECT_EQ(ErrorReporter::message("HypeFIle", Failure(-2147467259, "Unspecified error")),
              "Error encountered in procedure HypeFIle\r\n\r\nError Number: -2147467259\r\n"
              "Unspecified error");
}

TEST(ErrorReporter, GuardReportsUnderItsLabelAndReturnsNormally) {
    test::FakeWindow window;
    ErrorReporter errors(window);
    int before = 0;
    int after = 0;
    const bool finished = errors.guard("cmdAddArea", [&] {
        ++before;
        throw Failure(FailureCode::TypeMismatch);
        ++after;
    });
    EXPECT_FALSE(finished);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 0);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0],
              "Error encountered in procedure cmdAddArea\r\n\r\nError Number: 13\r\nType mismatch");
}

TEST(ErrorReporter, GuardLetsAFinishedBodyPassSilently) {
    test::FakeWindow window;
    ErrorReporter errors(window);
    EXPECT_TRUE(errors.guard("Main", [] {}));
    EXPECT_TRUE(window.messages.empty());
}

TEST(ErrorReporter, GuardTurnsOtherExceptionsIntoNumberedFailures) {
    test::FakeWindow window;
    ErrorReporter errors(window);
    errors.guard("redrawMap", [] { throw std::bad_alloc(); });
    errors.guard("drawGrid", [] { throw std::logic_error("broken"); });
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_NE(window.messages[0].find("Error Number: 7\r\nOut of memory"), std::string::npos);
    EXPECT_NE(window.messages[1].find("Error Number: 51\r\nInternal error: broken"),
              std::string::npos);
}

}  // namespace
}  // namespace tl
