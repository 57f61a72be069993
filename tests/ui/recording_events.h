#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/window_events.h"

namespace tl::test {

// Records every handler the window calls, by name; mouse events with their button, shift and
// position.
class RecordingEvents : public WindowEvents {
public:
    std::vector<std::string> calls;
    std::vector<MouseEvent> mouse;
    // Runs inside every handler (to throw, or to look at the window at that moment).
    std::function<void(const std::string&)> during;

    void Form_Load() override { record("Form_Load"); }
    void Form_Activate() override { record("Form_Activate"); }
    void Form_CloseRequest() override { record("Form_CloseRequest"); }
    void cmdStatus_Click() override { record("cmdStatus_Click"); }
    void cmdExit_Click() override { record("cmdExit_Click"); }
    void cmdNewFile_Click() override { record("cmdNewFile_Click"); }
    void cmdAddArea_Click() override { record("cmdAddArea_Click"); }
    void cmdAddVertex_Click() override { record("cmdAddVertex_Click"); }
    void cmdLinkVertices_Click() override { record("cmdLinkVertices_Click"); }
    void cmdClear_Click() override { record("cmdClear_Click"); }
    void cmdCreateBGL_Click() override { record("cmdCreateBGL_Click"); }
    void cmdZoomIn_Click() override { record("cmdZoomIn_Click"); }
    void cmdZoomOut_Click() override { record("cmdZoomOut_Click"); }
    void cmdRecenter_Click() override { record("cmdRecenter_Click"); }
    void cmdRedraw_Click() override { record("cmdRedraw_Click"); }
    void txtElevation_DblClick() override { record("txtElevation_DblClick"); }
    void picMap_MouseDown(const MouseEvent& e) override { record("picMap_MouseDown", e); }
    void picMap_MouseMove(const MouseEvent& e) override { record("picMap_MouseMove", e); }
    void picMap_MouseUp(const MouseEvent& e) override { record("picMap_MouseUp", e); }
    void picMap_DblClick() override { record("picMap_DblClick"); }
    void mnuSound_Click() override { record("mnuSound_Click"); }
    void mnuPlotPath_Click() override { record("mnuPlotPath_Click"); }
    void mnuCounter_Click() override { record("mnuCounter_Click"); }
    void mnuAllAreas_Click() override { record("mnuAllAreas_Click"); }
    void mnuAreaNumbers_Click() override { record("mnuAreaNumbers_Click"); }
    void mnuGrid_Click() override { record("mnuGrid_Click"); }
    void mnuCoords_Click() override { record("mnuCoords_Click"); }
    void mnuGridLod_Click(int index) override {
        record("mnuGridLod_Click(" + std::to_string(index) + ")");
    }
    void mnuMethodArea16N_Click() override { record("mnuMethodArea16N_Click"); }
    void mnuMethodLWM_Click() override { record("mnuMethodLWM_Click"); }

private:
    void record(const std::string& name) {
        calls.push_back(name);
        if (during) {
            during(name);
        }
    }
    void record(const std::string& name, const MouseEvent& e) {
        mouse.push_back(e);
        record(name);
    }
};

}  // namespace tl::test
