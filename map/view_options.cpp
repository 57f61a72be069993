#include "map/view_options.h"

#include <string>

namespace tl {

namespace {

std::string gridLodEntry(int index) {
    return "mnuGridLod(" + std::to_string(index) + ")";
}

}  // namespace

ViewOptions::ViewOptions(Window& window, GridSettings& grid, AreaTable& areas, PathRecord& path,
                         MapSurface& surface, MapDrawing& drawing)
    : window_(window),
      grid_(grid),
      areas_(areas),
      path_(path),
      surface_(surface),
      drawing_(drawing) {}

bool ViewOptions::toggle(std::string_view entry) {
    const bool checked = !window_.isChecked(entry);
    window_.setChecked(entry, checked);
    return checked;
}

void ViewOptions::mnuSound_Click() {
    toggle("mnuSound");
}

void ViewOptions::mnuPlotPath_Click() {
    toggle("mnuPlotPath");
}

void ViewOptions::mnuCounter_Click() {
    window_.setVisible("lblPC", toggle("mnuCounter"));
}

void ViewOptions::mnuAllAreas_Click() {
    toggle("mnuAllAreas");
}

void ViewOptions::mnuAreaNumbers_Click() {
    toggle("mnuAreaNumbers");
}

void ViewOptions::mnuGrid_Click() {
    toggle("mnuGrid");
    drawing_.redrawMap();
}

void ViewOptions::mnuCoords_Click() {
    toggle("mnuCoords");
}

void ViewOptions::mnuGridLod_Click(int index) {
    if (index < 0 || index >= gridLodEntries) {
        return;
    }
    // Every entry loses its mark, not only the one of `gridLod`: a level that a faulty settings
    // file put outside the menu names no entry, and exactly one entry must end up marked.
    for (int entry = 0; entry < gridLodEntries; ++entry) {
        window_.setChecked(gridLodEntry(entry), false);
    }
    grid_.gridLod = static_cast<std::int16_t>(index + LodCell::lowestGridLod);
    window_.setChecked(gridLodEntry(index), true);
    drawing_.redrawMap();
}

void ViewOptions::dropCapturedAreas() {
    areas_.areaCount = 0;
    areas_.vertexCount = 0;
    path_.pathCount = 0;
    window_.setText("txtArea", "");
    window_.setText("txtElevation", "");
    surface_.clear();
    drawing_.redrawMap();
}

void ViewOptions::selectMethod(bool lwm) {
    // Captures are given up only when the method really changes.
    if (window_.isChecked(lwm ? "mnuMethodArea16N" : "mnuMethodLWM")) {
        dropCapturedAreas();
    }
    window_.setChecked("mnuMethodArea16N", !lwm);
    window_.setChecked("mnuMethodLWM", lwm);
    window_.setCaption(lwm ? "Terralevel - LWM" : "Terralevel - Area16N");
}

void ViewOptions::mnuMethodArea16N_Click() {
    selectMethod(false);
}

void ViewOptions::mnuMethodLWM_Click() {
    selectMethod(true);
    window_.setText("txtArea", window_.text("lblHypFile"));
}

}  // namespace tl
