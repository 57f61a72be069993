#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "simlink/fsuipc_request_area.h"
#include "simlink/fsuipc_simulator_memory.h"
#include "simlink/fsuipc_transport.h"

namespace tl::test {

// An in-process stand-in for the platform and for FSUIPC behind it. By default a "UIPCMAIN" window
// exists and every delivered message carries out the queued records against `memory`, which holds
// FSUIPC 3.999, FS2004 and the check pattern:
//
//     FakeTransport fake;
//     fake.memory.write<std::int64_t>(0x0560, latitude);
//     FsuipcClient client(fake, show);
//
// Switches make single operations fail, sends time out or fail, or the reply differ; `onExchange`
// may rewrite the request area after the records were carried out. Counters tell what was called.
class FakeTransport : public FsuipcTransport {
public:
    // What the next sends do, one entry used per send; when empty, sends are delivered.
    enum class Send { Deliver, TimeOut, Fail };

    FakeTransport();

    WindowHandle findWindow(const char* className) override;
    void releaseWindow(WindowHandle window) override;
    std::uint32_t registerWindowMessage(const char* name) override;
    std::uint32_t currentProcessId() override { return processId; }
    std::uint16_t addAtom(const char* name) override;
    void deleteAtom(std::uint16_t atom) override;
    Handle createFileMapping(const char* name, std::uint32_t size) override;
    std::uint8_t* mapView(Handle mapping) override;
    void unmapView(std::uint8_t* view) override;
    void closeHandle(Handle handle) override;
    bool sendMessageTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t lParam, std::uint32_t timeoutMs,
                            std::uintptr_t& reply) override;
    std::uint32_t lastError() override { return lastError_; }
    void sleep(std::uint32_t milliseconds) override { sleeps.push_back(milliseconds); }

    // Makes every one of the next `count` sends end as `outcome`.
    void failSends(int count, Send outcome);

    // The simulator behind the window.
    SimulatorMemory memory;
    // Window classes that exist.
    std::set<std::string> windowClasses{"UIPCMAIN"};
    std::uint32_t processId = 500;
    // Names of mappings that exist outside this process (creating one gives error 183).
    std::set<std::string> foreignMappings;
    bool registerFails = false;
    bool atomFails = false;
    bool mappingFails = false;
    bool mapFails = false;
    // The reply of a delivered message; anything but 1 leaves the records undone.
    std::uintptr_t reply = 1;
    // The last error of a failed delivery.
    std::uint32_t deliveryError = 1400;
    std::vector<Send> sendOutcomes;
    // Runs after a delivered message's records were carried out, before the reply.
    std::function<void(RequestArea&)> onExchange;
    // The name of an operation ("findWindow", "addAtom", "createFileMapping", "mapView",
    // "sendMessageTimeout", "releaseWindow", "deleteAtom", "unmapView", "closeHandle") that throws.
    std::string throwIn;

    // What was called.
    int sends = 0;
    int delivered = 0;
    std::vector<std::uint32_t> sleeps;
    std::vector<std::string> windowsSearched;
    std::vector<std::string> mappingNames;
    std::uintptr_t lastWParam = 0;
    std::intptr_t lastLParam = 0;
    std::uint32_t lastTimeoutMs = 0;
    std::uint32_t lastMessage = 0;
    // Windows, atoms, mappings and views currently held by the client.
    std::set<WindowHandle> windows;
    std::map<std::uint16_t, std::string> atoms;
    std::map<Handle, std::string> mappings;
    std::set<std::uint8_t*> views;

    // The request area of the mapping `name` (it stays after the mapping is closed).
    std::vector<std::uint8_t>& area(const std::string& name) { return areas_[name]; }

private:
    void maybeThrow(const char* operation) const;
    std::uint32_t carryOut(std::uintptr_t wParam, std::intptr_t lParam);

    std::uint32_t lastError_ = 0;
    WindowHandle nextWindow_ = 0x100;
    std::uint16_t nextAtom_ = 0xC000;
    Handle nextHandle_ = 0x10;
    std::map<std::string, std::vector<std::uint8_t>> areas_;
};

}  // namespace tl::test
