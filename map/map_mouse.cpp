#include "map/map_mouse.h"

#include <string>
#include <string_view>

#include "common/degrees_minutes.h"
#include "common/failure.h"
#include "common/integer_conversion.h"
#include "common/text_file.h"
#include "map/lod_cell.h"

namespace tl {

namespace {

// The cell number of an X label, which reads "<number>,".
std::string beforeComma(const std::string& label) {
    const auto comma = label.find(',');
    if (comma == std::string::npos) {
        throw Failure(FailureCode::InvalidCall, "no cell under the pointer yet");
    }
    return label.substr(0, comma);
}

}  // namespace

MapMouse::MapMouse(MapSurface& surface, MapDrawing& drawing, CoverageLookup& coverage,
                   Window& window, const NumberText& numbers, const ProgramFolder& programFolder,
                   ErrorReporter& errors)
    : surface_(surface),
      drawing_(drawing),
      coverage_(coverage),
      window_(window),
      numbers_(numbers),
      programFolder_(programFolder),
      errors_(errors) {}

std::filesystem::path MapMouse::dragCursor() const {
    // The current folder first, then the program's own folder.
    const std::filesystem::path local(cursorName);
    if (TextFile::exists(local)) {
        return local;
    }
    const std::filesystem::path shipped = programFolder_.file(cursorName);
    if (TextFile::exists(shipped)) {
        return shipped;
    }
    throw Failure(FailureCode::FileNotFound, cursorName);
}

void MapMouse::picMap_MouseDown(const MouseEvent& event) {
    // The drag start is kept even when the pointer cannot be loaded, so that the release pans from
    // this press and not from an older one.
    dragStartX = event.x;
    dragStartY = event.y;
    errors_.guard("picMap_MouseDown", [&] { surface_.useCursorFile(dragCursor()); });
}

std::string MapMouse::positionText(double degrees) const {
    if (window_.isChecked("mnuCoords")) {
        return Dd2DMm(degrees, numbers_);
    }
    return numbers_.pattern(degrees, "0.0000");
}

void MapMouse::picMap_MouseMove(const MouseEvent& event) {
    errors_.guard("picMap_MouseMove", [&] {
        const double x = event.x;
        const double y = event.y;
        const LodCell cell = LodCell::at(y, x);
        window_.setText("lblMouseX", positionText(x));
        window_.setText("lblMouseY", positionText(y));
        window_.setText("lblLOD08cellX", std::to_string(cell.column8) + ",");
        window_.setText("lblLOD08cellY", std::to_string(cell.row8));
        window_.setText("lblLOD13AreaX", std::to_string(cell.column13) + ",");
        window_.setText("lblLOD13AreaY", std::to_string(cell.row13));
        coverage_.HypeFIle(y, x);
    });
}

void MapMouse::picMap_MouseUp(const MouseEvent& event) {
    errors_.guard("picMap_MouseUp", [&] {
        const double dx = dragStartX - event.x;
        const double dy = dragStartY - event.y;
        surface_.useDefaultPointer();
        SurfaceScale scale = surface_.scale();
        scale.left = static_cast<float>(scale.left + dx);
        scale.top = static_cast<float>(scale.top + dy);
        surface_.setScale(scale);
        drawing_.redrawMap();
    });
}

std::string MapMouse::captureLine() const {
    const double elevation = numbers_.leadingNumber(window_.text("txtElevation"));
    std::int16_t whole = truncToInt16(elevation);
    std::int16_t fraction = toInt16((elevation - whole) * 128.0);
    if (fraction == 128 || fraction == -128) {
        // A fraction that rounds to a whole metre carries into the metres.
        fraction = 0;
        whole = toInt16(elevation >= 0 ? whole + 1.0 : whole - 1.0);
    }
    return beforeComma(window_.text("lblLOD08cellX")) + " " + window_.text("lblLOD08cellY") + " " +
           beforeComma(window_.text("lblLOD13AreaX")) + " " + window_.text("lblLOD13AreaY") + " " +
           std::to_string(whole) + " " + std::to_string(fraction);
}

void MapMouse::picMap_DblClick() {
    errors_.guard("picMap_DblClick", [&] {
        TextFile::appendLines(programFolder_.file(captureFileName), {captureLine()}, true);
        if (window_.isChecked("mnuSound")) {
            window_.beep();
        }
    });
}

}  // namespace tl
