#pragma once

#include <cstdint>

namespace tl {

// The Win32 operations that the FSUIPC client uses. Windows implements them with the real API;
// POSIX systems provide their effect over a Unix-domain socket and POSIX shared memory.
class FsuipcTransport {
public:
    using WindowHandle = std::uintptr_t;
    using Handle = std::uintptr_t;

    static constexpr std::uint32_t errorAlreadyExists = 183;

    virtual ~FsuipcTransport() = default;

    // A top-level window of the class, or 0.
    virtual WindowHandle findWindow(const char* className) = 0;
    // Gives up a window found by findWindow (a no-op on Windows; on POSIX it closes the connection
    // that the handle names).
    virtual void releaseWindow(WindowHandle window) = 0;
    // The number of a registered window message, or 0 on failure.
    virtual std::uint32_t registerWindowMessage(const char* name) = 0;
    virtual std::uint32_t currentProcessId() = 0;
    // A global atom holding the name, or 0 on failure.
    virtual std::uint16_t addAtom(const char* name) = 0;
    virtual void deleteAtom(std::uint16_t atom) = 0;
    // A named read-write mapping of `size` bytes, or 0; lastError() then tells whether an object
    // of that name already existed (errorAlreadyExists).
    virtual Handle createFileMapping(const char* name, std::uint32_t size) = 0;
    // The whole mapping's view for writing, or nullptr.
    virtual std::uint8_t* mapView(Handle mapping) = 0;
    virtual void unmapView(std::uint8_t* view) = 0;
    virtual void closeHandle(Handle handle) = 0;
    // Sends a message and waits up to `timeoutMs` for the reply. False when not delivered.
    virtual bool sendMessageTimeout(WindowHandle window, std::uint32_t message,
                                    std::uintptr_t wParam, std::intptr_t lParam,
                                    std::uint32_t timeoutMs, std::uintptr_t& reply) = 0;
    virtual std::uint32_t lastError() = 0;
    virtual void sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace tl
