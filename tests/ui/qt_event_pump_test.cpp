// The yield to the window system: runs what is waiting, waits without spinning, pauses.
#include "ui/qt_event_pump.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include "tests/ui/qt_application.h"

namespace tl {
namespace {

class QtEventPumpTest : public ::testing::Test {
protected:
    QApplication& application = test::qtApplication();
    QtEventPump pump;
};

TEST_F(QtEventPumpTest, YieldRunsTheWaitingEventsAndReturns) {
    int ran = 0;
    QTimer::singleShot(0, [&] { ++ran; });
    QTimer::singleShot(0, [&] { ++ran; });
    pump.yield();
    EXPECT_EQ(ran, 2);
    // Nothing waiting: it returns at once.
    pump.yield();
    EXPECT_EQ(ran, 2);
}

TEST_F(QtEventPumpTest, YieldsInQuickSuccessionRunTheEventsAtMostOncePerInterval) {
    int ran = 0;
    pump.yield();
    QTimer::singleShot(0, [&] { ++ran; });
    QElapsedTimer clock;
    clock.start();
    int yields = 0;
    while (ran == 0 && clock.elapsed() < 2000) {
        pump.yield();
        ++yields;
    }
    // The event ran, at the first yield a full interval after the last run of the events.
    EXPECT_EQ(ran, 1);
    EXPECT_GE(clock.nsecsElapsed(), QtEventPump::yieldIntervalNs / 2);
    EXPECT_GT(yields, 1);
    // A wait always runs them and starts a new interval.
    QTimer::singleShot(0, [&] { ++ran; });
    pump.waitForEvents();
    EXPECT_EQ(ran, 2);
}

TEST_F(QtEventPumpTest, WaitForEventsSleepsUntilAnEventArrives) {
    bool arrived = false;
    QTimer::singleShot(150, [&] { arrived = true; });
    QElapsedTimer clock;
    clock.start();
    int turns = 0;
    while (!arrived && turns < 1000000) {
        pump.waitForEvents();
        ++turns;
    }
    EXPECT_TRUE(arrived);
    EXPECT_GE(clock.elapsed(), 100);
    // A loop that spun instead of waiting would have turned many thousands of times.
    EXPECT_LE(turns, 20);
}

TEST_F(QtEventPumpTest, PauseSleepsForPositiveTimesOnly) {
    QElapsedTimer clock;
    clock.start();
    pump.pause(60);
    EXPECT_GE(clock.elapsed(), 60);
    clock.restart();
    pump.pause(0);
    pump.pause(-2000000000);
    EXPECT_LT(clock.elapsed(), 1000);
}

}  // namespace
}  // namespace tl
