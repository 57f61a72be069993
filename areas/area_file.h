#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "areas/area_table.h"
#include "common/failure.h"
#include "common/number_text.h"
#include "common/program_folder.h"
#include "core/error_reporter.h"
#include "core/window.h"
#include "map/map_surface.h"
#include "simlink/path_record.h"

namespace tl {

// The area file flatten.txt as a whole: the start-up load into the area table and the two text
// boxes, and the New File command.
class AreaFile {
public:
    // What a load found besides the geometry. A load stops at the first failing line and keeps
    // everything before it.
    struct LoadResult {
        std::optional<std::string> areaName;   // the last name line's name
        std::optional<std::string> elevation;  // the last elevation line
        std::optional<Failure> failure;        // why the load stopped, if it did
        std::size_t failedLine = 0;            // 1-based number of that line
    };

    AreaFile(Window& window, ErrorReporter& errors, const ProgramFolder& folder,
             const NumberText& numbers, AreaTable& table, PathRecord& path, MapSurface& surface);

    // Loads the lines of an area file into the table. The counts change only together with a
    // successful store, so after a stopped load they describe exactly what was stored: areaCount
    // is at most 128, vertexCount at most 512 and equal to areaVertexCount(areaCount). The name
    // line of a 129th area, a 513th vertex line or a vertex line before any name line stops the
    // load with failure 9 before anything of that line is kept.
    static LoadResult load(std::string_view text, const NumberText& numbers, AreaTable& table);

    // Creates an empty file when none exists; otherwise loads it and shows the last name and
    // elevation. Failures are reported under "readData".
    void readData();

    // Area16N: deletes flatten.txt, resets the counts and clears the map. LWM: deletes bgl-asm.txt
    // only. A file that cannot be deleted is passed over silently.
    void cmdNewFile_Click();

private:
    Window& window_;
    ErrorReporter& errors_;
    const ProgramFolder& folder_;
    const NumberText& numbers_;
    AreaTable& table_;
    PathRecord& path_;
    MapSurface& surface_;
};

}  // namespace tl
