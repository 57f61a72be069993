#pragma once

#include "simlink/fsuipc_transport.h"

namespace tl {

// The FSUIPC transport on Windows: the real window, atom, file-mapping and message calls.
class Win32Transport : public FsuipcTransport {
public:
    WindowHandle findWindow(const char* className) override;
    void releaseWindow(WindowHandle) override {}
    std::uint32_t registerWindowMessage(const char* name) override;
    std::uint32_t currentProcessId() override;
    std::uint16_t addAtom(const char* name) override;
    void deleteAtom(std::uint16_t atom) override;
    Handle createFileMapping(const char* name, std::uint32_t size) override;
    std::uint8_t* mapView(Handle mapping) override;
    void unmapView(std::uint8_t* view) override;
    void closeHandle(Handle handle) override;
    bool sendMessageTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t lParam, std::uint32_t timeoutMs,
                            std::uintptr_t& reply) override;
    std::uint32_t lastError() override;
    void sleep(std::uint32_t milliseconds) override;
};

}  // namespace tl
