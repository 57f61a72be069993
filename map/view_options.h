#pragma once

#include <string_view>

#include "areas/area_table.h"
#include "areas/grid_settings.h"
#include "core/map_drawing.h"
#include "core/window.h"
#include "map/lod_cell.h"
#include "map/map_surface.h"
#include "simlink/path_record.h"

namespace tl {

// The menu entries of the view and behaviour options: each option is its entry's check mark; the
// grid's level is also held as `gridLod`.
class ViewOptions {
public:
    // Entries "LOD  5" to "LOD 15", indexes 0 to 10.
    static constexpr int gridLodEntries = LodCell::highestGridLod - LodCell::lowestGridLod + 1;

    ViewOptions(Window& window, GridSettings& grid, AreaTable& areas, PathRecord& path,
                MapSurface& surface, MapDrawing& drawing);

    void mnuSound_Click();
    void mnuPlotPath_Click();
    void mnuCounter_Click();
    void mnuAllAreas_Click();
    void mnuAreaNumbers_Click();
    void mnuGrid_Click();
    void mnuCoords_Click();
    void mnuGridLod_Click(int index);
    void mnuMethodArea16N_Click();
    void mnuMethodLWM_Click();

private:
    bool toggle(std::string_view entry);
    void dropCapturedAreas();
    void selectMethod(bool lwm);

    Window& window_;
    GridSettings& grid_;
    AreaTable& areas_;
    PathRecord& path_;
    MapSurface& surface_;
    MapDrawing& drawing_;
};

}  // namespace tl
