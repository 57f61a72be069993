#include "tools/fsuipc-sim/sim_server.h"

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "simlink/fsuipc_request_area.h"
#include "simlink/posix/ipc_folder.h"
#include "simlink/posix/unix_socket.h"

namespace tl::sim {

namespace {
constexpr std::size_t receiveChunk = 4096;
// A connection with this many unanswered messages is not read until some are answered.
constexpr std::size_t mostPending = 64;
constexpr int idlePollMs = 1000;
constexpr std::size_t mostConnections = 64;
constexpr auto acceptPause = std::chrono::milliseconds(100);
}  // namespace

SimServer::SimServer(const SimOptions& options, SimRequests& requests, std::ostream& log)
    : options_(options),
      requests_(requests),
      log_(log),
      ipcMessage_(IpcFrame::messageNumber("FSASMLIB:IPC")) {}

SimServer::~SimServer() {
    for (const Connection& connection : connections_) {
        close(connection.fd);
    }
    if (listener_ >= 0) {
        close(listener_);
        unlink(socketPath_.c_str());
    }
}

bool SimServer::start(std::string& problem) {
    const std::string folder = IpcFolder::locate();
    if (!IpcFolder::verify(folder, true, problem)) {
        return false;
    }
    socketPath_ = folder + "/" + options_.windowClass;
    return takeOverSocket(problem);
}

bool SimServer::takeOverSocket(std::string& problem) {
    int error = 0;
    listener_ = UnixSocket::listenAt(socketPath_, error);
    if (listener_ < 0 && error == EADDRINUSE) {
        // A socket is there: a live server's, or one left by a server that died.
        const int probe = UnixSocket::connectTo(socketPath_, error);
        if (probe >= 0 || error != ECONNREFUSED) {
            if (probe >= 0) {
                close(probe);
            }
            problem = "another server already listens at " + socketPath_;
            return false;
        }
        struct stat status {};
        if (lstat(socketPath_.c_str(), &status) != 0 || !S_ISSOCK(status.st_mode)) {
            problem = socketPath_ + " is in the way";
            return false;
        }
        unlink(socketPath_.c_str());
        listener_ = UnixSocket::listenAt(socketPath_, error);
    }
    if (listener_ < 0) {
        problem = "cannot listen at " + socketPath_ + ": " + std::strerror(error);
        return false;
    }
    return true;
}

void SimServer::run(const volatile std::sig_atomic_t& stop) {
    std::vector<pollfd> entries;
    while (stop == 0) {
        const bool accepting =
            connections_.size() < mostConnections && Clock::now() >= acceptAgain_;
        entries.assign(1, pollfd{accepting ? listener_ : -1, POLLIN, 0});
        for (const Connection& connection : connections_) {
            short events = 0;
            if (!connection.closing && connection.pending.size() < mostPending) {
                events |= POLLIN;
            }
            if (!connection.output.empty()) {
                events |= POLLOUT;
            }
            entries.push_back(pollfd{connection.fd, events, 0});
        }
        const int ready = poll(entries.data(), entries.size(), pollTimeout(Clock::now()));
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            log_ << "fsuipc-sim: poll: " << std::strerror(errno) << '\n';
            return;
        }
        const auto now = Clock::now();
        std::size_t entry = 1;
        for (Connection& connection : connections_) {
            if (entry < entries.size() &&
                (entries[entry++].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
                receive(connection, now);
            }
        }
        if ((entries[0].revents & POLLIN) != 0) {
            acceptConnections();
        }
        for (Connection& connection : connections_) {
            if (!connection.dead) {
                answerDue(connection, now);
                flush(connection);
            }
            connection.dead = connection.dead || (connection.closing && connection.output.empty());
        }
        connections_.remove_if([this](const Connection& connection) {
            if (connection.dead) {
                close(connection.fd);
                if (options_.verbose) {
                    log_ << "fsuipc-sim: connection closed\n";
                }
            }
            return connection.dead;
        });
    }
}

void SimServer::acceptConnections() {
    while (connections_.size() < mostConnections) {
        int error = 0;
        const int fd = UnixSocket::acceptFrom(listener_, error);
        if (fd < 0) {
            if (error != EAGAIN && error != EWOULDBLOCK) {
                log_ << "fsuipc-sim: accept: " << std::strerror(error) << '\n';
                acceptAgain_ = Clock::now() + acceptPause;
            }
            return;
        }
        Connection& connection = connections_.emplace_back();
        connection.fd = fd;
        connection.closing = options_.dropAfter && *options_.dropAfter == 0;
        if (options_.verbose) {
            log_ << "fsuipc-sim: connection opened\n";
        }
    }
}

void SimServer::receive(Connection& connection, Clock::time_point now) {
    std::uint8_t chunk[receiveChunk];
    bool closed = false;
    int error = 0;
    const ssize_t received =
        UnixSocket::receiveSome(connection.fd, chunk, sizeof chunk, closed, error);
    if (received < 0 || closed) {
        connection.dead = true;
        return;
    }
    connection.input.insert(connection.input.end(), chunk, chunk + received);
    std::size_t used = 0;
    while (connection.input.size() - used >= IpcFrame::requestSize) {
        const auto request =
            IpcFrame::decodeRequest(std::span<const std::uint8_t, IpcFrame::requestSize>(
                connection.input.data() + used, IpcFrame::requestSize));
        if (!request) {
            log_ << "fsuipc-sim: not a request frame; connection dropped\n";
            connection.dead = true;
            return;
        }
        used += IpcFrame::requestSize;
        const bool faulted = options_.faulted(++connection.messages);
        const auto delay = std::chrono::milliseconds(faulted ? options_.delayMs : 0);
        connection.pending.push_back(Pending{*request, now + delay, faulted});
    }
    connection.input.erase(connection.input.begin(), connection.input.begin() + used);
}

void SimServer::answerDue(Connection& connection, Clock::time_point now) {
    while (!connection.closing && !connection.pending.empty() &&
           connection.pending.front().due <= now) {
        const Pending pending = connection.pending.front();
        connection.pending.pop_front();
        const std::uint32_t result = answer(connection, pending.request, pending.faulted);
        const auto frame = IpcFrame::encode(IpcFrame::Reply{pending.request.sequence, result});
        connection.output.insert(connection.output.end(), frame.begin(), frame.end());
        ++connection.answered;
        if (options_.verbose) {
            log_ << "fsuipc-sim: message " << connection.answered << " (sequence "
                 << pending.request.sequence << "): reply " << result << '\n';
        }
        if (options_.dropAfter && connection.answered >= *options_.dropAfter) {
            connection.closing = true;
        }
    }
}

void SimServer::flush(Connection& connection) {
    while (!connection.output.empty()) {
        int error = 0;
        const ssize_t sent = UnixSocket::sendSome(connection.fd, connection.output.data(),
                                                  connection.output.size(), error);
        if (sent < 0) {
            connection.dead = true;
            return;
        }
        if (sent == 0) {
            return;
        }
        connection.output.erase(connection.output.begin(), connection.output.begin() + sent);
    }
}

std::uint32_t SimServer::answer(Connection& connection, const IpcFrame::Request& request,
                                bool faulted) {
    if (request.message != ipcMessage_) {
        return 0;
    }
    if (const auto imposed = requests_.imposedReply(faulted)) {
        return *imposed;
    }
    if (request.lParam >= RequestArea::size) {
        return 0;
    }
    int error = 0;
    std::uint8_t* view = connection.area.open(request.atomName, error);
    if (view == nullptr) {
        log_ << "fsuipc-sim: request area \"" << request.atomName << "\": " << std::strerror(error)
             << '\n';
        return 0;
    }
    RequestArea area(view);
    return requests_.carryOut(area, request.lParam, faulted);
}

int SimServer::pollTimeout(Clock::time_point now) const {
    auto soonest = now + std::chrono::milliseconds(idlePollMs);
    if (acceptAgain_ > now) {
        soonest = std::min(soonest, acceptAgain_);
    }
    for (const Connection& connection : connections_) {
        if (!connection.pending.empty()) {
            soonest = std::min(soonest, connection.pending.front().due);
        }
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(soonest - now).count();
    return static_cast<int>(std::max<decltype(wait)>(wait, 0));
}

}  // namespace tl::sim
