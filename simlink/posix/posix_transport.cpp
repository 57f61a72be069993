#include "simlink/posix/posix_transport.h"

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <optional>
#include <string_view>

#include "simlink/posix/ipc_folder.h"
#include "simlink/posix/ipc_frame.h"
#include "simlink/posix/shared_memory.h"
#include "simlink/posix/unix_socket.h"

namespace tl {

namespace {
constexpr std::uint16_t firstAtom = 0xC000;
constexpr std::size_t receiveChunk = 4096;
}  // namespace

PosixTransport::~PosixTransport() {
    for (auto& [handle, connection] : connections_) {
        if (connection.fd >= 0) {
            close(connection.fd);
        }
    }
    for (const auto& [view, size] : views_) {
        SharedMemory::unmap(view, size);
    }
    for (const auto& [handle, mapping] : mappings_) {
        close(mapping.fd);
        shm_unlink(mapping.object.c_str());
    }
}

FsuipcTransport::WindowHandle PosixTransport::findWindow(const char* className) {
    const std::string_view name = className == nullptr ? "" : className;
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos) {
        lastError_ = EINVAL;
        return 0;
    }
    const std::string folder = IpcFolder::locate();
    std::string problem;
    if (!IpcFolder::verify(folder, false, problem)) {
        lastError_ = EACCES;
        return 0;
    }
    int error = 0;
    const int fd = UnixSocket::connectTo(folder + "/" + std::string(name), error);
    if (fd < 0) {
        lastError_ = static_cast<std::uint32_t>(error);
        return 0;
    }
    const WindowHandle handle = ++nextHandle_;
    connections_[handle].fd = fd;
    lastError_ = 0;
    return handle;
}

void PosixTransport::releaseWindow(WindowHandle window) {
    const auto found = connections_.find(window);
    if (found == connections_.end()) {
        return;
    }
    if (found->second.fd >= 0) {
        close(found->second.fd);
    }
    connections_.erase(found);
}

std::uint32_t PosixTransport::registerWindowMessage(const char* name) {
    if (name == nullptr || *name == 0) {
        lastError_ = EINVAL;
        return 0;
    }
    return IpcFrame::messageNumber(name);
}

std::uint32_t PosixTransport::currentProcessId() {
    return static_cast<std::uint32_t>(getpid());
}

std::uint16_t PosixTransport::addAtom(const char* name) {
    const std::string_view text = name == nullptr ? "" : name;
    if (text.empty() || text.size() >= IpcFrame::atomNameSize) {
        lastError_ = EINVAL;
        return 0;
    }
    for (auto& [number, atom] : atoms_) {
        if (atom.name == text) {
            ++atom.references;
            return number;
        }
    }
    for (std::uint32_t number = firstAtom; number <= 0xFFFF; ++number) {
        const auto atom = static_cast<std::uint16_t>(number);
        if (atoms_.count(atom) == 0) {
            atoms_[atom] = Atom{std::string(text), 1};
            return atom;
        }
    }
    lastError_ = ENOSPC;
    return 0;
}

void PosixTransport::deleteAtom(std::uint16_t atom) {
    const auto found = atoms_.find(atom);
    if (found != atoms_.end() && --found->second.references == 0) {
        atoms_.erase(found);
    }
}

FsuipcTransport::Handle PosixTransport::createFileMapping(const char* name, std::uint32_t size) {
    const std::string object = SharedMemory::objectName(name == nullptr ? "" : name);
    if (object.empty()) {
        lastError_ = EINVAL;
        return 0;
    }
    int error = 0;
    const int fd = SharedMemory::createExclusive(object, size, error);
    if (fd < 0) {
        lastError_ = error == EEXIST ? errorAlreadyExists : static_cast<std::uint32_t>(error);
        return 0;
    }
    const Handle handle = ++nextHandle_;
    mappings_[handle] = Mapping{fd, object, size};
    lastError_ = 0;
    return handle;
}

std::uint8_t* PosixTransport::mapView(Handle mapping) {
    const auto found = mappings_.find(mapping);
    if (found == mappings_.end()) {
        lastError_ = EBADF;
        return nullptr;
    }
    int error = 0;
    std::uint8_t* view = SharedMemory::map(found->second.fd, found->second.size, error);
    if (view == nullptr) {
        lastError_ = static_cast<std::uint32_t>(error);
        return nullptr;
    }
    views_[view] = found->second.size;
    return view;
}

void PosixTransport::unmapView(std::uint8_t* view) {
    const auto found = views_.find(view);
    if (found != views_.end()) {
        SharedMemory::unmap(found->first, found->second);
        views_.erase(found);
    }
}

void PosixTransport::closeHandle(Handle handle) {
    const auto found = mappings_.find(handle);
    if (found != mappings_.end()) {
        close(found->second.fd);
        shm_unlink(found->second.object.c_str());
        mappings_.erase(found);
    }
}

bool PosixTransport::sendMessageTimeout(WindowHandle window, std::uint32_t message,
                                        std::uintptr_t wParam, std::intptr_t lParam,
                                        std::uint32_t timeoutMs, std::uintptr_t& reply) {
    const auto found = connections_.find(window);
    if (found == connections_.end()) {
        lastError_ = EBADF;
        return false;
    }
    Connection& connection = found->second;
    if (connection.error != 0) {
        lastError_ = static_cast<std::uint32_t>(connection.error);
        return false;
    }
    IpcFrame::Request request;
    request.sequence = ++connection.sequence;
    request.message = message;
    request.wParam = static_cast<std::int32_t>(wParam);
    request.lParam = static_cast<std::uint32_t>(lParam);
    if (const auto atom = atoms_.find(static_cast<std::uint16_t>(wParam)); atom != atoms_.end()) {
        request.atomName = atom->second.name;
    }
    const auto frame = IpcFrame::encode(request);
    connection.output.insert(connection.output.end(), frame.begin(), frame.end());
    switch (exchange(connection, timeoutMs, reply)) {
        case Outcome::Answered:
            lastError_ = 0;
            return true;
        case Outcome::TimedOut:
            lastError_ = 0;
            return false;
        case Outcome::Broken:
            break;
    }
    lastError_ = static_cast<std::uint32_t>(connection.error);
    return false;
}

PosixTransport::Outcome PosixTransport::exchange(Connection& connection, std::uint32_t timeoutMs,
                                                 std::uintptr_t& reply) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::array<std::uint8_t, receiveChunk> chunk{};
    while (true) {
        if (const auto outcome = takeReplies(connection, reply)) {
            return *outcome;
        }
        int error = 0;
        if (!connection.output.empty()) {
            // Written at once when the socket has room, else after the wait below.
            const ssize_t sent = UnixSocket::sendSome(connection.fd, connection.output.data(),
                                                      connection.output.size(), error);
            if (sent < 0) {
                breakConnection(connection, error);
                return Outcome::Broken;
            }
            connection.output.erase(connection.output.begin(), connection.output.begin() + sent);
        }
        const short events = connection.output.empty() ? POLLIN : POLLIN | POLLOUT;
        short revents = 0;
        if (!UnixSocket::waitFor(connection.fd, events, deadline, revents, error)) {
            return Outcome::TimedOut;
        }
        if ((revents & POLLNVAL) != 0) {
            breakConnection(connection, EBADF);
            return Outcome::Broken;
        }
        if ((revents & (POLLIN | POLLERR | POLLHUP)) != 0) {
            bool closed = false;
            const ssize_t received =
                UnixSocket::receiveSome(connection.fd, chunk.data(), chunk.size(), closed, error);
            if (received < 0 || closed) {
                breakConnection(connection, closed ? ECONNRESET : error);
                return Outcome::Broken;
            }
            connection.input.insert(connection.input.end(), chunk.begin(),
                                    chunk.begin() + received);
        }
    }
}

std::optional<PosixTransport::Outcome> PosixTransport::takeReplies(Connection& connection,
                                                                   std::uintptr_t& reply) {
    std::size_t used = 0;
    std::optional<Outcome> outcome;
    while (!outcome && connection.input.size() - used >= IpcFrame::replySize) {
        const auto answer =
            IpcFrame::decodeReply(std::span<const std::uint8_t, IpcFrame::replySize>(
                connection.input.data() + used, IpcFrame::replySize));
        // Replies to older requests (answered after their time-out) are dropped.
        const auto age =
            answer ? static_cast<std::int32_t>(answer->sequence - connection.sequence) : 1;
        if (age > 0) {
            breakConnection(connection, EPROTO);
            return Outcome::Broken;
        }
        used += IpcFrame::replySize;
        if (age == 0) {
            reply = answer->result;
            outcome = Outcome::Answered;
        }
    }
    connection.input.erase(connection.input.begin(), connection.input.begin() + used);
    return outcome;
}

void PosixTransport::breakConnection(Connection& connection, int error) {
    connection.error = error != 0 ? error : ECONNRESET;
    if (connection.fd >= 0) {
        close(connection.fd);
        connection.fd = -1;
    }
    connection.output.clear();
    connection.input.clear();
}

void PosixTransport::sleep(std::uint32_t milliseconds) {
    timespec left{static_cast<time_t>(milliseconds / 1000),
                  static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

}  // namespace tl
