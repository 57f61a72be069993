#pragma once

namespace tl {

// The window system's event delivery, on the program's one thread.
class EventPump {
public:
    virtual ~EventPump() = default;

    // Runs every window event waiting now, then returns.
    virtual void yield() = 0;
    // Waits until at least one window event arrives and runs the waiting events.
    virtual void waitForEvents() = 0;
    // Pauses the thread for a number of milliseconds (zero or less: no pause).
    virtual void pause(int milliseconds) = 0;
};

}  // namespace tl
