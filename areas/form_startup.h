#pragma once

#include "areas/area_file.h"
#include "areas/area_table.h"
#include "areas/scenery_coverage.h"
#include "areas/settings_reader.h"
#include "core/error_reporter.h"
#include "core/map_drawing.h"
#include "core/window.h"
#include "map/map_surface.h"
#include "map/map_view.h"
#include "simlink/fsuipc_client.h"
#include "simlink/path_record.h"

namespace tl {

// The main window's load and first-activation handlers.
class FormStartup {
public:
    // The three readers that the load handler runs, each reporting its own failures.
    struct Readers {
        SettingsReader& settings;
        AreaFile& areas;
        SceneryCoverage& coverage;
    };

    FormStartup(Window& window, ErrorReporter& errors, FsuipcClient& client, MapView& view,
                AreaTable& table, PathRecord& path, MapSurface& surface, MapDrawing& drawing,
                Readers readers);

    // Puts the window into its starting state, then reads flatten.ini, flatten.txt and
    // Tilebound.dat. Failures of its own steps are reported under "Form_Load".
    void Form_Load();

    // Redraws the map at the first activation when the area file named an area.
    void Form_Activate();

    bool firstActivate = false;

private:
    Window& window_;
    ErrorReporter& errors_;
    FsuipcClient& client_;
    MapView& view_;
    AreaTable& table_;
    PathRecord& path_;
    MapSurface& surface_;
    MapDrawing& drawing_;
    Readers readers_;
};

}  // namespace tl
