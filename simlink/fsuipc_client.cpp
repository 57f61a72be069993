#include "simlink/fsuipc_client.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <sstream>
#include <utility>

#include "simlink/fsuipc_request_area.h"
#include "simlink/fsuipc_simulator_memory.h"

namespace tl {

namespace {
constexpr const char* messageName = "FSASMLIB:IPC";
constexpr const char* mainWindowClass = "UIPCMAIN";
constexpr const char* fs98WindowClass = "FS98MAIN";
constexpr std::int32_t oldestFsuipc = 0x19980005;
constexpr int maxVersionPasses = 5;
}  // namespace

FsuipcClient::FsuipcClient(FsuipcTransport& transport,
                           std::function<void(const std::string&)> showMessage)
    : transport_(transport), showMessage_(std::move(showMessage)) {}

FsuipcClient::~FsuipcClient() {
    try {
        fsuipcClose();
    } catch (const std::exception&) {
        // Nothing is left to report to at this point.
    }
}

std::string FsuipcClient::requestAreaName() const {
    std::ostringstream name;
    name << messageName << ':' << std::uppercase << std::hex << transport_.currentProcessId()
         << ":1";
    return name.str();
}

void FsuipcClient::fsuipcInitialization() {
    try {
        // A link left open would keep the request area's name taken for every later open.
        fsuipcClose();
    } catch (const std::exception&) {
        showMessage_("error: FSUIPC Initialiizaton");
    }
}

bool FsuipcClient::fsuipcOpen(std::uint32_t requiredVersion, std::uint32_t& result) {
    try {
        return openLink(requiredVersion, result);
    } catch (const std::exception&) {
        showMessage_("error: FSUIPC Open");
        return false;
    }
}

bool FsuipcClient::openLink(std::uint32_t requiredVersion, std::uint32_t& result) {
    if (ipcView_ != nullptr) {
        // The open link and the versions it found stay as they are.
        result = AlreadyOpen;
        return false;
    }
    fsuipcVersion_ = 0;
    fsVersion_ = 0;
    bool foundAsFs98 = false;
    fsWindow_ = transport_.findWindow(mainWindowClass);
    if (fsWindow_ == 0) {
        fsWindow_ = transport_.findWindow(fs98WindowClass);
        foundAsFs98 = true;
    }
    if (fsWindow_ == 0) {
        result = NoWindow;
        return false;
    }
    const auto fail = [this, &result](Result code) {
        result = code;
        fsuipcClose();
        return false;
    };
    ipcMessageId_ = transport_.registerWindowMessage(messageName);
    if (ipcMessageId_ == 0) {
        return fail(NoMessage);  // gives the window back
    }
    const std::string name = requestAreaName();
    ipcAtom_ = transport_.addAtom(name.c_str());
    if (ipcAtom_ == 0) {
        return fail(NoAtom);
    }
    ipcMapping_ = transport_.createFileMapping(name.c_str(), RequestArea::size);
    if (ipcMapping_ == 0 || transport_.lastError() == FsuipcTransport::errorAlreadyExists) {
        return fail(NoRequestArea);
    }
    ipcView_ = transport_.mapView(ipcMapping_);
    if (ipcView_ == nullptr) {
        return fail(NoView);
    }
    ipcNext_ = 0;
    if (!versionPasses(result)) {
        fsuipcClose();
        return false;
    }
    if (fsuipcVersion_ < oldestFsuipc || (fsVersion_ >> 16) != SimulatorMemory::checkPattern) {
        return fail(foundAsFs98 ? BadVersionFs98 : BadVersion);
    }
    fsVersion_ &= 0xFFFF;
    if (requiredVersion != 0 && requiredVersion != fsVersion_) {
        return fail(WrongSimulator);
    }
    result = Ok;
    return true;
}

bool FsuipcClient::versionPasses(std::uint32_t& result) {
    for (int pass = 0; pass < maxVersionPasses && (fsuipcVersion_ == 0 || fsVersion_ == 0);
         ++pass) {
        const bool done =
            fsuipcRead(SimulatorMemory::fsuipcVersionOffset, 4, &fsuipcVersion_, result) &&
            fsuipcRead(SimulatorMemory::fsVersionOffset, 4, &fsVersion_, result) &&
            (pass != 0 ||
             fsuipcWrite(SimulatorMemory::checkPatternOffset, 2, &libVersion_, result)) &&
            fsuipcProcess(result);
        if (!done) {
            return false;
        }
        transport_.sleep(waitMs);
    }
    return true;
}

void FsuipcClient::fsuipcClose() {
    // Each field is cleared before its release, and every release is tried even when one fails;
    // the first failure is passed on afterwards.
    std::exception_ptr failure;
    const auto release = [&failure](auto&& step) {
        try {
            step();
        } catch (...) {
            if (!failure) {
                failure = std::current_exception();
            }
        }
    };
    if (const auto window = std::exchange(fsWindow_, 0); window != 0) {
        release([&] { transport_.releaseWindow(window); });
    }
    ipcMessageId_ = 0;
    ipcNext_ = 0;
    destinations_.clear();
    if (const auto atom = std::exchange(ipcAtom_, 0); atom != 0) {
        release([&] { transport_.deleteAtom(atom); });
    }
    if (auto* view = std::exchange(ipcView_, nullptr); view != nullptr) {
        release([&] { transport_.unmapView(view); });
    }
    if (const auto mapping = std::exchange(ipcMapping_, 0); mapping != 0) {
        release([&] { transport_.closeHandle(mapping); });
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

bool FsuipcClient::mayQueue(std::uint32_t headerSize, std::uint32_t size,
                            std::uint32_t& result) const {
    if (ipcView_ == nullptr) {
        result = NotOpen;
        return false;
    }
    if (!RequestArea::fits(ipcNext_, headerSize, size)) {
        result = NoRoom;
        return false;
    }
    return true;
}

bool FsuipcClient::fsuipcRead(std::uint32_t offset, std::uint32_t size, void* destination,
                              std::uint32_t& result) {
    if (!mayQueue(RequestArea::readHeaderSize, size, result)) {
        return false;
    }
    std::uint32_t tag = 0;
    if (destination != nullptr && size != 0) {
        destinations_.push_back({destination, size});
        tag = static_cast<std::uint32_t>(destinations_.size());
    }
    ipcNext_ = RequestArea(ipcView_).putRead(ipcNext_, offset, size, tag);
    result = Ok;
    return true;
}

bool FsuipcClient::fsuipcWrite(std::uint32_t offset, std::uint32_t size, const void* source,
                               std::uint32_t& result) {
    if (!mayQueue(RequestArea::writeHeaderSize, size, result)) {
        return false;
    }
    ipcNext_ = RequestArea(ipcView_).putWrite(ipcNext_, offset, size, source);
    result = Ok;
    return true;
}

bool FsuipcClient::fsuipcProcess(std::uint32_t& result) {
    if (ipcView_ == nullptr) {
        result = NotOpen;
        return false;
    }
    if (ipcNext_ == 0) {
        result = NothingQueued;
        return false;
    }
    RequestArea(ipcView_).putEnd(ipcNext_);
    ipcNext_ = 0;
    const std::vector<Destination> reads = std::exchange(destinations_, {});
    std::uintptr_t reply = 0;
    if (!send(reply, result)) {
        return false;
    }
    if (reply != 1 || !copyReads(reads)) {
        result = NotAccepted;
        return false;
    }
    result = Ok;
    return true;
}

bool FsuipcClient::send(std::uintptr_t& reply, std::uint32_t& result) {
    // The atom travels as a signed 16-bit number widened to the parameter's size.
    const auto wParam = static_cast<std::uintptr_t>(
        static_cast<std::intptr_t>(static_cast<std::int16_t>(ipcAtom_)));
    for (int sends = 1;; ++sends) {
        if (transport_.sendMessageTimeout(fsWindow_, ipcMessageId_, wParam, 0, sendTimeoutMs,
                                          reply)) {
            return true;
        }
        if (sends == maxSends) {
            result = transport_.lastError() == 0 ? TimedOut : NotDelivered;
            return false;
        }
        transport_.sleep(waitMs);
    }
}

bool FsuipcClient::copyReads(const std::vector<Destination>& reads) {
    const auto end = RequestArea(ipcView_).scan(0, [&reads](const RequestArea::Record& record) {
        if (record.kind != RequestArea::readRecord || record.tag == 0 ||
            record.tag > reads.size()) {
            return;
        }
        const Destination& read = reads[record.tag - 1];
        const auto count = std::min<std::size_t>(record.data.size(), read.size);
        std::memcpy(read.address, record.data.data(), count);
    });
    return end == RequestArea::ScanEnd::EndMark;
}

}  // namespace tl
