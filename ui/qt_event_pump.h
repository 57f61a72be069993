#pragma once

#include <QElapsedTimer>

#include "core/event_pump.h"

namespace tl {

// The program's yield to Qt: runs the waiting window events; waits for one when told to, so that
// an idle program uses no processor.
class QtEventPump : public EventPump {
public:
    // A yield within this time of the last run of the events returns at once: a redraw yields
    // after every outline edge, tens of thousands of times, and a run of the events costs
    // microseconds even when nothing waits. Nothing a user does is that quick.
    static constexpr qint64 yieldIntervalNs = 1'000'000;

    void yield() override;
    void waitForEvents() override;
    void pause(int milliseconds) override;

private:
    QElapsedTimer sinceEvents_;
};

}  // namespace tl
