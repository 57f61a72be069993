#include "areas/form_startup.h"

#include "common/colour.h"

namespace tl {

namespace {

constexpr Colour magenta = rgb(255, 0, 255);
constexpr float startExtent = 0.25f;
// The map's size in twips, its unit until the map is scaled in degrees.
constexpr float mapTwips = 4065;

}  // namespace

FormStartup::FormStartup(Window& window, ErrorReporter& errors, FsuipcClient& client, MapView& view,
                         AreaTable& table, PathRecord& path, MapSurface& surface,
                         MapDrawing& drawing, Readers readers)
    : window_(window),
      errors_(errors),
      client_(client),
      view_(view),
      table_(table),
      path_(path),
      surface_(surface),
      drawing_(drawing),
      readers_(readers) {}

void FormStartup::Form_Load() {
    errors_.guard("Form_Load", [this] {
        client_.fsuipcClose();

        view_.mapWidth = startExtent;
        view_.mapHeight = startExtent;
        view_.mapHalfWidth = startExtent / 2;
        view_.mapHalfHeight = startExtent / 2;

        table_.areaCount = 0;
        path_.pathCount = 0;
        table_.vertexCount = 0;

        firstActivate = true;
        surface_.setMarkerColour(magenta);

        window_.setChecked("mnuMethodArea16N", true);
        window_.setChecked("mnuMethodLWM", false);

        surface_.setScale({0, 0, mapTwips, mapTwips});
        surface_.setPenColour(magenta);

        readers_.settings.readSettings();
        readers_.areas.readData();
        readers_.coverage.readHeaderData();
    });
}

void FormStartup::Form_Activate() {
    if (!window_.text("txtArea").empty() && firstActivate) {
        drawing_.redrawMap();
    }
    firstActivate = false;
}

}  // namespace tl
