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
    // Result codes of the operations.
    enum Result : std::uint32_t {
        Ok = 0,
        AlreadyOpen = 1,
        NoWindow = 2,
        NoMessage = 3,
        NoAtom = 4,
        NoRequestArea = 5,
        NoView = 6,
        BadVersion = 7,
        WrongSimulator = 8,
        NotOpen = 9,
        NothingQueued = 10,
        TimedOut = 11,
        NotDelivered = 12,
        NotAccepted = 13,
        BadVersionFs98 = 14,
        NoRoom = 15,
    };

    static constexpr std::uint32_t sendTimeoutMs = 2000;
    static constexpr int maxSends = 10;
    static constexpr std::uint32_t waitMs = 100;

    // `showMessage` shows the client's own messages for unexpected failures
    // ("error: FSUIPC Open", "error: FSUIPC Initialiizaton").
    FsuipcClient(FsuipcTransport& transport, std::function<void(const std::string&)> showMessage);
    // Releases whatever the link still holds.
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

    bool isOpen() const { return ipcView_ != nullptr; }
    std::int32_t fsuipcVersion() const { return fsuipcVersion_; }
    std::uint32_t fsVersion() const { return fsVersion_; }
    // "FSASMLIB:IPC:<pid in hex>:1"
    std::string requestAreaName() const;

private:
    // A queued read: where its bytes go and how many the caller asked for.
    struct Destination {
        void* address;
        std::uint32_t size;
    };

    bool openLink(std::uint32_t requiredVersion, std::uint32_t& result);
    // Whether a request of `headerSize` + `size` bytes may be queued; sets result 9 or 15 if not.
    bool mayQueue(std::uint32_t headerSize, std::uint32_t size, std::uint32_t& result) const;
    bool versionPasses(std::uint32_t& result);
    // Sends the message, up to maxSends times; false with the result code when none was delivered.
    bool send(std::uintptr_t& reply, std::uint32_t& result);
    // Copies the data of the answered reads to their destinations; false when a record it cannot
    // trust stopped the scan.
    bool copyReads(const std::vector<Destination>& reads);

    FsuipcTransport& transport_;
    std::function<void(const std::string&)> showMessage_;

    FsuipcTransport::WindowHandle fsWindow_ = 0;
    std::uint32_t ipcMessageId_ = 0;
    std::uint16_t ipcAtom_ = 0;
    FsuipcTransport::Handle ipcMapping_ = 0;
    std::uint8_t* ipcView_ = nullptr;
    // Where the next record goes, from the start of the request area; 0 when nothing is queued.
    std::uint32_t ipcNext_ = 0;
    // The queued reads; a read record's destination field holds its index here plus one, so that
    // nothing another process writes into the request area can choose where the client copies to.
    std::vector<Destination> destinations_;

    std::int32_t fsuipcVersion_ = 0;
    std::uint32_t fsVersion_ = 0;
    std::uint16_t libVersion_ = 0;
};

}  // namespace tl
