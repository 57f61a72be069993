#pragma once

#include "core/event_pump.h"

namespace tl {

// The program's yield to Qt: runs the waiting window events; waits for one when told to, so that
// an idle program uses no processor.
class QtEventPump : public EventPump {
public:
    void yield() override;
    void waitForEvents() override;
    void pause(int milliseconds) override;
};

}  // namespace tl
