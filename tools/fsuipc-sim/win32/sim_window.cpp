#include "tools/fsuipc-sim/win32/sim_window.h"

namespace tl::sim {

SimWindow::SimWindow(const SimOptions& options, SimRequests& requests, std::ostream& log)
    : options_(options), requests_(requests), log_(log) {}

SimWindow::~SimWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

bool SimWindow::create(std::string& problem) {
    const char* className = options_.windowClass.c_str();
    if (FindWindowExA(nullptr, nullptr, className, nullptr) != nullptr) {
        problem = "a window of class " + options_.windowClass + " exists already";
        return false;
    }
    ipcMessage_ = RegisterWindowMessageA("FSASMLIB:IPC");
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    if (ipcMessage_ == 0 || RegisterClassA(&windowClass) == 0) {
        problem = "cannot register the window class (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    window_ = CreateWindowExA(0, className, "fsuipc-sim", WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                              nullptr, windowClass.hInstance, this);
    if (window_ == nullptr) {
        problem = "cannot create the window (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    return true;
}

void SimWindow::run() {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

LRESULT CALLBACK SimWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<SimWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr || message != self->ipcMessage_ || self->ipcMessage_ == 0) {
        if (message == WM_DESTROY) {
            PostQuitMessage(0);
        } else if (message == WM_NCDESTROY && self != nullptr) {
            self->window_ = nullptr;  // gone: nothing left for the destructor to destroy
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    const bool faulted = self->options_.faulted(++self->messages_);
    if (faulted && self->options_.delayMs != 0) {
        Sleep(self->options_.delayMs);
    }
    const LRESULT result = self->answer(wParam, lParam, faulted);
    if (self->options_.verbose) {
        self->log_ << "fsuipc-sim: message " << self->messages_ << ": reply " << result << '\n';
    }
    if (self->options_.dropAfter && self->messages_ >= *self->options_.dropAfter) {
        // The window goes away, as a simulator that ends does.
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return result;
}

LRESULT SimWindow::answer(WPARAM wParam, LPARAM lParam, bool faulted) {
    if (const auto imposed = requests_.imposedReply(faulted)) {
        return static_cast<LRESULT>(*imposed);
    }
    char name[64] = {};
    const auto start = static_cast<std::uint32_t>(lParam);
    if (GlobalGetAtomNameA(static_cast<ATOM>(wParam), name, sizeof name) == 0 ||
        start >= RequestArea::size) {
        return 0;
    }
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
    if (mapping == nullptr) {
        log_ << "fsuipc-sim: request area " << name << ": error " << GetLastError() << '\n';
        return 0;
    }
    auto* view = static_cast<std::uint8_t*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
    MEMORY_BASIC_INFORMATION region{};
    LRESULT result = 0;
    if (view != nullptr && VirtualQuery(view, &region, sizeof region) != 0 &&
        region.RegionSize >= RequestArea::size) {
        RequestArea area(view);
        result = static_cast<LRESULT>(requests_.carryOut(area, start, faulted));
    }
    if (view != nullptr) {
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return result;
}

}  // namespace tl::sim
