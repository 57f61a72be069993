#pragma once

#include <QMainWindow>

#include "ui/event_forwarder.h"

namespace tl {

// The top-level window `frmMain`. Its close box only asks the program to end (the program's loop
// then unloads the window), so the window stays until unload.
class FormWindow : public QMainWindow {
public:
    explicit FormWindow(EventForwarder& forwarder);

    // Lets the next close through: the window is being unloaded.
    void allowClose() { closing_ = true; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    EventForwarder& forwarder_;
    bool closing_ = false;
};

}  // namespace tl
