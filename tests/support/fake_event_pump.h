#pragma once

#include <functional>
#include <vector>

#include "core/event_pump.h"

namespace tl::test {

// Counts yields and records pauses; `onYield` stands in for the window events that a yield runs.
class FakeEventPump : public EventPump {
public:
    void yield() override {
        ++yields;
        if (onYield) {
            onYield();
        }
    }
    void waitForEvents() override {
        ++waits;
        if (onYield) {
            onYield();
        }
    }
    void pause(int milliseconds) override { pauses.push_back(milliseconds); }

    int yields = 0;
    int waits = 0;
    std::vector<int> pauses;
    std::function<void()> onYield;
};

}  // namespace tl::test
