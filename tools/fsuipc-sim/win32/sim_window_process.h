#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tl::sim {

// fsuipc-sim run as a child process on Windows, for tests: started with the arguments, and ready
// once its top-level window of the class exists. A window class is seen by every process on the
// desktop, so test processes running side by side take turns: each holds the turn from the start
// of its child until it is destroyed.
class SimWindowProcess {
public:
    // Waits for the turn, starts `executable` and waits (up to 10 s) for the child's window of
    // `windowClass`; throws std::runtime_error when either does not come.
    SimWindowProcess(const std::filesystem::path& executable,
                     const std::vector<std::string>& arguments,
                     const std::string& windowClass = "UIPCMAIN");
    ~SimWindowProcess();

    SimWindowProcess(const SimWindowProcess&) = delete;
    SimWindowProcess& operator=(const SimWindowProcess&) = delete;

    // Ends the child at once, as a crash would, and waits for it. The turn is kept.
    void stop();
    // Whether the child ends within `milliseconds`.
    bool endsWithin(DWORD milliseconds) const;

    // The command line for the arguments: each quoted, so that blanks and quotes survive.
    static std::wstring commandLine(const std::filesystem::path& executable,
                                    const std::vector<std::string>& arguments);

private:
    void takeTurn();
    void giveUpTurn();
    void waitForWindow(const std::string& windowClass);
    bool childHasWindow(const std::string& windowClass) const;

    HANDLE turn_ = nullptr;
    PROCESS_INFORMATION child_{};
};

}  // namespace tl::sim
