#include "simlink/posix/posix_transport.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "simlink/fsuipc_byte_order.h"
#include "simlink/posix/ipc_folder.h"
#include "simlink/posix/ipc_frame.h"
#include "simlink/posix/shared_memory.h"
#include "simlink/posix/unix_socket.h"

namespace tl {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A hand-driven server window in a private rendezvous folder.
class PosixTransportTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/fsuipc-transport-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        setenv("FSUIPC_IPC_DIR", folder.c_str(), 1);
        int error = 0;
        listener = UnixSocket::listenAt(folder + "/UIPCMAIN", error);
        ASSERT_GE(listener, 0) << std::strerror(error);
    }
    void TearDown() override {
        if (peer >= 0) {
            close(peer);
        }
        close(listener);
        std::filesystem::remove_all(folder);
    }
    // Finds the window and takes the server's end of the connection.
    FsuipcTransport::WindowHandle connect() {
        const auto window = transport.findWindow("UIPCMAIN");
        int error = 0;
        short revents = 0;
        UnixSocket::waitFor(listener, POLLIN, Clock::now() + 1s, revents, error);
        peer = UnixSocket::acceptFrom(listener, error);
        EXPECT_GE(peer, 0);
        return window;
    }
    // Reads exactly `count` bytes as the server (within a second).
    std::vector<std::uint8_t> receive(std::size_t count) {
        std::vector<std::uint8_t> bytes;
        const auto deadline = Clock::now() + 1s;
        while (bytes.size() < count && Clock::now() < deadline) {
            std::array<std::uint8_t, 256> chunk{};
            short revents = 0;
            int error = 0;
            bool closed = false;
            UnixSocket::waitFor(peer, POLLIN, Clock::now() + 100ms, revents, error);
            const auto got = UnixSocket::receiveSome(
                peer, chunk.data(), std::min(chunk.size(), count - bytes.size()), closed, error);
            if (got < 0 || closed) {
                break;
            }
            bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
        }
        return bytes;
    }
    void send(const std::vector<std::uint8_t>& bytes) {
        int error = 0;
        ASSERT_EQ(UnixSocket::sendSome(peer, bytes.data(), bytes.size(), error),
                  static_cast<ssize_t>(bytes.size()));
    }
    static std::vector<std::uint8_t> reply(std::uint32_t sequence, std::uint32_t result) {
        const auto frame = IpcFrame::encode(IpcFrame::Reply{sequence, result});
        return {frame.begin(), frame.end()};
    }
    // Sends a message from another thread; the test plays the server meanwhile.
    std::future<bool> sendAsync(FsuipcTransport::WindowHandle window, std::uint32_t timeoutMs) {
        return std::async(std::launch::async, [this, window, timeoutMs] {
            return transport.sendMessageTimeout(window, 0xFB60, 0, 0, timeoutMs, answer);
        });
    }

    std::string folder;
    int listener = -1;
    int peer = -1;
    PosixTransport transport;
    std::uintptr_t answer = 0;
};

TEST_F(PosixTransportTest, RequestFrameOnTheWire) {
    const auto window = connect();
    ASSERT_NE(window, 0u);
    const std::uint16_t atom = transport.addAtom("FSASMLIB:IPC:1F4:1");
    ASSERT_EQ(atom, 0xC000);
    const auto wParam =
        static_cast<std::uintptr_t>(static_cast<std::intptr_t>(static_cast<std::int16_t>(atom)));
    auto sent = std::async(std::launch::async, [&] {
        return transport.sendMessageTimeout(window, 0xFB60, wParam, 0, 2000, answer);
    });
    const auto frame = receive(80);
    ASSERT_EQ(frame.size(), 80u);
    EXPECT_EQ(std::string(frame.begin(), frame.begin() + 4), "FSIQ");
    EXPECT_EQ(loadLittleEndian<std::uint32_t>(&frame[4]), 1u);
    EXPECT_EQ(loadLittleEndian<std::uint32_t>(&frame[8]), 0xFB60u);
    EXPECT_EQ(loadLittleEndian<std::uint32_t>(&frame[12]), 0xFFFFC000u);
    EXPECT_EQ(loadLittleEndian<std::uint32_t>(&frame[16]), 0u);
    const std::string name = "FSASMLIB:IPC:1F4:1";
    EXPECT_EQ(std::string(frame.begin() + 20, frame.begin() + 20 + name.size()), name);
    EXPECT_TRUE(std::all_of(frame.begin() + 20 + name.size(), frame.end(),
                            [](std::uint8_t b) { return b == 0; }));
    send(reply(1, 1));
    EXPECT_TRUE(sent.get());
    EXPECT_EQ(answer, 1u);
    EXPECT_EQ(transport.lastError(), 0u);
}

TEST_F(PosixTransportTest, LateRepliesAreDroppedAndSplitRepliesJoined) {
    const auto window = connect();
    const auto start = Clock::now();
    EXPECT_FALSE(transport.sendMessageTimeout(window, 0xFB60, 0, 0, 100, answer));
    EXPECT_EQ(transport.lastError(), 0u);  // a time-out
    EXPECT_GE(Clock::now() - start, 100ms);
    ASSERT_EQ(receive(80).size(), 80u);

    auto sent = sendAsync(window, 2000);
    ASSERT_EQ(receive(80).size(), 80u);
    auto bytes = reply(1, 7);  // the answer to the first message, too late
    const auto own = reply(2, 1);
    bytes.insert(bytes.end(), own.begin(), own.end());
    send({bytes.begin(), bytes.begin() + 20});
    std::this_thread::sleep_for(30ms);
    send({bytes.begin() + 20, bytes.end()});
    EXPECT_TRUE(sent.get());
    EXPECT_EQ(answer, 1u);
}

TEST_F(PosixTransportTest, BrokenConnectionStaysBroken) {
    const auto window = connect();
    close(peer);
    peer = -1;
    EXPECT_FALSE(transport.sendMessageTimeout(window, 0xFB60, 0, 0, 2000, answer));
    const auto error = transport.lastError();
    EXPECT_TRUE(error == ECONNRESET || error == EPIPE) << error;
    // The server still listens, but the handle does not reconnect.
    const auto start = Clock::now();
    EXPECT_FALSE(transport.sendMessageTimeout(window, 0xFB60, 0, 0, 2000, answer));
    EXPECT_EQ(transport.lastError(), error);
    EXPECT_LT(Clock::now() - start, 100ms);
}

TEST_F(PosixTransportTest, ProtocolErrorsBreakTheConnection) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<std::uint8_t> garbage(16, 'x');
    const Case cases[] = {{"bad magic", garbage}, {"reply from the future", reply(5, 1)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto window = connect();
        auto sent = sendAsync(window, 2000);
        ASSERT_EQ(receive(80).size(), 80u);
        send(c.bytes);
        EXPECT_FALSE(sent.get());
        EXPECT_EQ(transport.lastError(), static_cast<std::uint32_t>(EPROTO));
        transport.releaseWindow(window);
        close(peer);
        peer = -1;
    }
}

TEST_F(PosixTransportTest, SignalsDoNotCutTheWaitShort) {
    struct sigaction action {};
    action.sa_handler = [](int) {};
    sigemptyset(&action.sa_mask);
    struct sigaction previous {};
    sigaction(SIGUSR1, &action, &previous);
    const auto window = connect();
    const pthread_t waiting = pthread_self();
    std::thread server([&] {
        receive(80);
        for (int i = 0; i < 5; ++i) {
            std::this_thread::sleep_for(20ms);
            pthread_kill(waiting, SIGUSR1);
        }
        send(reply(1, 1));
    });
    EXPECT_TRUE(transport.sendMessageTimeout(window, 0xFB60, 0, 0, 2000, answer));
    server.join();
    sigaction(SIGUSR1, &previous, nullptr);
}

TEST_F(PosixTransportTest, UnknownWindowIsAnError) {
    EXPECT_FALSE(transport.sendMessageTimeout(12345, 0xFB60, 0, 0, 100, answer));
    EXPECT_NE(transport.lastError(), 0u);
    const auto window = connect();
    transport.releaseWindow(window);
    EXPECT_FALSE(transport.sendMessageTimeout(window, 0xFB60, 0, 0, 100, answer));
    EXPECT_NE(transport.lastError(), 0u);
}

TEST_F(PosixTransportTest, WindowsOnlyInASafeFolder) {
    EXPECT_EQ(transport.findWindow("FS98MAIN"), 0u);  // nobody listens
    for (const char* bad : {"", ".", "..", "a/b"}) {
        EXPECT_EQ(transport.findWindow(bad), 0u) << bad;
    }
    for (const mode_t mode : {0770, 0707, 0777}) {
        chmod(folder.c_str(), mode);
        EXPECT_EQ(transport.findWindow("UIPCMAIN"), 0u) << std::oct << mode;
    }
    chmod(folder.c_str(), 0755);
    EXPECT_NE(transport.findWindow("UIPCMAIN"), 0u);
}

TEST(IpcFolder, RefusesFoldersThatOthersControl) {
    char pattern[] = "/tmp/fsuipc-folder-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string base = pattern;
    std::string problem;
    EXPECT_TRUE(IpcFolder::verify(base, false, problem)) << problem;
    EXPECT_FALSE(IpcFolder::verify(base + "/missing", false, problem));
    EXPECT_TRUE(IpcFolder::verify(base + "/made", true, problem)) << problem;
    struct stat status {};
    ASSERT_EQ(stat((base + "/made").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    symlink((base + "/made").c_str(), (base + "/link").c_str());
    EXPECT_FALSE(IpcFolder::verify(base + "/link", false, problem));
    EXPECT_EQ(problem, base + "/link is not a folder");
    if (geteuid() == 0) {
        chown((base + "/made").c_str(), 65534, 65534);
        EXPECT_FALSE(IpcFolder::verify(base + "/made", true, problem));
        EXPECT_EQ(problem, base + "/made belongs to another user");
    }
    std::filesystem::remove_all(base);
}

TEST(IpcFolder, LocationFromTheEnvironment) {
    const std::string saved = std::getenv("FSUIPC_IPC_DIR") ? std::getenv("FSUIPC_IPC_DIR") : "";
    setenv("FSUIPC_IPC_DIR", "/x/y", 1);
    EXPECT_EQ(IpcFolder::locate(), "/x/y");
    unsetenv("FSUIPC_IPC_DIR");
    setenv("XDG_RUNTIME_DIR", "/run/user/7", 1);
    EXPECT_EQ(IpcFolder::locate(), "/run/user/7/fsuipc");
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(IpcFolder::locate(), "/tmp/fsuipc-" + std::to_string(getuid()));
    if (!saved.empty()) {
        setenv("FSUIPC_IPC_DIR", saved.c_str(), 1);
    }
}

TEST(PosixTransportAtoms, SharedByNameAndCounted) {
    PosixTransport transport;
    const auto first = transport.addAtom("FSASMLIB:IPC:1F4:1");
    EXPECT_EQ(first, 0xC000);
    EXPECT_EQ(transport.addAtom("FSASMLIB:IPC:1F4:1"), first);
    EXPECT_EQ(transport.addAtom("other"), 0xC001);
    transport.deleteAtom(first);
    EXPECT_EQ(transport.addAtom("third"), 0xC002);  // the first is still held once
    transport.deleteAtom(first);
    EXPECT_EQ(transport.addAtom("fourth"), first);
    EXPECT_EQ(transport.addAtom(std::string(59, 'n').c_str()), 0xC003);
    EXPECT_EQ(transport.addAtom(std::string(60, 'n').c_str()), 0);
    EXPECT_EQ(transport.addAtom(""), 0);
}

TEST(PosixTransportMapping, CreatedOnceMappedAndRemovedOnClose) {
    PosixTransport transport;
    const std::string name = "FSASMLIB:IPC:TEST" + std::to_string(getpid()) + ":1";
    const auto mapping = transport.createFileMapping(name.c_str(), 32768);
    ASSERT_NE(mapping, 0u);
    EXPECT_EQ(transport.lastError(), 0u);
    std::uint8_t* view = transport.mapView(mapping);
    ASSERT_NE(view, nullptr);
    view[0] = 1;
    view[32767] = 2;
    EXPECT_EQ(transport.createFileMapping(name.c_str(), 32768), 0u);
    EXPECT_EQ(transport.lastError(), 183u);
    EXPECT_EQ(view[32767], 2);  // the first object was left alone
    EXPECT_EQ(transport.mapView(mapping + 1000), nullptr);
    EXPECT_EQ(transport.createFileMapping("a/b", 32768), 0u);
    transport.unmapView(view);
    transport.closeHandle(mapping);
    int error = 0;
    EXPECT_LT(SharedMemory::openExisting("/" + name, 1, error), 0);
    const auto again = transport.createFileMapping(name.c_str(), 32768);
    EXPECT_NE(again, 0u);
    transport.closeHandle(again);
}

TEST(PosixTransportMessages, RegisteredNumbers) {
    PosixTransport transport;
    EXPECT_EQ(transport.registerWindowMessage("FSASMLIB:IPC"), 0xFB60u);
    EXPECT_EQ(transport.registerWindowMessage(""), 0u);
    EXPECT_EQ(transport.currentProcessId(), static_cast<std::uint32_t>(getpid()));
}

}  // namespace
}  // namespace tl
