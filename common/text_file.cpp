#include "common/text_file.h"

#include <limits>

#include "common/failure.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace tl {
namespace {

enum class Mode { read, append, truncate, create };

#ifdef _WIN32

Failure failureFor(DWORD error, Mode mode) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return Failure(FailureCode::FileNotFound);
        case ERROR_PATH_NOT_FOUND:
            return Failure(mode == Mode::read ? FailureCode::FileNotFound
                                              : FailureCode::PathNotFound);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return Failure(FailureCode::DiskFull);
        default:
            return Failure(FailureCode::PathFileAccess);
    }
}

// An open file, closed when it goes out of scope.
class FileHandle {
public:
    FileHandle(const std::filesystem::path& path, Mode mode) : mode_(mode) {
        const DWORD access = mode == Mode::read ? GENERIC_READ : GENERIC_WRITE;
        const DWORD disposition = mode == Mode::read       ? OPEN_EXISTING
                                  : mode == Mode::truncate ? CREATE_ALWAYS
                                                           : OPEN_ALWAYS;
        handle_ = CreateFileW(path.c_str(), access,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) {
            throw failureFor(GetLastError(), mode);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }

    std::uint64_t size() const {
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(handle_, &size)) {
            throw failureFor(GetLastError(), mode_);
        }
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    std::size_t read(char* data, std::size_t count) {
        DWORD got = 0;
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(count, MAXDWORD));
        if (!ReadFile(handle_, data, wanted, &got, nullptr)) {
            throw failureFor(GetLastError(), mode_);
        }
        return got;
    }

    // Writes at the end in one call; a short write is cut back off before the failure.
    void write(std::string_view data) {
        LARGE_INTEGER start{};
        if (!SetFilePointerEx(handle_, LARGE_INTEGER{}, &start, FILE_END)) {
            throw failureFor(GetLastError(), mode_);
        }
        if (data.size() > MAXDWORD) {
            throw Failure(FailureCode::PathFileAccess);
        }
        DWORD written = 0;
        const BOOL ok =
            WriteFile(handle_, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
        if (ok && written == data.size()) {
            return;
        }
        const DWORD error = ok ? ERROR_DISK_FULL : GetLastError();
        if (written > 0 && SetFilePointerEx(handle_, start, nullptr, FILE_BEGIN)) {
            SetEndOfFile(handle_);
        }
        throw failureFor(error, mode_);
    }

    void flush() {
        if (!FlushFileBuffers(handle_)) {
            throw failureFor(GetLastError(), mode_);
        }
    }

    void close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        if (!CloseHandle(handle)) {
            throw failureFor(GetLastError(), mode_);
        }
    }

private:
    HANDLE handle_;
    Mode mode_;
};

#else

Failure failureFor(int error, Mode mode) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return Failure(mode == Mode::read ? FailureCode::FileNotFound
                                              : FailureCode::PathNotFound);
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return Failure(FailureCode::DiskFull);
        default:
            return Failure(FailureCode::PathFileAccess);
    }
}

// An open file, closed when it goes out of scope.
class FileHandle {
public:
    FileHandle(const std::filesystem::path& path, Mode mode) : mode_(mode) {
        const int flags = mode == Mode::read       ? O_RDONLY
                          : mode == Mode::append   ? O_WRONLY | O_APPEND | O_CREAT
                          : mode == Mode::truncate ? O_WRONLY | O_TRUNC | O_CREAT
                                                   : O_WRONLY | O_CREAT;
        do {
            fd_ = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
        } while (fd_ < 0 && errno == EINTR);
        if (fd_ < 0) {
            throw failureFor(errno, mode);
        }
        struct stat status {};
        if (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode)) {
            ::close(fd_);
            throw Failure(FailureCode::PathFileAccess);
        }
        size_ = static_cast<std::uint64_t>(status.st_size);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }

    std::uint64_t size() const { return size_; }

    std::size_t read(char* data, std::size_t count) {
        ssize_t got = 0;
        do {
            got = ::read(fd_, data, count);
        } while (got < 0 && errno == EINTR);
        if (got < 0) {
            throw failureFor(errno, mode_);
        }
        return static_cast<std::size_t>(got);
    }

    // Writes in one call; a short write is cut back off before the failure, so that no partial
    // line stays in the file.
    void write(std::string_view data) {
        ssize_t written = 0;
        do {
            written = ::write(fd_, data.data(), data.size());
        } while (written < 0 && errno == EINTR);
        if (written == static_cast<ssize_t>(data.size())) {
            return;
        }
        // A short write without an error code means the disk (or the size limit) is full.
        const int error = written < 0 ? errno : ENOSPC;
        if (written > 0) {
            const off_t end = ::lseek(fd_, 0, SEEK_CUR);
            if (end >= written && ::ftruncate(fd_, end - written) != 0) {
                throw Failure(FailureCode::PathFileAccess);
            }
        }
        throw failureFor(error, mode_);
    }

    void flush() {
        if (::fsync(fd_) != 0) {
            throw failureFor(errno, mode_);
        }
    }

    void close() {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 && errno != EINTR) {
            throw failureFor(errno, mode_);
        }
    }

private:
    int fd_ = -1;
    Mode mode_;
    std::uint64_t size_ = 0;
};

#endif

std::string joinLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines) {
        size += line.size() + 2;
    }
    std::string text;
    text.reserve(size);
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void write(const std::filesystem::path& path, const std::vector<std::string>& lines, Mode mode,
           bool durable) {
    FileHandle file(path, mode);
    const std::string text = joinLines(lines);
    if (!text.empty()) {
        file.write(text);
    }
    if (durable) {
        file.flush();
    }
    file.close();
}

}  // namespace

std::vector<std::string_view> TextFile::splitLineViews(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::size_t lineEnd = end;
        if (end < text.size() && lineEnd > start && text[lineEnd - 1] == '\r') {
            --lineEnd;
        }
        lines.push_back(text.substr(start, lineEnd - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> TextFile::splitLines(std::string_view text) {
    const std::vector<std::string_view> views = splitLineViews(text);
    return {views.begin(), views.end()};
}

std::vector<std::string> TextFile::readLines(const std::filesystem::path& path) {
    return splitLines(readAll(path));
}

std::string TextFile::readAll(const std::filesystem::path& path) {
    FileHandle file(path, Mode::read);
    const std::uint64_t size = file.size();
    if (size > std::numeric_limits<std::size_t>::max() / 2) {
        throw Failure(FailureCode::OutOfMemory);
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        const std::size_t n = file.read(text.data() + got, text.size() - got);
        if (n == 0) {
            break;
        }
        got += n;
    }
    text.resize(got);
    return text;
}

void TextFile::appendLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                           bool durable) {
    write(path, lines, Mode::append, durable);
}

void TextFile::writeLines(const std::filesystem::path& path,
                          const std::vector<std::string>& lines) {
    write(path, lines, Mode::truncate, false);
}

void TextFile::touch(const std::filesystem::path& path) {
    write(path, {}, Mode::create, false);
}

bool TextFile::remove(const std::filesystem::path& path) noexcept {
#ifdef _WIN32
    return DeleteFileW(path.c_str()) != 0;
#else
    return ::unlink(path.c_str()) == 0;
#endif
}

bool TextFile::exists(const std::filesystem::path& path) noexcept {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace tl
