#pragma once

namespace tl {

// One poll of the aircraft's position by the main loop.
class Poller {
public:
    virtual ~Poller() = default;
    virtual void plotPosition() = 0;
};

}  // namespace tl
