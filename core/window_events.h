#pragma once

namespace tl {

// Mouse buttons and shift state as the map's mouse events report them.
struct MouseEvent {
    int button = 0;
    int shift = 0;
    float x = 0;
    float y = 0;
};

// Every event of the main window, as the window system delivers it to the program's handlers.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;

    virtual void Form_Load() = 0;
    virtual void Form_Activate() = 0;
    // The window system asks to close the window (close box, system menu).
    virtual void Form_CloseRequest() = 0;

    virtual void cmdStatus_Click() = 0;
    virtual void cmdExit_Click() = 0;
    virtual void cmdNewFile_Click() = 0;
    virtual void cmdAddArea_Click() = 0;
    virtual void cmdAddVertex_Click() = 0;
    virtual void cmdLinkVertices_Click() = 0;
    virtual void cmdClear_Click() = 0;
    virtual void cmdCreateBGL_Click() = 0;
    virtual void cmdZoomIn_Click() = 0;
    virtual void cmdZoomOut_Click() = 0;
    virtual void cmdRecenter_Click() = 0;
    virtual void cmdRedraw_Click() = 0;
    virtual void txtElevation_DblClick() = 0;

    virtual void picMap_MouseDown(const MouseEvent& event) = 0;
    virtual void picMap_MouseMove(const MouseEvent& event) = 0;
    virtual void picMap_MouseUp(const MouseEvent& event) = 0;
    virtual void picMap_DblClick() = 0;

    virtual void mnuSound_Click() = 0;
    virtual void mnuPlotPath_Click() = 0;
    virtual void mnuCounter_Click() = 0;
    virtual void mnuAllAreas_Click() = 0;
    virtual void mnuAreaNumbers_Click() = 0;
    virtual void mnuGrid_Click() = 0;
    virtual void mnuCoords_Click() = 0;
    virtual void mnuGridLod_Click(int index) = 0;
    virtual void mnuMethodArea16N_Click() = 0;
    virtual void mnuMethodLWM_Click() = 0;
};

}  // namespace tl
