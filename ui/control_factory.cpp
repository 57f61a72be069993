#include "ui/control_factory.h"

#include <QPushButton>

#include "ui/label.h"
#include "ui/map_widget.h"
#include "ui/qt_convert.h"
#include "ui/text_box.h"

namespace tl {

namespace {

Qt::Alignment horizontal(Alignment alignment) {
    switch (alignment) {
        case Alignment::Right:
            return Qt::AlignRight;
        case Alignment::Centre:
            return Qt::AlignHCenter;
        case Alignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

// Name, place, size, font and the colours of the given palette roles.
void place(QWidget& widget, const ControlSpec& control, QPalette::ColorRole text,
           QPalette::ColorRole fill) {
    widget.setObjectName(toQString(control.name));
    widget.setGeometry(WindowLayout::pixels(control.left), WindowLayout::pixels(control.top),
                       WindowLayout::pixels(control.width), WindowLayout::pixels(control.height));
    QFont font = ControlFactory::windowFont();
    font.setBold(control.look.bold);
    widget.setFont(font);
    QPalette colours = widget.palette();
    if (control.look.foreground) {
        colours.setColor(text, toQColor(*control.look.foreground));
    }
    if (control.look.background) {
        colours.setColor(fill, toQColor(*control.look.background));
    }
    widget.setPalette(colours);
}

}  // namespace

ControlFactory::ControlFactory(QWidget& form, EventForwarder& forwarder)
    : form_(form), forwarder_(forwarder) {}

QFont ControlFactory::windowFont() {
    QFont font;
    font.setFamilies({toQString(WindowLayout::fontFamily), "Microsoft Sans Serif", "Nimbus Sans",
                      "Liberation Sans", "Arial", "Helvetica"});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(WindowLayout::fontPoints);
    return font;
}

QWidget* ControlFactory::create(const ControlSpec& control) const {
    switch (control.kind) {
        case ControlKind::Label:
            return label(control);
        case ControlKind::TextBox:
            return textBox(control);
        case ControlKind::Button:
            return button(control);
        case ControlKind::Map:
            return map(control);
    }
    return nullptr;
}

QWidget* ControlFactory::label(const ControlSpec& control) const {
    auto* label = new Label(&form_);
    place(*label, control, QPalette::WindowText, QPalette::Window);
    label->setTextFormat(Qt::PlainText);
    // Text that does not fit wraps at word boundaries, and what does not fit then is cut off.
    label->setWordWrap(true);
    label->setAlignment(horizontal(control.look.alignment) | Qt::AlignTop);
    label->setAutoFillBackground(control.look.background.has_value());
    label->setText(toQString(control.text));
    return label;
}

QWidget* ControlFactory::textBox(const ControlSpec& control) const {
    auto* box = new TextBox(&form_, control.name, forwarder_);
    place(*box, control, QPalette::Text, QPalette::Base);
    box->setAlignment(horizontal(control.look.alignment));
    box->setText(toQString(control.text));
    return box;
}

QWidget* ControlFactory::button(const ControlSpec& control) const {
    auto* button = new QPushButton(&form_);
    place(*button, control, QPalette::ButtonText, QPalette::Button);
    button->setText(toQString(control.text));
    const std::string_view name = control.name;
    QObject::connect(button, &QPushButton::clicked,
                     [&forwarder = forwarder_, name] { forwarder.click(name); });
    return button;
}

QWidget* ControlFactory::map(const ControlSpec& control) const {
    const QSize pixels(WindowLayout::pixels(control.width), WindowLayout::pixels(control.height));
    auto* map =
        new MapWidget(&form_, pixels, control.look.background.value_or(WindowLayout::background),
                      control.look.foreground.value_or(0), forwarder_);
    place(*map, control, QPalette::WindowText, QPalette::Window);
    return map;
}

}  // namespace tl
