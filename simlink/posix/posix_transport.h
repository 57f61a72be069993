#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "simlink/fsuipc_transport.h"

namespace tl {

// The FSUIPC transport on POSIX systems: a window of class C is the Unix-domain socket
// D/C of the rendezvous folder D, a window handle names one connection to it, atoms live in this
// process and travel by name in every request frame, and the request area is POSIX shared memory.
class PosixTransport : public FsuipcTransport {
public:
    PosixTransport() = default;
    // Closes connections and releases mappings and views still held.
    ~PosixTransport() override;

    PosixTransport(const PosixTransport&) = delete;
    PosixTransport& operator=(const PosixTransport&) = delete;

    WindowHandle findWindow(const char* className) override;
    void releaseWindow(WindowHandle window) override;
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
    std::uint32_t lastError() override { return lastError_; }
    void sleep(std::uint32_t milliseconds) override;

private:
    struct Connection {
        int fd = -1;
        // The errno that broke the connection; a broken connection stays broken.
        int error = 0;
        std::uint32_t sequence = 0;
        // Bytes of requests not yet written and of replies not yet taken, kept across time-outs so
        // that the stream stays in step.
        std::vector<std::uint8_t> output;
        std::vector<std::uint8_t> input;
    };
    struct Atom {
        std::string name;
        int references = 0;
    };
    struct Mapping {
        int fd = -1;
        std::string object;
        std::size_t size = 0;
    };
    enum class Outcome { Answered, TimedOut, Broken };

    Outcome exchange(Connection& connection, std::uint32_t timeoutMs, std::uintptr_t& reply);
    // Takes whole replies from the input; Answered when the reply to the last request was there.
    std::optional<Outcome> takeReplies(Connection& connection, std::uintptr_t& reply);
    void breakConnection(Connection& connection, int error);

    std::uint32_t lastError_ = 0;
    Handle nextHandle_ = 0;
    std::map<WindowHandle, Connection> connections_;
    std::map<std::uint16_t, Atom> atoms_;
    std::map<Handle, Mapping> mappings_;
    std::map<std::uint8_t*, std::size_t> views_;
};

}  // namespace tl
