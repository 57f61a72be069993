#include "areas/capture_commands.h"

#include <string>

#include "areas/area_growth.h"
#include "areas/file_names.h"
#include "common/colour.h"
#include "common/failure.h"
#include "common/text_file.h"

namespace tl {

namespace {

constexpr Colour blue = rgb(0, 0, 255);
constexpr double metresPerFoot = 0.3048;

}  // namespace

CaptureCommands::CaptureCommands(Window& window, ErrorReporter& errors, const ProgramFolder& folder,
                                 const NumberText& numbers, AreaTable& table, PathRecord& path,
                                 const AircraftPosition& aircraft, PositionSource& position,
                                 MapDrawing& drawing, MapSurface& surface)
    : window_(window),
      errors_(errors),
      folder_(folder),
      numbers_(numbers),
      table_(table),
      path_(path),
      aircraft_(aircraft),
      position_(position),
      drawing_(drawing),
      surface_(surface) {}

bool CaptureCommands::area16N() const {
    return window_.isChecked("mnuMethodArea16N");
}

void CaptureCommands::cmdAddArea_Click() {
    errors_.guard("cmdAddArea", [this] {
        const std::string name = "#" + window_.text("txtArea");
        if (!area16N()) {
            TextFile::appendLines(folder_.file(files::lwmFile), {name}, true);
            return;
        }
        if (table_.areaCount >= AreaTable::maxAreas) {
            throw Failure(
                FailureCode::IndexOutOfRange,
                "the table holds at most " + std::to_string(AreaTable::maxAreas) + " areas");
        }
        TextFile::appendLines(folder_.file(files::areaFile),
                              {"", name, window_.text("txtElevation")}, true);
        path_.pathCount = 0;
        startArea(table_);
        drawing_.redrawMap();
    });
}

void CaptureCommands::cmdAddVertex_Click() {
    errors_.guard("cmdAddVertex", [this] {
        if (table_.areaCount < 1) {
            window_.showMessage("Please add a New Area before continuing.");
            return;
        }
        if (table_.vertexCount >= AreaTable::maxVertices) {
            throw Failure(
                FailureCode::IndexOutOfRange,
                "an area holds at most " + std::to_string(AreaTable::maxVertices) + " vertices");
        }
        TextFile::appendLines(
            folder_.file(files::areaFile),
            {numbers_.format(aircraft_.planeLat) + " " + numbers_.format(aircraft_.planeLon)},
            true);

        position_.getPosition();
        const double lat = aircraft_.planeLat;
        const double lon = aircraft_.planeLon;

        // The mark sits a little off the aircraft so that the marker does not hide it.
        const MarkerSize marker = surface_.markerSize();
        const double k = lon < 0 ? -0.05 : 0.0;
        surface_.setPenWidth(3);
        surface_.point(static_cast<float>(lon - k * marker.width),
                       static_cast<float>(lat + 0.2 * marker.height), blue);

        addVertex(table_, lat, lon);

        if (window_.isChecked("mnuSound")) {
            window_.beep();
        }
    });
}

void CaptureCommands::cmdLinkVertices_Click() {
    if (table_.areaCount > 0) {
        drawing_.LinkVertices(table_.areaCount, table_.areaVertexCount(table_.areaCount), blue,
                              blue, 1);
    }
}

void CaptureCommands::txtElevation_DblClick() {
    try {
        const double feet = numbers_.parse(window_.text("txtElevation"));
        window_.setText("txtElevation", numbers_.format(feet * metresPerFoot));
    } catch (const Failure&) {
        // Not a number: the box keeps the text the user typed.
    }
}

}  // namespace tl
