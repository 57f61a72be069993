#include "ui/window_layout.h"

#include <array>

namespace tl {

namespace {

constexpr Colour navy = rgb(0, 0, 128);
constexpr Colour black = rgb(0, 0, 0);
constexpr Colour darkRed = rgb(192, 0, 0);
constexpr Colour formGrey = WindowLayout::background;

// Fixed text in navy on a transparent background.
constexpr ControlLook caption{navy, std::nullopt, false, Alignment::Left};
// Aircraft values: black on a transparent background.
constexpr ControlLook value(Alignment alignment) {
    return {black, std::nullopt, false, alignment};
}
// Info labels: the system's window-text colour on the form's grey.
constexpr ControlLook info(Alignment alignment) {
    return {std::nullopt, formGrey, false, alignment};
}
constexpr ControlLook entry{rgb(0, 0, 192), rgb(192, 192, 192), true, Alignment::Left};
constexpr ControlLook button{};
constexpr ControlLook map{darkRed, formGrey, false, Alignment::Left};

using K = ControlKind;
using A = Alignment;

constexpr std::array controlTable{
    // Area entry
    ControlSpec{"Label4", K::Label, "Area Name", 330, 360, 1005, 255, caption},
    ControlSpec{"txtArea", K::TextBox, "", 1530, 240, 2475, 285, entry},
    ControlSpec{"lblElevation", K::Label, "Elevation (m)", 315, 645, 1125, 255, caption},
    ControlSpec{"txtElevation", K::TextBox, "", 1530, 600, 2475, 285, entry},
    ControlSpec{"cmdNewFile", K::Button, "New File", 270, 990, 1200, 325, button},
    ControlSpec{"cmdAddArea", K::Button, "New Area", 1530, 990, 1200, 325, button},
    ControlSpec{"cmdCreateBGL", K::Button, "Create bgl (s)", 2790, 990, 1200, 325, button},
    // Map control
    ControlSpec{"Label10", K::Label, "Map Scale (degrees)", 450, 1680, 1545, 225, caption},
    ControlSpec{"lblScale", K::Label, "Scale", 900, 1980, 1005, 225, info(A::Left)},
    ControlSpec{"cmdRecenter", K::Button, "Recenter Map", 2430, 1620, 1400, 325, button},
    ControlSpec{"cmdLinkVertices", K::Button, "Link Vertices", 2430, 1980, 1400, 325, button},
    ControlSpec{"cmdZoomIn", K::Button, "Zoom In", 450, 2340, 1400, 325, button},
    ControlSpec{"cmdRedraw", K::Button, "Redraw Map", 2430, 2340, 1400, 325, button},
    ControlSpec{"cmdZoomOut", K::Button, "Zoom Out", 450, 2700, 1400, 325, button},
    ControlSpec{"cmdClear", K::Button, "Clear Path", 2430, 2700, 1400, 325, button},
    // The map
    ControlSpec{"picMap", K::Map, "", 90, 3150, 4065, 4065, map},
    // Mouse and coverage
    ControlSpec{"Label7", K::Label, "Mouse Lat", 270, 7380, 1005, 225, caption},
    ControlSpec{"lblMouseY", K::Label, "N/A", 1260, 7380, 1095, 225, info(A::Right)},
    ControlSpec{"Label11", K::Label, "Mouse Long", 270, 7590, 1005, 225, caption},
    ControlSpec{"lblMouseX", K::Label, "N/A", 1260, 7590, 1095, 225, info(A::Right)},
    ControlSpec{"Label8", K::Label, "LOD   8 Cell", 240, 7995, 1005, 225, caption},
    ControlSpec{"lblLOD08cellX", K::Label, "N/A", 1680, 7995, 330, 225, info(A::Right)},
    ControlSpec{"lblLOD08cellY", K::Label, "N/A", 2025, 7995, 330, 225, info(A::Right)},
    ControlSpec{"Label12", K::Label, "LOD 13 Area", 240, 8175, 1005, 225, caption},
    ControlSpec{"lblLOD13AreaX", K::Label, "N/A", 1680, 8190, 330, 225, info(A::Right)},
    ControlSpec{"lblLOD13AreaY", K::Label, "N/A", 2025, 8190, 330, 225, info(A::Right)},
    ControlSpec{"lblHypFile", K::Label, "N/A", 2790, 7380, 1185, 225, info(A::Centre)},
    ControlSpec{"lblHypN", K::Label, "N/A", 3060, 7740, 600, 225, info(A::Centre)},
    ControlSpec{"lblHypW", K::Label, "N/A", 2670, 8025, 600, 225, info(A::Centre)},
    ControlSpec{"lblHypE", K::Label, "N/A", 3390, 8025, 600, 225, info(A::Centre)},
    ControlSpec{"lblHypS", K::Label, "N/A", 3030, 8295, 600, 225, info(A::Centre)},
    // Aircraft
    ControlSpec{"Label6", K::Label, "Ground Elevation", 270, 8715, 1365, 255, caption},
    ControlSpec{"lblGroundAlt", K::Label, "N/A", 1620, 8730, 1245, 255, value(A::Left)},
    ControlSpec{"lblGroundAltM", K::Label, "N/A", 2970, 8715, 465, 195, value(A::Right)},
    ControlSpec{"lblGroundAltMm", K::Label, "N/A", 3480, 8715, 330, 195, value(A::Right)},
    ControlSpec{"Label2", K::Label, "Latitude", 270, 9015, 1005, 255, caption},
    ControlSpec{"lblLat", K::Label, "N/A", 2175, 9015, 1635, 195, value(A::Right)},
    ControlSpec{"Label3", K::Label, "Longitude", 270, 9225, 1005, 255, caption},
    ControlSpec{"lblLon", K::Label, "N/A", 2175, 9225, 1635, 195, value(A::Right)},
    ControlSpec{"Label13", K::Label, "LOD 13 Area Point", 270, 9495, 1995, 225, caption},
    ControlSpec{"lblAreaPtX", K::Label, "N/A", 3150, 9495, 330, 195, value(A::Right)},
    ControlSpec{"lblAreaPtY", K::Label, "N/A", 3480, 9495, 330, 195, value(A::Right)},
    ControlSpec{"cmdAddVertex",
                K::Button,
                "Add Vertex",
                150,
                9765,
                3885,
                325,
                {std::nullopt, rgb(204, 204, 224), false, A::Centre}},
    ControlSpec{"Label5",
                K::Label,
                "Record coordinates Counter-Clockwise",
                150,
                10170,
                3795,
                255,
                {darkRed, std::nullopt, true, A::Centre}},
    // Status row
    ControlSpec{"cmdStatus", K::Button, "Start", 60, 10605, 825, 325, button},
    ControlSpec{"lblPC", K::Label, "", 1320, 10695, 1095, 165, info(A::Right)},
    ControlSpec{"cmdExit", K::Button, "Exit", 3330, 10605, 825, 325, button},
};

constexpr std::array lineTable{
    LineSpec{"Line1", 0, 90, 0, 10530},        LineSpec{"Line2", 4230, 90, 4230, 10530},
    LineSpec{"Line3", 4230, 90, 0, 90},        LineSpec{"Line7", 4230, 10530, 0, 10530},
    LineSpec{"Line4", 4050, 1440, 180, 1440},  LineSpec{"Line5", 4050, 8550, 180, 8550},
    LineSpec{"Line6", 2625, 7365, 2625, 8460},
};

constexpr std::array settingsEntries{
    MenuEntrySpec{"mnuSound", "Play Sound", true},
    MenuEntrySpec{"mnuPlotPath", "Plot Path", false},
    MenuEntrySpec{"mnuCounter", "Show Counter", false},
    MenuEntrySpec{"mnuAllAreas", "Show All Areas", false},
    MenuEntrySpec{"mnuAreaNumbers", "Show Area Numbers", false},
    MenuEntrySpec{"mnuGrid", "Show Grid", false},
    MenuEntrySpec{"mnuCoords", "Coordinates as DD MM.mm", false},
};

constexpr std::array gridLodEntries{
    MenuEntrySpec{"mnuGridLod(0)", "LOD  5", false},
    MenuEntrySpec{"mnuGridLod(1)", "LOD  6", false},
    MenuEntrySpec{"mnuGridLod(2)", "LOD  7", false},
    MenuEntrySpec{"mnuGridLod(3)", "LOD  8", false},
    MenuEntrySpec{"mnuGridLod(4)", "LOD  9", false},
    MenuEntrySpec{"mnuGridLod(5)", "LOD 10", false},
    MenuEntrySpec{"mnuGridLod(6)", "LOD 11", false},
    MenuEntrySpec{"mnuGridLod(7)", "LOD 12", false},
    MenuEntrySpec{"mnuGridLod(8)", "LOD 13", false},
    MenuEntrySpec{"mnuGridLod(9)", "LOD 14", false},
    MenuEntrySpec{"mnuGridLod(10)", "LOD 15", false},
};

constexpr std::array methodEntries{
    MenuEntrySpec{"mnuMethodArea16N", "Area16N", false},
    MenuEntrySpec{"mnuMethodLWM", "LWM", false},
};

constexpr std::array menuTable{
    MenuSpec{"mnuSettings", "Settings", settingsEntries},
    MenuSpec{"mnuGridLodArray", "Grid LOD", gridLodEntries},
    MenuSpec{"mnuMethod", "Method", methodEntries},
};

constexpr std::array<std::string_view, 15> focusTable{
    "txtArea",    "txtElevation", "cmdAddArea",      "cmdAddVertex", "cmdExit",
    "cmdNewFile", "cmdCreateBGL", "picMap",          "cmdRedraw",    "cmdZoomIn",
    "cmdZoomOut", "cmdRecenter",  "cmdLinkVertices", "cmdClear",     "cmdStatus",
};

}  // namespace

std::span<const ControlSpec> WindowLayout::controls() {
    return controlTable;
}
std::span<const LineSpec> WindowLayout::lines() {
    return lineTable;
}
std::span<const MenuSpec> WindowLayout::menus() {
    return menuTable;
}
std::span<const std::string_view> WindowLayout::focusOrder() {
    return focusTable;
}

}  // namespace tl
