#pragma once

#include "areas/area_file.h"
#include "areas/area_table.h"
#include "areas/capture_commands.h"
#include "areas/form_startup.h"
#include "areas/grid_settings.h"
#include "areas/scenery_coverage.h"
#include "areas/settings_reader.h"
#include "common/number_text.h"
#include "common/program_folder.h"
#include "core/error_reporter.h"
#include "core/event_pump.h"
#include "core/link_control.h"
#include "core/main_loop.h"
#include "core/process_launcher.h"
#include "core/window.h"
#include "core/window_events.h"
#include "map/map_mouse.h"
#include "map/map_painter.h"
#include "map/map_scale.h"
#include "map/map_surface.h"
#include "map/map_view.h"
#include "map/view_options.h"
#include "scasm/build_command.h"
#include "scasm/build_state.h"
#include "simlink/aircraft_position.h"
#include "simlink/fsuipc_client.h"
#include "simlink/fsuipc_transport.h"
#include "simlink/path_record.h"
#include "simlink/position_reader.h"
#include "simlink/position_tracker.h"

namespace tl {

// Terralevel without its window system: owns the state of the main window and of the program's
// modules, wires the handlers to each other and to the ports, and delivers the window's events to
// them. The Qt layer constructs it with its ports and runs Main().
class Terralevel : public WindowEvents {
public:
    Terralevel(Window& window, MapSurface& surface, EventPump& pump, ProcessLauncher& launcher,
               FsuipcTransport& transport, ProgramFolder folder, NumberText numbers);

    Terralevel(const Terralevel&) = delete;
    Terralevel& operator=(const Terralevel&) = delete;

    // Runs the program until Exit; returns when it is to end.
    void Main() { mainLoop_.Main(); }

    void Form_Load() override { startup_.Form_Load(); }
    void Form_Activate() override { startup_.Form_Activate(); }
    void Form_CloseRequest() override { link_.cmdExit_Click(); }

    void cmdStatus_Click() override { link_.cmdStatus_Click(); }
    void cmdExit_Click() override { link_.cmdExit_Click(); }
    void cmdNewFile_Click() override { areaFile_.cmdNewFile_Click(); }
    void cmdAddArea_Click() override { capture_.cmdAddArea_Click(); }
    void cmdAddVertex_Click() override { capture_.cmdAddVertex_Click(); }
    void cmdLinkVertices_Click() override { capture_.cmdLinkVertices_Click(); }
    void cmdClear_Click() override { tracker_.cmdClear_Click(); }
    void cmdCreateBGL_Click() override { build_.cmdCreateBGL_Click(); }
    void cmdZoomIn_Click() override { scale_.cmdZoomIn_Click(); }
    void cmdZoomOut_Click() override { scale_.cmdZoomOut_Click(); }
    void cmdRecenter_Click() override { scale_.cmdRecenter_Click(); }
    void cmdRedraw_Click() override { scale_.cmdRedraw_Click(); }
    void txtElevation_DblClick() override { capture_.txtElevation_DblClick(); }

    void picMap_MouseDown(const MouseEvent& event) override { mouse_.picMap_MouseDown(event); }
    void picMap_MouseMove(const MouseEvent& event) override { mouse_.picMap_MouseMove(event); }
    void picMap_MouseUp(const MouseEvent& event) override { mouse_.picMap_MouseUp(event); }
    void picMap_DblClick() override { mouse_.picMap_DblClick(); }

    void mnuSound_Click() override { options_.mnuSound_Click(); }
    void mnuPlotPath_Click() override { options_.mnuPlotPath_Click(); }
    void mnuCounter_Click() override { options_.mnuCounter_Click(); }
    void mnuAllAreas_Click() override { options_.mnuAllAreas_Click(); }
    void mnuAreaNumbers_Click() override { options_.mnuAreaNumbers_Click(); }
    void mnuGrid_Click() override { options_.mnuGrid_Click(); }
    void mnuCoords_Click() override { options_.mnuCoords_Click(); }
    void mnuGridLod_Click(int index) override { options_.mnuGridLod_Click(index); }
    void mnuMethodArea16N_Click() override { options_.mnuMethodArea16N_Click(); }
    void mnuMethodLWM_Click() override { options_.mnuMethodLWM_Click(); }

    // The state, for tests and tools.
    const AreaTable& areas() const { return areas_; }
    const PathRecord& path() const { return path_; }
    const AircraftPosition& aircraft() const { return aircraft_; }
    const MapView& view() const { return view_; }
    const GridSettings& grid() const { return grid_; }
    const LinkControl& link() const { return link_; }
    const SceneryCoverage& coverage() const { return coverage_; }

private:
    const ProgramFolder folder_;
    const NumberText numbers_;

    AreaTable areas_;
    PathRecord path_;
    AircraftPosition aircraft_;
    MapView view_;
    GridSettings grid_;
    BuildState buildState_;

    ErrorReporter errors_;
    FsuipcClient client_;
    LinkControl link_;
    MapPainter painter_;
    PositionReader reader_;
    MapScale scale_;
    PositionTracker tracker_;
    SceneryCoverage coverage_;
    SettingsReader settings_;
    AreaFile areaFile_;
    FormStartup startup_;
    CaptureCommands capture_;
    MapMouse mouse_;
    ViewOptions options_;
    BuildCommand build_;
    MainLoop mainLoop_;
};

}  // namespace tl
