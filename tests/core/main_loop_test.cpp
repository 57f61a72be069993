#include "core/main_loop.h"

#include <gtest/gtest.h>

#include "tests/support/fake_event_pump.h"
#include "tests/support/fake_transport.h"
#include "tests/support/fake_window.h"

namespace tl {
namespace {

class CountingPoller : public Poller {
public:
    void plotPosition() override { ++polls; }
    int polls = 0;
};

class MainLoopTest : public ::testing::Test {
protected:
    MainLoopTest() : client(transport, [this](const std::string& t) { window.showMessage(t); }) {}

    test::FakeWindow window;
    test::FakeEventPump pump;
    test::FakeTransport transport;
    FsuipcClient client;
    ErrorReporter errors{window};
    LinkControl link{client, window};
    CountingPoller poller;
    MainLoop loop{window, pump, errors, client, link, poller};
};

TEST_F(MainLoopTest, PollsWhileConnectedUntilExit) {
    pump.onYield = [&] {
        if (poller.polls == 3) {
            link.cmdExit_Click();
        }
    };
    loop.Main();
    EXPECT_EQ(window.shows, 1);
    EXPECT_EQ(poller.polls, 3);
    EXPECT_EQ(pump.waits, 0);
    EXPECT_EQ(window.unloads, 1);
    EXPECT_FALSE(client.isOpen());
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(MainLoopTest, WithoutSimulatorItWaitsForEventsAndNeverPolls) {
    transport.windowClasses.clear();
    pump.onYield = [&] {
        if (pump.waits == 5) {
            link.cmdExit_Click();
        }
    };
    loop.Main();
    EXPECT_EQ(window.messages, std::vector<std::string>{link.msgConnectFailed});
    EXPECT_EQ(window.text("cmdStatus"), "Connect");
    EXPECT_EQ(poller.polls, 0);
    EXPECT_EQ(pump.waits, 5);
    EXPECT_EQ(window.unloads, 1);
}

TEST_F(MainLoopTest, PausedLinkIsNotPolled) {
    pump.onYield = [&] {
        if (poller.polls == 1 && link.linkState == LinkControl::Polling) {
            link.cmdStatus_Click();  // Pause
        } else if (pump.waits == 2) {
            link.cmdExit_Click();
        }
    };
    loop.Main();
    EXPECT_EQ(poller.polls, 1);
    EXPECT_EQ(link.linkState, LinkControl::Paused);
    EXPECT_FALSE(client.isOpen());
}

TEST_F(MainLoopTest, FailureInsideMainIsReportedAndEndsTheProgram) {
    window.onShow = [] { throw Failure(FailureCode::Overflow); };
    loop.Main();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0],
              "Error encountered in procedure Main\r\n\r\nError Number: 6\r\nOverflow");
    EXPECT_EQ(window.unloads, 1);
    EXPECT_EQ(poller.polls, 0);
}

}  // namespace
}  // namespace tl
