#include "simlink/win32/win32_transport.h"

#include <windows.h>

namespace tl {

FsuipcTransport::WindowHandle Win32Transport::findWindow(const char* className) {
    return reinterpret_cast<WindowHandle>(FindWindowExA(nullptr, nullptr, className, nullptr));
}

std::uint32_t Win32Transport::registerWindowMessage(const char* name) {
    return RegisterWindowMessageA(name);
}

std::uint32_t Win32Transport::currentProcessId() {
    return GetCurrentProcessId();
}

std::uint16_t Win32Transport::addAtom(const char* name) {
    return GlobalAddAtomA(name);
}

void Win32Transport::deleteAtom(std::uint16_t atom) {
    GlobalDeleteAtom(atom);
}

FsuipcTransport::Handle Win32Transport::createFileMapping(const char* name, std::uint32_t size) {
    // Backed by the paging file; GetLastError then tells ERROR_ALREADY_EXISTS (183).
    return reinterpret_cast<Handle>(
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name));
}

std::uint8_t* Win32Transport::mapView(Handle mapping) {
    return static_cast<std::uint8_t*>(
        MapViewOfFile(reinterpret_cast<HANDLE>(mapping), FILE_MAP_WRITE, 0, 0, 0));
}

void Win32Transport::unmapView(std::uint8_t* view) {
    UnmapViewOfFile(view);
}

void Win32Transport::closeHandle(Handle handle) {
    CloseHandle(reinterpret_cast<HANDLE>(handle));
}

bool Win32Transport::sendMessageTimeout(WindowHandle window, std::uint32_t message,
                                        std::uintptr_t wParam, std::intptr_t lParam,
                                        std::uint32_t timeoutMs, std::uintptr_t& reply) {
    DWORD_PTR result = 0;
    const LRESULT delivered =
        SendMessageTimeoutA(reinterpret_cast<HWND>(window), message, static_cast<WPARAM>(wParam),
                            static_cast<LPARAM>(lParam), SMTO_BLOCK, timeoutMs, &result);
    if (delivered == 0 && GetLastError() == ERROR_TIMEOUT) {
        // The system names a time-out ERROR_TIMEOUT; the client tells a time-out (result 11) from
        // a failed delivery (12) by a last error of 0, so a time-out reports no error.
        SetLastError(ERROR_SUCCESS);
    }
    reply = result;
    return delivered != 0;
}

std::uint32_t Win32Transport::lastError() {
    return GetLastError();
}

void Win32Transport::sleep(std::uint32_t milliseconds) {
    Sleep(milliseconds);
}

}  // namespace tl
