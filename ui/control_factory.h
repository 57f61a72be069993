#pragma once

#include <QFont>

#include "ui/event_forwarder.h"
#include "ui/window_layout.h"

class QWidget;

namespace tl {

// Makes the widget of one row of the control table on the form: its kind, name, text, place,
// size, colours, font and alignment, with its events wired to the program.
class ControlFactory {
public:
    ControlFactory(QWidget& form, EventForwarder& forwarder);

    QWidget* create(const ControlSpec& control) const;

    // MS Sans Serif 8.25 pt, or the nearest sans-serif at that size.
    static QFont windowFont();

private:
    QWidget* label(const ControlSpec& control) const;
    QWidget* textBox(const ControlSpec& control) const;
    QWidget* button(const ControlSpec& control) const;
    QWidget* map(const ControlSpec& control) const;

    QWidget& form_;
    EventForwarder& forwarder_;
};

}  // namespace tl
