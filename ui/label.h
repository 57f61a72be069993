#pragma once

#include <QLabel>

namespace tl {

// A label whose text's baseline lies one em below its top, as with the window's designed font,
// whatever ascent the font that stands in for it has: the short value labels then show their
// digits whole.
class Label : public QLabel {
public:
    explicit Label(QWidget* parent) : QLabel(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tl
