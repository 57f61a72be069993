#include "tests/support/fake_transport.h"

#include <stdexcept>

#include "simlink/fsuipc_record_executor.h"

namespace tl::test {

namespace {
constexpr std::uint32_t ipcMessage = 0xC123;
constexpr std::uint32_t notEnoughMemory = 8;
}  // namespace

FakeTransport::FakeTransport() = default;

void FakeTransport::maybeThrow(const char* operation) const {
    if (throwIn == operation) {
        throw std::runtime_error(std::string("fake failure in ") + operation);
    }
}

FsuipcTransport::WindowHandle FakeTransport::findWindow(const char* className) {
    maybeThrow("findWindow");
    windowsSearched.emplace_back(className);
    if (windowClasses.count(className) == 0) {
        return 0;
    }
    nextWindow_ += 4;
    windows.insert(nextWindow_);
    return nextWindow_;
}

void FakeTransport::releaseWindow(WindowHandle window) {
    maybeThrow("releaseWindow");
    windows.erase(window);
}

std::uint32_t FakeTransport::registerWindowMessage(const char* name) {
    if (registerFails) {
        return 0;
    }
    return std::string(name) == "FSASMLIB:IPC" ? ipcMessage : ipcMessage + 1;
}

std::uint16_t FakeTransport::addAtom(const char* name) {
    maybeThrow("addAtom");
    if (atomFails) {
        return 0;
    }
    const std::uint16_t atom = nextAtom_++;
    atoms[atom] = name;
    return atom;
}

void FakeTransport::deleteAtom(std::uint16_t atom) {
    maybeThrow("deleteAtom");
    atoms.erase(atom);
}

FsuipcTransport::Handle FakeTransport::createFileMapping(const char* name, std::uint32_t size) {
    maybeThrow("createFileMapping");
    if (mappingFails) {
        lastError_ = notEnoughMemory;
        return 0;
    }
    mappingNames.emplace_back(name);
    bool exists = foreignMappings.count(name) != 0;
    for (const auto& [handle, held] : mappings) {
        exists = exists || held == name;
    }
    nextHandle_ += 4;
    mappings[nextHandle_] = name;
    if (exists) {
        // As on Windows: a handle to the object that was there already.
        lastError_ = errorAlreadyExists;
        return nextHandle_;
    }
    areas_[name].assign(size, 0);
    lastError_ = 0;
    return nextHandle_;
}

std::uint8_t* FakeTransport::mapView(Handle mapping) {
    maybeThrow("mapView");
    const auto found = mappings.find(mapping);
    if (mapFails || found == mappings.end()) {
        return nullptr;
    }
    std::uint8_t* view = area(found->second).data();
    views.insert(view);
    return view;
}

void FakeTransport::unmapView(std::uint8_t* view) {
    maybeThrow("unmapView");
    views.erase(view);
}

void FakeTransport::closeHandle(Handle handle) {
    maybeThrow("closeHandle");
    mappings.erase(handle);
}

void FakeTransport::failSends(int count, Send outcome) {
    sendOutcomes.insert(sendOutcomes.end(), static_cast<std::size_t>(count), outcome);
}

bool FakeTransport::sendMessageTimeout(WindowHandle window, std::uint32_t message,
                                       std::uintptr_t wParam, std::intptr_t lParam,
                                       std::uint32_t timeoutMs, std::uintptr_t& answer) {
    maybeThrow("sendMessageTimeout");
    ++sends;
    lastMessage = message;
    lastWParam = wParam;
    lastLParam = lParam;
    lastTimeoutMs = timeoutMs;
    Send outcome = Send::Deliver;
    if (!sendOutcomes.empty()) {
        outcome = sendOutcomes.front();
        sendOutcomes.erase(sendOutcomes.begin());
    }
    if (windows.count(window) == 0) {
        outcome = Send::Fail;
    }
    if (outcome != Send::Deliver) {
        lastError_ = outcome == Send::TimeOut ? 0 : deliveryError;
        return false;
    }
    ++delivered;
    lastError_ = 0;
    answer = reply == 1 && message == ipcMessage ? carryOut(wParam, lParam) : reply;
    return true;
}

std::uint32_t FakeTransport::carryOut(std::uintptr_t wParam, std::intptr_t lParam) {
    const auto atom = atoms.find(static_cast<std::uint16_t>(wParam));
    if (atom == atoms.end() || areas_.count(atom->second) == 0 || lParam < 0 ||
        lParam >= static_cast<std::intptr_t>(RequestArea::size)) {
        return 0;
    }
    RequestArea requests(area(atom->second).data());
    const std::uint32_t result =
        carryOutRecords(requests, static_cast<std::uint32_t>(lParam), memory);
    if (onExchange) {
        onExchange(requests);
    }
    return result;
}

}  // namespace tl::test
