#pragma once

#include "core/error_reporter.h"
#include "core/event_pump.h"
#include "core/link_control.h"
#include "core/poller.h"
#include "core/window.h"
#include "simlink/fsuipc_client.h"

namespace tl {

// Terralevel's entry point and only loop: shows the window, connects, then polls the aircraft and
// hands control to the window system until Exit.
class MainLoop {
public:
    MainLoop(Window& window, EventPump& pump, ErrorReporter& errors, FsuipcClient& client,
             LinkControl& link, Poller& poller);

    void Main();

private:
    Window& window_;
    EventPump& pump_;
    ErrorReporter& errors_;
    FsuipcClient& client_;
    LinkControl& link_;
    Poller& poller_;
};

}  // namespace tl
