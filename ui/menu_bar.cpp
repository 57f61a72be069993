#include "ui/menu_bar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "common/failure.h"
#include "ui/qt_convert.h"
#include "ui/window_layout.h"

namespace tl {

MenuBar::MenuBar(QMenuBar& bar, EventForwarder& forwarder) {
    for (const MenuSpec& control : WindowLayout::menus()) {
        QMenu* menu = bar.addMenu(toQString(control.caption));
        menu->setObjectName(toQString(control.name));
        for (const MenuEntrySpec& entry : control.entries) {
            QAction* action = menu->addAction(toQString(entry.caption));
            action->setObjectName(toQString(entry.name));
            action->setCheckable(true);
            action->setChecked(entry.checked);
            const std::string_view name = entry.name;
            // Qt has already flipped the mark when `triggered` arrives: put it back.
            QObject::connect(action, &QAction::triggered, [action, &forwarder, name](bool now) {
                action->setChecked(!now);
                forwarder.menu(name);
            });
            actions_.emplace(entry.name, action);
        }
    }
}

QAction& MenuBar::action(std::string_view entry) const {
    const auto found = actions_.find(entry);
    if (found == actions_.end()) {
        throw Failure(FailureCode::InvalidCall, "no menu entry " + std::string(entry));
    }
    return *found->second;
}

void MenuBar::setChecked(std::string_view entry, bool checked) {
    action(entry).setChecked(checked);
}

bool MenuBar::isChecked(std::string_view entry) const {
    return action(entry).isChecked();
}

}  // namespace tl
