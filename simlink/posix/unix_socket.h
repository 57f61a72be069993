#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tl {

// Unix-domain stream sockets as both sides of the IPC protocol use them: non-blocking,
// close-on-exec, never raising SIGPIPE, retrying calls that a signal interrupted.
class UnixSocket {
public:
    // A connected socket, or -1 with `error` set.
    static int connectTo(const std::string& path, int& error);
    // A listening socket bound to `path`, or -1 with `error` set.
    static int listenAt(const std::string& path, int& error);
    // The next pending connection, or -1 (error EAGAIN when there is none).
    static int acceptFrom(int listener, int& error);

    // Bytes sent or received, 0 when the socket is not ready (or, receiving, at the end of the
    // stream: `closed` tells), -1 with `error` set on failure.
    static ssize_t sendSome(int fd, const std::uint8_t* bytes, std::size_t count, int& error);
    static ssize_t receiveSome(int fd, std::uint8_t* bytes, std::size_t count, bool& closed,
                               int& error);

    // Waits until `deadline` at the latest for `events` on the socket; false when the deadline
    // passed first. Interrupted waits go on for the rest of the time.
    static bool waitFor(int fd, short events, std::chrono::steady_clock::time_point deadline,
                        short& revents, int& error);
};

}  // namespace tl
