#include "tests/durability/kill_cycles.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

#include "areas/file_names.h"
#include "tests/durability/drill_report.h"

namespace tl::durability {

namespace {

using Clock = std::chrono::steady_clock;

// The drill as a child process whose standard output comes through a pipe. Whatever happens, the
// child is killed and waited for when this goes.
class DrillChild {
public:
    explicit DrillChild(std::vector<std::string> words) {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) {
            throw std::system_error(errno, std::generic_category(), "pipe2");
        }
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        pid_ = fork();
        if (pid_ == 0) {
#ifdef __linux__
            // The child goes when its parent does, even when the parent crashes.
            prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
            dup2(fds[1], STDOUT_FILENO);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(fds[1]);
        if (pid_ < 0) {
            close(fds[0]);
            throw std::system_error(errno, std::generic_category(), "fork");
        }
        readFd_ = fds[0];
    }
    ~DrillChild() {
        kill();
        close(readFd_);
    }
    DrillChild(const DrillChild&) = delete;
    DrillChild& operator=(const DrillChild&) = delete;

    // Appends what the child wrote next to `output`; false once it can write no more. Throws
    // when nothing comes before the deadline.
    bool read(std::string& output, Clock::time_point deadline) {
        for (;;) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            pollfd ready{readFd_, POLLIN, 0};
            const int count =
                poll(&ready, 1, static_cast<int>(std::max<std::int64_t>(0, left.count())));
            if (count == 0) {
                throw std::runtime_error("the drill said nothing for 10 s");
            }
            if (count < 0) {
                if (errno == EINTR) {
                    continue;
                }
                throw std::system_error(errno, std::generic_category(), "poll");
            }
            char buffer[4096];
            const ssize_t got = ::read(readFd_, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                throw std::system_error(errno, std::generic_category(), "read");
            }
            output.append(buffer, static_cast<std::size_t>(got));
            return got > 0;
        }
    }

    // Sends SIGKILL (a child that already ended is only waited for) and returns the wait status.
    int kill() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            while (waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
            }
            pid_ = -1;
        }
        return status_;
    }

private:
    pid_t pid_ = -1;
    int readFd_ = -1;
    int status_ = 0;
};

std::size_t lines(const std::string& output) {
    return static_cast<std::size_t>(std::count(output.begin(), output.end(), '\n'));
}

}  // namespace

KillCycles::KillCycles(std::filesystem::path drill, std::filesystem::path folder,
                       const DrillPlan& plan, std::uint32_t seed)
    : drill_(std::move(drill)),
      base_(std::move(folder)),
      plan_(plan),
      verifier_(plan),
      random_(seed) {}

std::filesystem::path KillCycles::areaFile() const {
    return base_ / ("round-" + std::to_string(round_)) / files::areaFile;
}

KillCycles::Outcome KillCycles::runCycle() {
    if (round_ == 0 || vertices_ > plan_.capacity() / 2) {
        ++round_;
        vertices_ = 0;
        std::filesystem::create_directories(areaFile().parent_path());
    }
    const bool onReport = std::bernoulli_distribution(0.5)(random_);
    const std::size_t wanted =
        onReport ? std::uniform_int_distribution<std::size_t>(1, 8)(random_) : 1;
    const auto wait = std::chrono::microseconds(
        onReport ? 0 : std::uniform_int_distribution<>(0, 20000)(random_));

    std::string output;
    int status = 0;
    try {
        DrillChild child({drill_.string(), "capture", areaFile().parent_path().string(),
                          std::to_string(plan_.areaSize())});
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (lines(output) < wanted && child.read(output, deadline)) {
        }
        std::this_thread::sleep_for(wait);
        status = child.kill();
        while (child.read(output, deadline)) {
        }
    } catch (const std::exception& error) {
        return {false, error.what()};
    }
    if (WIFEXITED(status)) {
        return {false, "the drill ended with status " + std::to_string(WEXITSTATUS(status)) +
                           " before it was killed"};
    }
    if (WTERMSIG(status) != SIGKILL) {
        return {false, "the drill died of signal " + std::to_string(WTERMSIG(status))};
    }
    Outcome outcome = judge(output);
    if (!outcome.sound) {
        outcome.evidence =
            (onReport ? "killed on report " + std::to_string(wanted)
                      : "killed " + std::to_string(wait.count()) + " us after the first report") +
            ", " + outcome.evidence;
    }
    killsOnReport_ += outcome.sound && onReport ? 1 : 0;
    return outcome;
}

KillCycles::Outcome KillCycles::judge(const std::string& output) {
    std::vector<DrillReport> reports;
    try {
        reports = DrillReport::all(output);
    } catch (const std::runtime_error& error) {
        return {false, error.what()};
    }
    if (reports.empty()) {
        return {false, "the drill was killed by someone else before its first report"};
    }
    for (std::size_t i = 0; i < reports.size(); ++i) {
        const std::int64_t due = vertices_ + 1 + static_cast<std::int64_t>(i);
        if (reports[i].vertex != due) {
            return {false, "the drill reported vertex " + std::to_string(reports[i].vertex) +
                               " where vertex " + std::to_string(due) + " was due"};
        }
    }
    const DrillReport& last = reports.back();
    const DrillVerifier::Verdict verdict = verifier_.verify(areaFile(), last);
    if (!verdict.sound) {
        return {false, "last report vertex " + std::to_string(last.vertex) + " at " +
                           std::to_string(last.fileSize) + " bytes: " + verdict.evidence};
    }
    vertices_ = verdict.vertices;
    reported_ += static_cast<std::int64_t>(reports.size());
    return {true, {}};
}

}  // namespace tl::durability
