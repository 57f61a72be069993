#include "simlink/posix/unix_socket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace tl {

namespace {

// A new socket and the address of `path`; -1 with `error` set when either cannot be had.
int socketFor(const std::string& path, sockaddr_un& address, int& error) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof(address.sun_path)) {
        error = ENAMETOOLONG;
        return -1;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = errno;
    }
    return fd;
}

int failAndClose(int fd, int& error) {
    error = errno;
    close(fd);
    return -1;
}

}  // namespace

int UnixSocket::connectTo(const std::string& path, int& error) {
    sockaddr_un address{};
    const int fd = socketFor(path, address, error);
    if (fd < 0) {
        return -1;
    }
    // A Unix-domain connect completes at once or fails (EAGAIN: the server's backlog is full).
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        return failAndClose(fd, error);
    }
    return fd;
}

int UnixSocket::listenAt(const std::string& path, int& error) {
    sockaddr_un address{};
    const int fd = socketFor(path, address, error);
    if (fd < 0) {
        return -1;
    }
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(fd, 16) != 0) {
        return failAndClose(fd, error);
    }
    return fd;
}

int UnixSocket::acceptFrom(int listener, int& error) {
    while (true) {
        const int fd = accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd >= 0 || errno != EINTR) {
            error = fd < 0 ? errno : 0;
            return fd;
        }
    }
}

ssize_t UnixSocket::sendSome(int fd, const std::uint8_t* bytes, std::size_t count, int& error) {
    while (true) {
        const ssize_t sent = send(fd, bytes, count, MSG_NOSIGNAL);
        if (sent >= 0) {
            return sent;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return 0;
        }
        if (errno != EINTR) {
            error = errno;
            return -1;
        }
    }
}

ssize_t UnixSocket::receiveSome(int fd, std::uint8_t* bytes, std::size_t count, bool& closed,
                                int& error) {
    closed = false;
    while (true) {
        const ssize_t received = recv(fd, bytes, count, 0);
        if (received > 0) {
            return received;
        }
        if (received == 0) {
            closed = count != 0;
            return 0;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return 0;
        }
        if (errno != EINTR) {
            error = errno;
            return -1;
        }
    }
}

bool UnixSocket::waitFor(int fd, short events, std::chrono::steady_clock::time_point deadline,
                         short& revents, int& error) {
    while (true) {
        // Rounded up, so that the wait never ends before the deadline.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        pollfd entry{fd, events, 0};
        const int ready = poll(&entry, 1, left > 0 ? static_cast<int>(left) : 0);
        if (ready > 0) {
            revents = entry.revents;
            return true;
        }
        if (ready == 0 && left <= 0) {
            return false;
        }
        if (ready < 0 && errno != EINTR) {
            error = errno;
            revents = POLLERR;
            return true;
        }
    }
}

}  // namespace tl
