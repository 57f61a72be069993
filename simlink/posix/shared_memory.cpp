#include "simlink/posix/shared_memory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tl {

namespace {
// Room for the "/" within the system's limit on names.
constexpr std::size_t longestName = 250;
}  // namespace

std::string SharedMemory::objectName(std::string_view name) {
    if (name.empty() || name.size() > longestName || name.find('/') != std::string_view::npos ||
        name.find('\0') != std::string_view::npos) {
        return {};
    }
    return "/" + std::string(name);
}

int SharedMemory::createExclusive(const std::string& object, std::size_t size, int& error) {
    const int fd = shm_open(object.c_str(), O_CREAT | O_EXCL | O_RDWR, 0600);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    if (ftruncate(fd, static_cast<off_t>(size)) != 0) {
        error = errno;
        close(fd);
        shm_unlink(object.c_str());
        return -1;
    }
    return fd;
}

int SharedMemory::openExisting(const std::string& object, std::size_t size, int& error) {
    const int fd = shm_open(object.c_str(), O_RDWR, 0);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0) {
        error = errno;
    } else if (status.st_uid != geteuid()) {
        error = EACCES;
    } else if (status.st_size < static_cast<off_t>(size)) {
        error = EINVAL;
    } else {
        return fd;
    }
    close(fd);
    return -1;
}

std::uint8_t* SharedMemory::map(int fd, std::size_t size, int& error) {
    void* view = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (view == MAP_FAILED) {
        error = errno;
        return nullptr;
    }
    return static_cast<std::uint8_t*>(view);
}

void SharedMemory::unmap(std::uint8_t* view, std::size_t size) {
    munmap(view, size);
}

}  // namespace tl
