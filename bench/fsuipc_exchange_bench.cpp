// One exchange of the three position reads against fsuipc-sim over the POSIX transport, beside the
// round trip of bare frames of the same sizes over a Unix-domain stream socket: the transport's
// floor. fsuipc-sim is taken from $FSUIPC_SIM_EXE, else from bin/ beside this benchmark's folder.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/program_folder.h"
#include "simlink/fsuipc_client.h"
#include "simlink/posix/posix_transport.h"
#include "simlink/posix/unix_socket.h"
#include "tools/fsuipc-sim/sim_process.h"

namespace {

std::string simExecutable() {
    if (const char* path = std::getenv("FSUIPC_SIM_EXE"); path != nullptr) {
        return path;
    }
    return (tl::ProgramFolder::ofExecutable().path().parent_path() / "bin" / "fsuipc-sim").string();
}

void ThreePositionReadsAgainstSim(benchmark::State& state) {
    const std::string executable = simExecutable();
    if (!std::filesystem::exists(executable)) {
        state.SkipWithError(("no fsuipc-sim at " + executable).c_str());
        return;
    }
    tl::sim::SimProcess sim(executable, {"--demo"});
    tl::PosixTransport transport;
    tl::FsuipcClient client(transport, [](const std::string&) {});
    std::uint32_t result = 0;
    if (!client.fsuipcOpen(0, result)) {
        state.SkipWithError("cannot open the link");
        return;
    }
    std::int32_t ground = 0;
    std::int64_t longitude = 0;
    std::int64_t latitude = 0;
    for (auto _ : state) {
        const bool done = client.fsuipcRead(0x0020, 4, &ground, result) &&
                          client.fsuipcRead(0x0568, 8, &longitude, result) &&
                          client.fsuipcRead(0x0560, 8, &latitude, result) &&
                          client.fsuipcProcess(result);
        if (!done) {
            state.SkipWithError("exchange failed");
            break;
        }
        benchmark::DoNotOptimize(latitude);
    }
}
BENCHMARK(ThreePositionReadsAgainstSim)->UseRealTime();

// A child that answers every 80-byte frame with a 16-byte one, waiting in poll() as the stand-in
// server does.
void echoFrames(int fd) {
    std::array<std::uint8_t, 80> request{};
    const std::array<std::uint8_t, 16> reply{'F', 'S', 'I', 'R'};
    while (true) {
        std::size_t got = 0;
        while (got < request.size()) {
            pollfd entry{fd, POLLIN, 0};
            poll(&entry, 1, -1);
            const ssize_t n = recv(fd, request.data() + got, request.size() - got, 0);
            if (n <= 0) {
                _exit(0);
            }
            got += static_cast<std::size_t>(n);
        }
        if (send(fd, reply.data(), reply.size(), MSG_NOSIGNAL) !=
            static_cast<ssize_t>(reply.size())) {
            _exit(0);
        }
    }
}

void BareFramesRoundTrip(benchmark::State& state) {
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0) {
        state.SkipWithError("no socket pair");
        return;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pair[0]);
        echoFrames(pair[1]);
    }
    close(pair[1]);
    const int fd = pair[0];
    std::array<std::uint8_t, 80> request{'F', 'S', 'I', 'Q'};
    std::array<std::uint8_t, 16> reply{};
    for (auto _ : state) {
        int error = 0;
        bool closed = false;
        std::size_t sent = 0;
        while (sent < request.size()) {
            const ssize_t n =
                tl::UnixSocket::sendSome(fd, request.data() + sent, request.size() - sent, error);
            if (n < 0) {
                state.SkipWithError("send failed");
                break;
            }
            sent += static_cast<std::size_t>(n);
        }
        std::size_t got = 0;
        while (got < reply.size()) {
            short revents = 0;
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
            tl::UnixSocket::waitFor(fd, POLLIN, deadline, revents, error);
            const ssize_t n = tl::UnixSocket::receiveSome(fd, reply.data() + got,
                                                          reply.size() - got, closed, error);
            if (n < 0 || closed) {
                state.SkipWithError("receive failed");
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        benchmark::DoNotOptimize(reply);
    }
    close(fd);
    waitpid(child, nullptr, 0);
}
BENCHMARK(BareFramesRoundTrip)->UseRealTime();

}  // namespace
