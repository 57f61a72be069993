#pragma once

#include <string>

namespace tl {

// The rendezvous folder D where servers of the IPC protocol put their sockets:
// $FSUIPC_IPC_DIR, else $XDG_RUNTIME_DIR/fsuipc, else /tmp/fsuipc-<uid>.
class IpcFolder {
public:
    static std::string locate();

    // True when `path` is a directory (not a link) owned by this user that neither group nor others
    // may write. With `create`, a missing folder is made first, with mode 0700. `problem` says why
    // a folder was refused.
    static bool verify(const std::string& path, bool create, std::string& problem);
};

}  // namespace tl
