#pragma once

#include <QLineEdit>
#include <string_view>

#include "ui/event_forwarder.h"

namespace tl {

// A single-line text box that reports double-clicks to the program, then selects as usual.
class TextBox : public QLineEdit {
public:
    TextBox(QWidget* parent, std::string_view name, EventForwarder& forwarder);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::string_view name_;
    EventForwarder& forwarder_;
};

}  // namespace tl
