#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/support/fake_window.h"

namespace tl::test {

inline const std::string reportStart = "Error encountered in procedure ";

// The label of every error report the window showed, in order.
inline std::vector<std::string> reportedLabels(const FakeWindow& window) {
    std::vector<std::string> labels;
    for (const auto& message : window.messages) {
        if (message.starts_with(reportStart)) {
            labels.push_back(
                message.substr(reportStart.size(), message.find('\r') - reportStart.size()));
        }
    }
    return labels;
}

// Expects the window's only message to be the report of `label` for failure `number`.
inline void expectOneReport(const FakeWindow& window, std::string_view label, int number) {
    ASSERT_EQ(window.messages.size(), 1u);
    const std::string head = reportStart + std::string(label) +
                             "\r\n\r\nError Number: " + std::to_string(number) + "\r\n";
    EXPECT_TRUE(window.messages[0].starts_with(head)) << window.messages[0];
}

}  // namespace tl::test
