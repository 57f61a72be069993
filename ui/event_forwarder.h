#pragma once

#include <string_view>

#include "core/error_reporter.h"
#include "core/window.h"
#include "core/window_events.h"

namespace tl {

// Hands the window's events to the program's handlers, chosen by the control's name. A failure
// that a handler lets escape is reported under the handler's name, so that it never unwinds
// through the window system.
class EventForwarder {
public:
    explicit EventForwarder(Window& window) : errors_(window) {}

    // Events arriving before the handlers are set are dropped.
    void setEvents(WindowEvents& events) { events_ = &events; }

    void load();
    void activate();
    void closeRequest();

    // A button's click, or a double-click on a text box; controls without a handler are ignored.
    void click(std::string_view control);
    void doubleClick(std::string_view control);
    // A menu entry chosen, by its name ("mnuGrid", "mnuGridLod(8)", ...).
    void menu(std::string_view entry);

    void mouseDown(const MouseEvent& event);
    void mouseMove(const MouseEvent& event);
    void mouseUp(const MouseEvent& event);
    void mapDoubleClick();

private:
    template <typename Call>
    void deliver(std::string_view label, Call&& call);

    WindowEvents* events_ = nullptr;
    ErrorReporter errors_;
};

}  // namespace tl
