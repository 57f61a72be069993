#include "tools/fsuipc-sim/mapped_request_area.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "simlink/fsuipc_request_area.h"
#include "simlink/posix/shared_memory.h"

namespace tl::sim {

std::uint8_t* MappedRequestArea::open(const std::string& name, int& error) {
    struct stat status {};
    if (view_ != nullptr && name == name_ && fstat(fd_, &status) == 0 && status.st_nlink > 0) {
        return view_;
    }
    release();
    const std::string object = SharedMemory::objectName(name);
    if (object.empty()) {
        error = EINVAL;
        return nullptr;
    }
    fd_ = SharedMemory::openExisting(object, RequestArea::size, error);
    if (fd_ < 0) {
        return nullptr;
    }
    view_ = SharedMemory::map(fd_, RequestArea::size, error);
    if (view_ == nullptr) {
        release();
        return nullptr;
    }
    name_ = name;
    return view_;
}

void MappedRequestArea::release() {
    if (view_ != nullptr) {
        SharedMemory::unmap(view_, RequestArea::size);
        view_ = nullptr;
    }
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
    name_.clear();
}

}  // namespace tl::sim
