#include "scasm/batch_launcher.h"

#include "common/failure.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#endif

namespace tl {

#ifdef _WIN32

void BatchLauncher::startBatch(const std::filesystem::path& batchFile,
                               const std::filesystem::path& workingFolder) {
    wchar_t system[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        throw Failure(FailureCode::FileNotFound, "cmd.exe");
    }
    const std::wstring interpreter = std::wstring(system, length) + L"\\cmd.exe";
    // cmd /c drops the outer pair of quotes and keeps the inner pair around the path.
    std::wstring commandLine = L"cmd.exe /c \"\"" + batchFile.wstring() + L"\"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(interpreter.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE, nullptr, workingFolder.c_str(), &startup, &process)) {
        throw Failure(FailureCode::PathFileAccess, "cannot start " + batchFile.string() +
                                                       " (Windows error " +
                                                       std::to_string(GetLastError()) + ")");
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

#else

void BatchLauncher::startBatch(const std::filesystem::path& batchFile,
                               const std::filesystem::path& workingFolder) {
    spawnDetached(commandFor(batchFile, workingFolder), workingFolder);
}

std::vector<std::string> BatchLauncher::commandFor(const std::filesystem::path& batchFile,
                                                   const std::filesystem::path& workingFolder) {
    if (const char* launcher = std::getenv(launcherVariable); launcher && *launcher) {
        // The user's command, with the batch's path passed as $1, never pasted into the text.
        return {"/bin/sh", "-c", std::string(launcher) + " \"$1\"", "terralevel-batch",
                batchFile.string()};
    }
    if (const auto wine = findOnPath("wine")) {
        // Wine maps the working folder to a Windows folder; a path relative to it needs no drive.
        auto relative = batchFile.lexically_relative(workingFolder);
        if (relative.empty() || *relative.begin() == "..") {
            relative = batchFile;
        }
        return {wine->string(), "cmd", "/c", relative.string()};
    }
    throw Failure(FailureCode::FileNotFound,
                  "nothing here runs batch files: set " + std::string(launcherVariable) +
                      " to a command that runs the batch file given as its argument (for "
                      "example \"wine cmd /c\"), or install wine");
}

std::optional<std::filesystem::path> BatchLauncher::findOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "";
    while (!rest.empty()) {
        const auto colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        if (folder.empty()) {
            continue;
        }
        const auto candidate = std::filesystem::path(folder) / program;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error) &&
            ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::nullopt;
}

namespace {

// Sends errno up the pipe and ends the child: only calls that are safe after fork.
[[noreturn]] void failChild(int pipe) {
    const int error = errno;
    [[maybe_unused]] const auto written = ::write(pipe, &error, sizeof error);
    ::_exit(127);
}

}  // namespace

void BatchLauncher::spawnDetached(const std::vector<std::string>& command,
                                  const std::filesystem::path& workingFolder) {
    // Everything the children need is prepared before the fork.
    std::vector<char*> argv;
    for (const std::string& word : command) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    const std::string folder = workingFolder.string();

    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) {
        throw Failure(FailureCode::DeviceError, std::strerror(errno));
    }
    const pid_t child = ::fork();
    if (child == 0) {
        // The middle child starts the batch's process and ends at once, so that the batch is
        // adopted by init and never left a zombie.
        ::close(pipe[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild < 0) {
            failChild(pipe[1]);
        }
        if (grandchild > 0) {
            ::_exit(0);
        }
        const int input = ::open("/dev/null", O_RDONLY);
        if (input < 0 || ::dup2(input, STDIN_FILENO) < 0 || ::chdir(folder.c_str()) != 0) {
            failChild(pipe[1]);
        }
        ::execv(argv[0], argv.data());
        failChild(pipe[1]);
    }
    const int forkError = errno;
    ::close(pipe[1]);
    if (child < 0) {
        ::close(pipe[0]);
        throw Failure(FailureCode::DeviceError, std::strerror(forkError));
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes without data when the batch's program was started.
    int error = 0;
    ssize_t got = 0;
    do {
        got = ::read(pipe[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    ::close(pipe[0]);
    if (got > 0) {
        throw Failure(FailureCode::PathFileAccess,
                      "cannot start " + command.front() + ": " + std::strerror(error));
    }
}

#endif

}  // namespace tl
