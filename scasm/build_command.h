#pragma once

#include <string_view>

#include "common/number_text.h"
#include "common/program_folder.h"
#include "core/error_reporter.h"
#include "core/process_launcher.h"
#include "core/window.h"
#include "scasm/build_state.h"
#include "scasm/flatten_writer.h"

namespace tl {

// Create bgl (s): reads flatten.txt, has every named area written as a source with its compile
// line in flatten.bat, appends the line that copies the area file and starts the batch.
class BuildCommand {
public:
    struct Outcome {
        int areasWritten = 0;
        int areasFailed = 0;
        // The copy line was written: the build read the whole file and met a usable area.
        bool copied = false;
        bool batchStarted = false;
    };

    BuildCommand(BuildState& state, const ProgramFolder& folder, const NumberText& numbers,
                 ErrorReporter& reporter, ProcessLauncher& launcher, Window& window);

    void cmdCreateBGL_Click() { build(true); }

    // The build; with startBatch false every file is written but the batch is not started.
    Outcome build(bool startBatch);

private:
    void readLine(std::string_view line, Outcome& outcome);
    void startArea(std::string_view name, Outcome& outcome);
    void addVertex(std::string_view line);
    void writeArea(Outcome& outcome);

    BuildState& state_;
    const ProgramFolder& folder_;
    const NumberText& numbers_;
    ErrorReporter& reporter_;
    ProcessLauncher& launcher_;
    Window& window_;
    FlattenWriter writer_;
    bool headerSeen_ = false;
};

}  // namespace tl
