#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "common/failure.h"
#include "core/process_launcher.h"

namespace tl::test {

// Records every batch it is asked to start; throws `failure` instead when one is set.
class RecordingLauncher : public ProcessLauncher {
public:
    struct Start {
        std::filesystem::path batchFile;
        std::filesystem::path workingFolder;
    };

    void startBatch(const std::filesystem::path& batchFile,
                    const std::filesystem::path& workingFolder) override {
        if (failure) {
            throw *failure;
        }
        starts.push_back({batchFile, workingFolder});
    }

    std::vector<Start> starts;
    std::optional<Failure> failure;
};

}  // namespace tl::test
