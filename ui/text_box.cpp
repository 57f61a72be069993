#include "ui/text_box.h"

namespace tl {

TextBox::TextBox(QWidget* parent, std::string_view name, EventForwarder& forwarder)
    : QLineEdit(parent), name_(name), forwarder_(forwarder) {}

void TextBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    forwarder_.doubleClick(name_);
}

}  // namespace tl
