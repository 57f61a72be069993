#pragma once

#include <cstdint>
#include <string_view>

#include "areas/grid_settings.h"
#include "common/number_text.h"
#include "common/program_folder.h"
#include "core/error_reporter.h"
#include "core/window.h"

namespace tl {

// Reads flatten.ini once at start-up into the menu marks, the counter's visibility and the grid
// settings. The file is never written.
class SettingsReader {
public:
    SettingsReader(Window& window, ErrorReporter& errors, const ProgramFolder& folder,
                   const NumberText& numbers, GridSettings& grid);

    // Sets the defaults, then applies flatten.ini; failures are reported under "Read Settings".
    void readSettings();

    // The defaults that hold before the file is read.
    void setDefaults();

    // Applies the lines of a settings text in order. A failing line throws and stops the reading;
    // the lines before it stay applied.
    //  - lod: a value outside 5 to 15 is refused with failure 9 and changes nothing, so the grid
    //    keeps a level from 5 to 15 and exactly one Grid LOD entry stays checked. A valid value
    //    moves the check mark from the current level's entry to the new one.
    //  - delay: a negative value is stored as 0 (no pause), so that outlines never stall.
    void apply(std::string_view text);

private:
    void applyLine(std::string_view line);
    void setGridLod(std::string_view value);
    void setLinkDelay(std::string_view value);
    std::int16_t value16(std::string_view value) const;

    Window& window_;
    ErrorReporter& errors_;
    const ProgramFolder& folder_;
    const NumberText& numbers_;
    GridSettings& grid_;
};

}  // namespace tl
