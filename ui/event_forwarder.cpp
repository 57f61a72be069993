#include "ui/event_forwarder.h"

#include <array>
#include <charconv>
#include <string>
#include <utility>

namespace tl {

namespace {

using Handler = void (WindowEvents::*)();

struct Route {
    std::string_view name;
    Handler handler;
};

constexpr std::array clicks{
    Route{"cmdStatus", &WindowEvents::cmdStatus_Click},
    Route{"cmdExit", &WindowEvents::cmdExit_Click},
    Route{"cmdNewFile", &WindowEvents::cmdNewFile_Click},
    Route{"cmdAddArea", &WindowEvents::cmdAddArea_Click},
    Route{"cmdAddVertex", &WindowEvents::cmdAddVertex_Click},
    Route{"cmdLinkVertices", &WindowEvents::cmdLinkVertices_Click},
    Route{"cmdClear", &WindowEvents::cmdClear_Click},
    Route{"cmdCreateBGL", &WindowEvents::cmdCreateBGL_Click},
    Route{"cmdZoomIn", &WindowEvents::cmdZoomIn_Click},
    Route{"cmdZoomOut", &WindowEvents::cmdZoomOut_Click},
    Route{"cmdRecenter", &WindowEvents::cmdRecenter_Click},
    Route{"cmdRedraw", &WindowEvents::cmdRedraw_Click},
};

constexpr std::array doubleClicks{
    Route{"txtElevation", &WindowEvents::txtElevation_DblClick},
};

constexpr std::array menus{
    Route{"mnuSound", &WindowEvents::mnuSound_Click},
    Route{"mnuPlotPath", &WindowEvents::mnuPlotPath_Click},
    Route{"mnuCounter", &WindowEvents::mnuCounter_Click},
    Route{"mnuAllAreas", &WindowEvents::mnuAllAreas_Click},
    Route{"mnuAreaNumbers", &WindowEvents::mnuAreaNumbers_Click},
    Route{"mnuGrid", &WindowEvents::mnuGrid_Click},
    Route{"mnuCoords", &WindowEvents::mnuCoords_Click},
    Route{"mnuMethodArea16N", &WindowEvents::mnuMethodArea16N_Click},
    Route{"mnuMethodLWM", &WindowEvents::mnuMethodLWM_Click},
};

template <std::size_t N>
const Route* find(const std::array<Route, N>& routes, std::string_view name) {
    for (const Route& route : routes) {
        if (route.name == name) {
            return &route;
        }
    }
    return nullptr;
}

// The index of an entry of the Grid LOD list, "mnuGridLod(n)"; -1 for any other name.
int gridLodIndex(std::string_view entry) {
    constexpr std::string_view prefix = "mnuGridLod(";
    if (!entry.starts_with(prefix) || !entry.ends_with(')')) {
        return -1;
    }
    const std::string_view digits = entry.substr(prefix.size(), entry.size() - prefix.size() - 1);
    int index = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    return error == std::errc() && end == digits.data() + digits.size() ? index : -1;
}

}  // namespace

template <typename Call>
void EventForwarder::deliver(std::string_view label, Call&& call) {
    if (events_ != nullptr) {
        errors_.guard(label, [&] { std::forward<Call>(call)(*events_); });
    }
}

void EventForwarder::load() {
    deliver("Form_Load", [](WindowEvents& e) { e.Form_Load(); });
}

void EventForwarder::activate() {
    deliver("Form_Activate", [](WindowEvents& e) { e.Form_Activate(); });
}

void EventForwarder::closeRequest() {
    deliver("Form_CloseRequest", [](WindowEvents& e) { e.Form_CloseRequest(); });
}

void EventForwarder::click(std::string_view control) {
    if (const Route* route = find(clicks, control)) {
        deliver(std::string(control) + "_Click",
                [route](WindowEvents& e) { (e.*route->handler)(); });
    }
}

void EventForwarder::doubleClick(std::string_view control) {
    if (const Route* route = find(doubleClicks, control)) {
        deliver(std::string(control) + "_DblClick",
                [route](WindowEvents& e) { (e.*route->handler)(); });
    }
}

void EventForwarder::menu(std::string_view entry) {
    if (const int index = gridLodIndex(entry); index >= 0) {
        deliver("mnuGridLod_Click", [index](WindowEvents& e) { e.mnuGridLod_Click(index); });
    } else if (const Route* route = find(menus, entry)) {
        deliver(std::string(entry) + "_Click", [route](WindowEvents& e) { (e.*route->handler)(); });
    }
}

void EventForwarder::mouseDown(const MouseEvent& event) {
    deliver("picMap_MouseDown", [&event](WindowEvents& e) { e.picMap_MouseDown(event); });
}

void EventForwarder::mouseMove(const MouseEvent& event) {
    deliver("picMap_MouseMove", [&event](WindowEvents& e) { e.picMap_MouseMove(event); });
}

void EventForwarder::mouseUp(const MouseEvent& event) {
    deliver("picMap_MouseUp", [&event](WindowEvents& e) { e.picMap_MouseUp(event); });
}

void EventForwarder::mapDoubleClick() {
    deliver("picMap_DblClick", [](WindowEvents& e) { e.picMap_DblClick(); });
}

}  // namespace tl
