#pragma once

#include <string>
#include <string_view>

namespace tl {

// The main window as the program logic sees it: controls and menu entries reached by name
// ("lblLat", "txtArea", "cmdStatus", "mnuGrid", "mnuGridLod(8)", ...). Texts are in the local 8-bit
// encoding.
class Window {
public:
    virtual ~Window() = default;

    // Text of a label, text box or button.
    virtual void setText(std::string_view control, std::string_view text) = 0;
    virtual std::string text(std::string_view control) const = 0;

    virtual void setVisible(std::string_view control, bool visible) = 0;
    virtual bool isVisible(std::string_view control) const = 0;

    // Check marks of menu entries.
    virtual void setChecked(std::string_view menuEntry, bool checked) = 0;
    virtual bool isChecked(std::string_view menuEntry) const = 0;

    virtual void setCaption(std::string_view caption) = 0;
    virtual std::string caption() const = 0;

    // A modal box: OK only, no icon, title "Terralevel". Returns when the user has closed it.
    virtual void showMessage(std::string_view text) = 0;

    virtual void beep() = 0;

    // Shows the window without waiting for it to be closed; loading it runs its load handler.
    virtual void show() = 0;
    // Closes the window and releases its controls.
    virtual void unload() = 0;
};

}  // namespace tl
