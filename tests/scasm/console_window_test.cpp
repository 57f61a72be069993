#include "scasm/console_window.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tl {
namespace {

TEST(ConsoleWindow, MessagesBecomePlainLines) {
    std::ostringstream err;
    ConsoleWindow window(err);

    window.showMessage(
        "Error encountered in procedure cmdCreateBGL\r\n\r\nError Number: 53\r\nFile");
    window.showMessage("No data to process!");
    window.showMessage("lone\rcarriage\nfeed\r");

    EXPECT_EQ(err.str(),
              "Error encountered in procedure cmdCreateBGL\n\nError Number: 53\nFile\n"
              "No data to process!\n"
              "lone\rcarriage\nfeed\r\n");
}

}  // namespace
}  // namespace tl
