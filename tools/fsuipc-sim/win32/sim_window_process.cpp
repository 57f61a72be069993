#include "tools/fsuipc-sim/win32/sim_window_process.h"

#include <chrono>
#include <stdexcept>
#include <thread>
#include <utility>

namespace tl::sim {

namespace {

// One argument quoted so that the C runtime's parser gives it back unchanged: backslashes before
// a quote, and the quotes themselves, are escaped.
std::wstring quoted(const std::wstring& argument) {
    std::wstring text = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        text.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        text += c;
    }
    text.append(backslashes * 2, L'\\');
    return text + L"\"";
}

}  // namespace

std::wstring SimWindowProcess::commandLine(const std::filesystem::path& executable,
                                           const std::vector<std::string>& arguments) {
    std::wstring line = quoted(executable.wstring());
    for (const std::string& argument : arguments) {
        line += L" " + quoted(std::filesystem::path(argument).wstring());
    }
    return line;
}

SimWindowProcess::SimWindowProcess(const std::filesystem::path& executable,
                                   const std::vector<std::string>& arguments,
                                   const std::string& windowClass) {
    takeTurn();
    std::wstring line = commandLine(executable, arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(executable.wstring().c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &child_)) {
        const DWORD error = GetLastError();
        giveUpTurn();
        throw std::runtime_error("cannot start " + executable.string() + " (error " +
                                 std::to_string(error) + ")");
    }
    try {
        waitForWindow(windowClass);
    } catch (const std::runtime_error&) {
        stop();
        giveUpTurn();
        throw;
    }
}

SimWindowProcess::~SimWindowProcess() {
    stop();
    giveUpTurn();
}

void SimWindowProcess::takeTurn() {
    constexpr DWORD longestWait = 10 * 60 * 1000;
    turn_ = CreateMutexA(nullptr, FALSE, "fsuipc-sim test window turn");
    // An abandoned turn (its holder crashed) passes to the next waiter.
    const DWORD waited = turn_ == nullptr ? WAIT_FAILED : WaitForSingleObject(turn_, longestWait);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        if (turn_ != nullptr) {
            CloseHandle(std::exchange(turn_, nullptr));
        }
        throw std::runtime_error("no turn for a simulator window (wait " + std::to_string(waited) +
                                 ")");
    }
}

void SimWindowProcess::giveUpTurn() {
    if (turn_ != nullptr) {
        ReleaseMutex(turn_);
        CloseHandle(std::exchange(turn_, nullptr));
    }
}

void SimWindowProcess::stop() {
    if (child_.hProcess == nullptr) {
        return;
    }
    TerminateProcess(child_.hProcess, 1);
    WaitForSingleObject(child_.hProcess, INFINITE);
    CloseHandle(child_.hThread);
    CloseHandle(child_.hProcess);
    child_ = {};
}

bool SimWindowProcess::endsWithin(DWORD milliseconds) const {
    return child_.hProcess != nullptr &&
           WaitForSingleObject(child_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

void SimWindowProcess::waitForWindow(const std::string& windowClass) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (childHasWindow(windowClass)) {
            return;
        }
        if (endsWithin(0)) {
            throw std::runtime_error("fsuipc-sim ended before its window " + windowClass +
                                     " appeared");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    throw std::runtime_error("fsuipc-sim showed no window " + windowClass + " within 10 s");
}

bool SimWindowProcess::childHasWindow(const std::string& windowClass) const {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, windowClass.c_str(), nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == child_.dwProcessId) {
            return true;
        }
    }
    return false;
}

}  // namespace tl::sim
