#include "core/link_control.h"

namespace tl {

namespace {
constexpr const char* crlf = "\r\n";
constexpr const char* connectHint =
    "Press the <Connect> button at the bottom of the window to Connect after starting Flight "
    "Simulator";
}  // namespace

LinkControl::LinkControl(FsuipcClient& client, Window& window) : client_(client), window_(window) {}

void LinkControl::composeMessages() {
    msgConnectFailed = std::string("Connection to Flight Simulator failed!") + crlf + crlf + connectHint;
    msgConnectLost = std::string("Connection to Flight Simulator lost!") + crlf + crlf +
                     "Position updates are no longer possible." + crlf + connectHint;
}

void LinkControl::connectLink() {
    std::uint32_t result = 0;
    if (client_.fsuipcOpen(0, result)) {
        fsConnected = true;
        linkState = Polling;
        window_.setText("cmdStatus", "Pause");
        if (map_ != nullptr) {
            map_->scaleMap();
        }
    } else {
        linkFailure(msgConnectFailed);
    }
}

void LinkControl::linkFailure(const std::string& message) {
    client_.fsuipcClose();
    linkState = NotConnected;
    fsConnected = false;
    window_.setText("cmdStatus", "Connect");
    window_.showMessage(message);
}

void LinkControl::cmdStatus_Click() {
    switch (linkState) {
        case NotConnected:
            connectLink();
            break;
        case Polling:
            linkState = Paused;
            window_.setText("cmdStatus", "Start");
            break;
        default:
            linkState = Polling;
            window_.setText("cmdStatus", "Pause");
            break;
    }
}

}  // namespace tl
