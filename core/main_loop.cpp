#include "core/main_loop.h"

namespace tl {

MainLoop::MainLoop(Window& window, EventPump& pump, ErrorReporter& errors, FsuipcClient& client,
                   LinkControl& link, Poller& poller)
    : window_(window), pump_(pump), errors_(errors), client_(client), link_(link), poller_(poller) {}

void MainLoop::Main() {
    errors_.guard("Main", [this] {
        link_.composeMessages();
        window_.show();
        client_.fsuipcInitialization();
        link_.connectLink();
        link_.appRunning = true;
        while (link_.appRunning) {
            if (link_.linkState == LinkControl::Polling && link_.fsConnected) {
                poller_.plotPosition();
                pump_.yield();
            } else {
                // Nothing to poll: sleep until the window system has something for us.
                pump_.waitForEvents();
            }
        }
    });
    window_.unload();
    client_.fsuipcClose();
}

}  // namespace tl
