#pragma once

#include <filesystem>

namespace tl {

// Starts a batch file as a process of its own, without waiting for it.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;

    // Throws tl::Failure when the batch cannot be started.
    virtual void startBatch(const std::filesystem::path& batchFile,
                            const std::filesystem::path& workingFolder) = 0;
};

}  // namespace tl
