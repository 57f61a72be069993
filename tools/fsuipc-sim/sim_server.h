#pragma once

#include <chrono>
#include <csignal>
#include <cstdint>
#include <deque>
#include <list>
#include <ostream>
#include <string>
#include <vector>

#include "simlink/posix/ipc_frame.h"
#include "tools/fsuipc-sim/mapped_request_area.h"
#include "tools/fsuipc-sim/sim_options.h"
#include "tools/fsuipc-sim/sim_requests.h"

namespace tl::sim {

// Serves the IPC protocol on the socket of one window class: one thread, one poll() loop, any
// number of connections, each answered in order.
class SimServer {
public:
    SimServer(const SimOptions& options, SimRequests& requests, std::ostream& log);
    // Closes every connection and removes the socket.
    ~SimServer();

    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // Makes the rendezvous folder and listens on its socket; false with `problem` set when another
    // server already listens there or the folder is refused.
    bool start(std::string& problem);
    // Serves until `stop` is set.
    void run(const volatile std::sig_atomic_t& stop);
    const std::string& socketPath() const { return socketPath_; }

private:
    using Clock = std::chrono::steady_clock;

    struct Pending {
        IpcFrame::Request request;
        Clock::time_point due;
        bool faulted;
    };
    struct Connection {
        int fd = -1;
        std::uint32_t messages = 0;
        std::uint32_t answered = 0;
        std::vector<std::uint8_t> input;
        std::vector<std::uint8_t> output;
        std::deque<Pending> pending;
        MappedRequestArea area;
        // Answered all it may: closed once the output is written.
        bool closing = false;
        bool dead = false;
    };

    bool takeOverSocket(std::string& problem);
    void acceptConnections();
    void receive(Connection& connection, Clock::time_point now);
    void answerDue(Connection& connection, Clock::time_point now);
    void flush(Connection& connection);
    // The reply to one message, its records carried out unless a fault says otherwise.
    std::uint32_t answer(Connection& connection, const IpcFrame::Request& request, bool faulted);
    int pollTimeout(Clock::time_point now) const;

    const SimOptions& options_;
    SimRequests& requests_;
    std::ostream& log_;
    const std::uint32_t ipcMessage_;
    std::string socketPath_;
    int listener_ = -1;
    // New connections wait in the backlog while there are too many, or for a while after accept
    // failed (for example when no file descriptor was left).
    Clock::time_point acceptAgain_{};
    std::list<Connection> connections_;
};

}  // namespace tl::sim
