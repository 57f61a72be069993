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
void place(QWidget& widget, const ControlSpec& spec, QPalette::ColorRole text,
           QPalette::ColorRole fill) {
    widget.setObjectName(toQString(spec.name));
    widget.setGeometry(WindowLayout::pixels(spec.left), WindowLayout::pixels(spec.top),
                       WindowLayout::pixels(spec.width), WindowLayout::pixels(spec.height));
    QFont font = ControlFactory::windowFont();
    font.setBold(spec.look.bold);
    widget.setFont(font);
    QPalette colours = widget.palette();
    if (spec.look.foreground) {
        colours.setColor(text, toQColor(*spec.look.foreground));
    }
    if (spec.look.background) {
        colours.setColor(fill, toQColor(*spec.look.background));
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

QWidget* ControlFactory::create(const ControlSpec& spec) const {
    switch (spec.kind) {
        case ControlKind::Label:
            return label(spec);
        case ControlKind::TextBox:
            return textBox(spec);
        case ControlKind::Button:
            return button(spec);
        case ControlKind::Map:
            return map(spec);
    }
    return nullptr;
}

QWidget* ControlFactory::label(const ControlSpec& spec) const {
    auto* label = new Label(&form_);
    place(*label, spec, QPalette::WindowText, QPalette::Window);
    label->setTextFormat(Qt::PlainText);
    // Text that does not fit wraps at word boundaries, and what does not fit then is cut off.
    label->setWordWrap(true);
    label->setAlignment(horizontal(spec.look.alignment) | Qt::AlignTop);
    label->setAutoFillBackground(spec.look.background.has_value());
    label->setText(toQString(spec.text));
    return label;
}

QWidget* ControlFactory::textBox(const ControlSpec& spec) const {
    auto* box = new TextBox(&form_, spec.name, forwarder_);
    place(*box, spec, QPalette::Text, QPalette::Base);
    box->setAlignment(horizontal(spec.look.alignment));
    box->setText(toQString(spec.text));
    return box;
}

QWidget* ControlFactory::button(const ControlSpec& spec) const {
    auto* button = new QPushButton(&form_);
    place(*button, spec, QPalette::ButtonText, QPalette::Button);
    button->setText(toQString(spec.text));
    const std::string_view name = spec.name;
    QObject::connect(button, &QPushButton::clicked,
                     [&forwarder = forwarder_, name] { forwarder.click(name); });
    return button;
}

QWidget* ControlFactory::map(const ControlSpec& spec) const {
    const QSize pixels(WindowLayout::pixels(spec.width), WindowLayout::pixels(spec.height));
    auto* map =
        new MapWidget(&form_, pixels, spec.look.background.value_or(WindowLayout::background),
                      spec.look.foreground.value_or(0), forwarder_);
    place(*map, spec, QPalette::WindowText, QPalette::Window);
    return map;
}

}  // namespace tl
