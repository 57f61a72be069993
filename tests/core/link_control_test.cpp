#include "core/link_control.h"

#include <gtest/gtest.h>

#include "tests/support/fake_transport.h"
#include "tests/support/fake_window.h"

namespace tl {
namespace {

class CountingMap : public MapScaling {
public:
    void scaleMap() override { ++scales; }
    int scales = 0;
};

class LinkControlTest : public ::testing::Test {
protected:
    LinkControlTest() : client(transport, [this](const std::string& t) { window.showMessage(t); }) {
        link.attachMap(map);
        link.composeMessages();
        client.fsuipcInitialization();
    }

    test::FakeWindow window;
    test::FakeTransport transport;
    FsuipcClient client;
    LinkControl link{client, window};
    CountingMap map;
};

TEST_F(LinkControlTest, MessagesAreComposedExactly) {
    EXPECT_EQ(link.msgConnectFailed,
              "Connection to Flight Simulator failed!\r\n\r\nPress the <Connect> button at the "
              "bottom of the window to Connect after starting Flight Simulator");
    EXPECT_EQ(
        link.msgConnectLost,
        "Connection to Flight Simulator lost!\r\n\r\nPosition updates are no longer "
        "possible.\r\nPress the <Connect> button at the bottom of the window to Connect after "
        "starting Flight Simulator");
}

TEST_F(LinkControlTest, SuccessfulConnectPollsAndScalesTheMap) {
    link.connectLink();
    EXPECT_TRUE(client.isOpen());
    EXPECT_TRUE(link.fsConnected);
    EXPECT_EQ(link.linkState, LinkControl::Polling);
    EXPECT_EQ(window.text("cmdStatus"), "Pause");
    EXPECT_EQ(map.scales, 1);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(LinkControlTest, FailedConnectShowsTheFailedMessageAndOffersConnect) {
    transport.windowClasses.clear();
    link.connectLink();
    EXPECT_FALSE(client.isOpen());
    EXPECT_FALSE(link.fsConnected);
    EXPECT_EQ(link.linkState, LinkControl::NotConnected);
    EXPECT_EQ(window.text("cmdStatus"), "Connect");
    EXPECT_EQ(window.messages, std::vector<std::string>{link.msgConnectFailed});
    EXPECT_EQ(map.scales, 0);
}

TEST_F(LinkControlTest, StatusButtonFollowsTheStateTable) {
    transport.windowClasses.clear();
    link.connectLink();

    // 1 -> Connect; the simulator has started meanwhile.
    transport.windowClasses = {"UIPCMAIN"};
    link.cmdStatus_Click();
    EXPECT_EQ(link.linkState, LinkControl::Polling);
    EXPECT_EQ(window.text("cmdStatus"), "Pause");

    // 2 -> 3: polling stops, the link stays open.
    const int sendsBefore = transport.sends;
    link.cmdStatus_Click();
    EXPECT_EQ(link.linkState, LinkControl::Paused);
    EXPECT_EQ(window.text("cmdStatus"), "Start");
    EXPECT_TRUE(client.isOpen());
    EXPECT_TRUE(link.fsConnected);

    // 3 -> 2 without a new connection.
    link.cmdStatus_Click();
    EXPECT_EQ(link.linkState, LinkControl::Polling);
    EXPECT_EQ(window.text("cmdStatus"), "Pause");
    EXPECT_EQ(transport.sends, sendsBefore);
    EXPECT_EQ(map.scales, 1);
}

TEST_F(LinkControlTest, StatusInStartUpStateResumesPolling) {
    ASSERT_EQ(link.linkState, LinkControl::StartUp);
    link.cmdStatus_Click();
    EXPECT_EQ(link.linkState, LinkControl::Polling);
    EXPECT_EQ(window.text("cmdStatus"), "Pause");
}

TEST_F(LinkControlTest, LinkFailureClosesTheLinkFromAnyState) {
    for (const auto state :
         {LinkControl::NotConnected, LinkControl::Polling, LinkControl::Paused}) {
        link.connectLink();
        link.linkState = state;
        window.messages.clear();
        link.linkFailure(link.msgConnectLost);
        EXPECT_FALSE(client.isOpen());
        EXPECT_FALSE(link.fsConnected);
        EXPECT_EQ(link.linkState, LinkControl::NotConnected);
        EXPECT_EQ(window.text("cmdStatus"), "Connect");
        EXPECT_EQ(window.messages, std::vector<std::string>{link.msgConnectLost});
    }
}

TEST_F(LinkControlTest, ExitOnlyStopsTheLoop) {
    link.connectLink();
    link.appRunning = true;
    link.cmdExit_Click();
    EXPECT_FALSE(link.appRunning);
    EXPECT_EQ(link.linkState, LinkControl::Polling);
    EXPECT_TRUE(client.isOpen());
}

}  // namespace
}  // namespace tl
