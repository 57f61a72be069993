#include "simlink/posix/ipc_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tl {

std::string IpcFolder::locate() {
    if (const char* folder = std::getenv("FSUIPC_IPC_DIR"); folder != nullptr && *folder != 0) {
        return folder;
    }
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != 0) {
        return std::string(runtime) + "/fsuipc";
    }
    return "/tmp/fsuipc-" + std::to_string(getuid());
}

bool IpcFolder::verify(const std::string& path, bool create, std::string& problem) {
    if (create && mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        problem = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0) {
        problem = "cannot use " + path + ": " + std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(status.st_mode)) {
        problem = path + " is not a folder";
        return false;
    }
    if (status.st_uid != geteuid()) {
        problem = path + " belongs to another user";
        return false;
    }
    if ((status.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        problem = path + " may be written by group or others";
        return false;
    }
    return true;
}

}  // namespace tl
