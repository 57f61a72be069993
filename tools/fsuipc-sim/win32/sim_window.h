#pragma once

#include <windows.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "tools/fsuipc-sim/sim_options.h"
#include "tools/fsuipc-sim/sim_requests.h"

namespace tl::sim {

// The stand-in server on Windows: a hidden top-level window of the chosen class that answers the
// registered message "FSASMLIB:IPC" by carrying out the records of the request area that the
// message's atom names.
class SimWindow {
public:
    SimWindow(const SimOptions& options, SimRequests& requests, std::ostream& log);
    ~SimWindow();

    SimWindow(const SimWindow&) = delete;
    SimWindow& operator=(const SimWindow&) = delete;

    // Registers the class and creates the window; false with `problem` set when a window of that
    // class exists already or the system refuses.
    bool create(std::string& problem);
    // Runs the message loop until the window is closed or the thread is told to quit.
    void run();

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    // The reply to one message, its records carried out unless a fault says otherwise.
    LRESULT answer(WPARAM wParam, LPARAM lParam, bool faulted);

    const SimOptions& options_;
    SimRequests& requests_;
    std::ostream& log_;
    UINT ipcMessage_ = 0;
    HWND window_ = nullptr;
    std::uint32_t messages_ = 0;
};

}  // namespace tl::sim
