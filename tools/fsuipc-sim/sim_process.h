#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "simlink/posix/unix_socket.h"

namespace tl::sim {

// fsuipc-sim run as a child process in a private rendezvous folder, for tests and benchmarks.
// The folder is also set as FSUIPC_IPC_DIR of this process, so that its clients find the child.
// Header-only, so that benchmarks can use it without linking the simulator's library.
class SimProcess {
public:
    // Starts `executable` with `arguments` and waits (up to 5 s) until the window `windowClass`
    // accepts connections; throws std::runtime_error when it does not.
    SimProcess(const std::string& executable, const std::vector<std::string>& arguments,
               const std::string& windowClass = "UIPCMAIN") {
        char pattern[] = "/tmp/fsuipc-test-XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            throw std::runtime_error("cannot make a rendezvous folder");
        }
        folder_ = pattern;
        setenv("FSUIPC_IPC_DIR", folder_.c_str(), 1);
        try {
            start(executable, arguments);
            waitForWindow(windowClass);
        } catch (const std::runtime_error&) {
            std::error_code ignored;
            std::filesystem::remove_all(folder_, ignored);
            throw;
        }
    }

    ~SimProcess() {
        stop();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& folder() const { return folder_; }

    // Kills the child at once (as a crash would) and waits for it.
    void stop() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

private:
    void start(const std::string& executable, const std::vector<std::string>& arguments) {
        std::vector<std::string> words{executable};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        pid_ = fork();
        if (pid_ < 0) {
            throw std::runtime_error("cannot start " + executable);
        }
        if (pid_ == 0) {
#ifdef __linux__
            // The child goes when its parent does, even when the parent crashes.
            prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
            execv(executable.c_str(), argv.data());
            _exit(127);
        }
    }

    void waitForWindow(const std::string& windowClass) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        const std::string path = folder_ + "/" + windowClass;
        while (std::chrono::steady_clock::now() < deadline) {
            int error = 0;
            if (const int fd = UnixSocket::connectTo(path, error); fd >= 0) {
                close(fd);
                return;
            }
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                throw std::runtime_error("fsuipc-sim ended before serving " + path);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        stop();
        throw std::runtime_error("fsuipc-sim did not serve " + path + " within 5 s");
    }

    std::string folder_;
    pid_t pid_ = -1;
};

}  // namespace tl::sim
