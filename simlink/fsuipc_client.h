#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "simlink/fsuipc_transport.h"

namespace tl {

// The FSUIPC client: finds FSUIPC's window, creates the shared request area, checks versions, and
// carries queued read and write requests to the simulator in single exchanges.
class FsuipcClient {
public:
    // `showMessage` shows the client's own messages for unexpected failures
    // ("error: FSUIPC Open", "error: FSUIPC Initialiizaton").
    FsuipcClient(FsuipcTransport& transport, std::function<void(const std::string&)> showMessage);
    ~FsuipcClient();

    FsuipcClient(const FsuipcClient&) = delete;
    FsuipcClient& operator=(const FsuipcClient&) = delete;

    void fsuipcInitialization();
    bool fsuipcOpen(std::uint32_t requiredVersion, std::uint32_t& result);
    void fsuipcClose();
    bool fsuipcRead(std::uint32_t offset, std::uint32_t size, void* destination,
                    std::uint32_t& result);
    bool fsuipcWrite(std::uint32_t offset, std::uint32_t size, const void* source,
                     std::uint32_t& result);
    bool fsuipcProcess(std::uint32_t& result);

    bool isOpen() const;
    std::int32_t fsuipcVersion() const { return fsuipcVersion_; }
    std::uint32_t fsVersion() const { return fsVersion_; }
    // "FSASMLIB:IPC:<pid in hex>:1"
    std::string requestAreaName() const;

private:
    // Implementation state: see fsuipc_client.cpp.
    FsuipcTransport& transport_;
    std::function<void(const std::string&)> showMessage_;
    std::int32_t fsuipcVersion_ = 0;
    std::uint32_t fsVersion_ = 0;
};

}  // namespace tl
