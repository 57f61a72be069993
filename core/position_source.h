#pragma once

namespace tl {

// Reads the aircraft's position from the simulator into the window's state and labels.
class PositionSource {
public:
    virtual ~PositionSource() = default;
    virtual void getPosition() = 0;
};

}  // namespace tl
