#pragma once

#include <string>
#include <vector>

#include "common/number_text.h"
#include "common/program_folder.h"
#include "core/error_reporter.h"
#include "scasm/build_state.h"

namespace tl {

// Writes the area of the build state as an Area16N source for the scenery compiler and appends the
// line that compiles it to flatten.bat, both in the program folder.
class FlattenWriter {
public:
    static constexpr const char* noticeLine = "; Flatten area source generated from flatten.txt";

    FlattenWriter(const BuildState& state, const ProgramFolder& folder, const NumberText& numbers,
                  ErrorReporter& reporter);

    // Refuses an area whose name cannot be a file name before anything of it is written. Failures
    // are reported under "ProcessArea"; returns true when the line and the source were written.
    bool ProcessArea();

private:
    std::vector<std::string> sourceLines() const;
    std::string vertexLine(int slot) const;

    const BuildState& state_;
    const ProgramFolder& folder_;
    const NumberText& numbers_;
    ErrorReporter& reporter_;
};

}  // namespace tl
