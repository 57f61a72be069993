#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/process_launcher.h"

namespace tl {

// Starts flatten.bat as a process of its own and does not wait for it. On Windows: cmd.exe in a
// normal window. Elsewhere: the command in $TERRALEVEL_BATCH_LAUNCHER, run by /bin/sh with the
// batch's path as its argument; else "wine cmd /c" when wine is on the PATH; else a failure that
// says how to make batch files runnable.
class BatchLauncher : public ProcessLauncher {
public:
    static constexpr const char* launcherVariable = "TERRALEVEL_BATCH_LAUNCHER";

    void startBatch(const std::filesystem::path& batchFile,
                    const std::filesystem::path& workingFolder) override;

#ifndef _WIN32
    // The program and arguments that run the batch here; throws when nothing can run it.
    static std::vector<std::string> commandFor(const std::filesystem::path& batchFile,
                                               const std::filesystem::path& workingFolder);

private:
    static std::optional<std::filesystem::path> findOnPath(const std::string& program);
    static void spawnDetached(const std::vector<std::string>& command,
                              const std::filesystem::path& workingFolder);
#endif
};

}  // namespace tl
