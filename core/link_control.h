#pragma once

#include <cstdint>
#include <string>

#include "core/map_scaling.h"
#include "core/window.h"
#include "simlink/fsuipc_client.h"

namespace tl {

// The connection to the simulator as the user drives it: the Start/Pause/Connect button, the
// lost-link handling and the Exit command.
class LinkControl {
public:
    enum State : std::uint8_t { StartUp = 0, NotConnected = 1, Polling = 2, Paused = 3 };

    LinkControl(FsuipcClient& client, Window& window);

    // The map is set up around the aircraft after every successful connect.
    void attachMap(MapScaling& map) { map_ = &map; }

    void composeMessages();
    void connectLink();
    void linkFailure(const std::string& message);

    void cmdStatus_Click();
    void cmdExit_Click() { appRunning = false; }

    bool appRunning = false;
    bool fsConnected = false;
    std::uint8_t linkState = StartUp;
    std::string msgConnectFailed;
    std::string msgConnectLost;

private:
    FsuipcClient& client_;
    Window& window_;
    MapScaling* map_ = nullptr;
};

}  // namespace tl
