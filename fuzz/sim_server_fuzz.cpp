// The stand-in server reading whatever a client sends on its connection: frames that arrive whole,
// in pieces or spoiled, answered in order, and the records of the request area they name.
#include <fuzzer/FuzzedDataProvider.h>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "fuzz/support/fuzz_check.h"
#include "simlink/fsuipc_request_area.h"
#include "simlink/fsuipc_simulator_memory.h"
#include "simlink/posix/ipc_frame.h"
#include "simlink/posix/shared_memory.h"
#include "simlink/posix/unix_socket.h"
#include "tests/support/temp_folder.h"
#include "tools/fsuipc-sim/aircraft.h"
#include "tools/fsuipc-sim/sim_options.h"
#include "tools/fsuipc-sim/sim_requests.h"
#include "tools/fsuipc-sim/sim_server.h"

using tl::IpcFrame;
using tl::RequestArea;
using tl::UnixSocket;
using tl::fuzz::check;
using Clock = std::chrono::steady_clock;

namespace {

// A frame whose atom name is this stands for the request area of the rig, whose name holds the
// process id; so an input means the same in every process.
constexpr std::string_view rigAreaMark = "@";

// The server in a thread of its own, in a private rendezvous folder, and a request area.
class ServerRig {
public:
    ServerRig()
        : areaName_("FSASMLIB:IPC:" + std::to_string(getpid()) + ":F"),
          aircraft_(tl::sim::Aircraft::standing(options_.place)),
          requests_(options_, aircraft_, memory_),
          server_(options_, requests_, log_) {
        setenv("FSUIPC_IPC_DIR", folder_.path().c_str(), 1);
        std::string problem;
        check(server_.start(problem), "the server starts");
        int error = 0;
        const std::string object = tl::SharedMemory::objectName(areaName_);
        fd_ = tl::SharedMemory::createExclusive(object, RequestArea::size, error);
        check(fd_ >= 0, "the request area is created");
        view_ = tl::SharedMemory::map(fd_, RequestArea::size, error);
        check(view_ != nullptr, "the request area is mapped");
        thread_ = std::thread([this] { server_.run(stop_); });
    }
    ~ServerRig() {
        stop_ = 1;
        thread_.join();
        tl::SharedMemory::unmap(view_, RequestArea::size);
        close(fd_);
        shm_unlink(tl::SharedMemory::objectName(areaName_).c_str());
    }

    const std::string& areaName() const { return areaName_; }
    std::span<std::uint8_t, RequestArea::size> area() const {
        return std::span<std::uint8_t, RequestArea::size>(view_, RequestArea::size);
    }
    const std::string& socketPath() const { return server_.socketPath(); }

private:
    tl::test::TempFolder folder_;
    std::string areaName_;
    tl::sim::SimOptions options_;
    tl::SimulatorMemory memory_;
    tl::sim::Aircraft aircraft_;
    tl::sim::SimRequests requests_;
    std::ostream log_{nullptr};
    tl::sim::SimServer server_;
    volatile std::sig_atomic_t stop_ = 0;
    int fd_ = -1;
    std::uint8_t* view_ = nullptr;
    std::thread thread_;
};

std::span<const std::uint8_t, IpcFrame::requestSize> frameAt(const std::vector<std::uint8_t>& bytes,
                                                             std::size_t frame) {
    return std::span<const std::uint8_t, IpcFrame::requestSize>(
        bytes.data() + frame * IpcFrame::requestSize, IpcFrame::requestSize);
}

// A connection to the server; a full backlog (EAGAIN) is waited out until the deadline.
int connection(const std::string& socketPath, Clock::time_point deadline) {
    while (true) {
        int error = 0;
        const int fd = UnixSocket::connectTo(socketPath, error);
        if (fd >= 0 || error != EAGAIN || Clock::now() > deadline) {
            return fd;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool sendAll(int fd, const std::vector<std::uint8_t>& bytes, Clock::time_point deadline) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        int error = 0;
        short revents = 0;
        const ssize_t now =
            UnixSocket::sendSome(fd, bytes.data() + sent, bytes.size() - sent, error);
        if (now < 0) {
            return false;
        }
        sent += static_cast<std::size_t>(now);
        if (now == 0 && !UnixSocket::waitFor(fd, POLLOUT, deadline, revents, error)) {
            return false;
        }
    }
    return true;
}

// The replies that arrive until `wanted` are in, the server closes the connection or the deadline.
std::vector<IpcFrame::Reply> replies(int fd, std::size_t wanted, Clock::time_point deadline) {
    std::vector<IpcFrame::Reply> answered;
    std::vector<std::uint8_t> input;
    while (answered.size() < wanted) {
        std::uint8_t chunk[256];
        bool closed = false;
        int error = 0;
        const ssize_t got = UnixSocket::receiveSome(fd, chunk, sizeof chunk, closed, error);
        if (got < 0 || closed) {
            break;
        }
        input.insert(input.end(), chunk, chunk + got);
        while (input.size() >= IpcFrame::replySize) {
            const auto reply =
                IpcFrame::decodeReply(std::span<const std::uint8_t, IpcFrame::replySize>(
                    input.data(), IpcFrame::replySize));
            check(reply.has_value(), "the server sends reply frames only");
            answered.push_back(*reply);
            input.erase(input.begin(), input.begin() + IpcFrame::replySize);
        }
        short revents = 0;
        if (got == 0 && !UnixSocket::waitFor(fd, POLLIN, deadline, revents, error)) {
            break;
        }
    }
    check(input.empty(), "replies arrive whole");
    return answered;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ServerRig rig;
    FuzzedDataProvider input(data, size);
    const auto image = input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange(0, 512));
    std::vector<std::uint8_t> bytes = input.ConsumeRemainingBytes<std::uint8_t>();

    std::fill(rig.area().begin(), rig.area().end(), std::uint8_t{0});
    std::copy(image.begin(), image.end(), rig.area().begin());
    // The frames that arrive whole; those the server reads before any spoiled one get answers.
    const std::size_t frames = bytes.size() / IpcFrame::requestSize;
    std::vector<IpcFrame::Request> requests;
    bool spoiled = false;
    for (std::size_t frame = 0; frame < frames; ++frame) {
        std::uint8_t* name = bytes.data() + frame * IpcFrame::requestSize + 20;
        if (std::memcmp(name, rigAreaMark.data(), rigAreaMark.size() + 1) == 0) {
            std::memcpy(name, rig.areaName().c_str(), rig.areaName().size() + 1);
        }
        const auto request = IpcFrame::decodeRequest(frameAt(bytes, frame));
        if (!request) {
            spoiled = true;
            break;
        }
        requests.push_back(*request);
    }

    const auto deadline = Clock::now() + std::chrono::seconds(5);
    const int fd = connection(rig.socketPath(), deadline);
    check(fd >= 0, "the server accepts a connection");
    const bool sent = sendAll(fd, bytes, deadline);
    check(sent || spoiled, "the server takes every byte of good frames");
    const auto answered = replies(fd, requests.size(), deadline);
    close(fd);

    check(spoiled ? answered.size() <= requests.size() : answered.size() == requests.size(),
          "every good frame is answered, until a spoiled one ends the connection");
    const std::uint32_t ipcMessage = IpcFrame::messageNumber("FSASMLIB:IPC");
    for (std::size_t i = 0; i < answered.size(); ++i) {
        check(answered[i].sequence == requests[i].sequence, "replies in the order of the requests");
        check(answered[i].result <= 1, "the reply is 0 or 1");
        check(requests[i].message == ipcMessage || answered[i].result == 0,
              "another message is answered 0");
    }
    return 0;
}
