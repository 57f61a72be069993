#pragma once

#include <map>
#include <string>
#include <string_view>

#include "ui/event_forwarder.h"

class QAction;
class QMenuBar;

namespace tl {

// The window's menus built from the menu table. Choosing an entry tells the program and leaves the
// check mark alone: the program's handlers set the marks.
class MenuBar {
public:
    MenuBar(QMenuBar& bar, EventForwarder& forwarder);

    // Throws tl::Failure for a name that is not a menu entry.
    void setChecked(std::string_view entry, bool checked);
    bool isChecked(std::string_view entry) const;

private:
    QAction& action(std::string_view entry) const;

    std::map<std::string, QAction*, std::less<>> actions_;
};

}  // namespace tl
