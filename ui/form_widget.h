#pragma once

#include <QWidget>

namespace tl {

// The window's client area: a fixed size, the form's background colour and the frame lines.
class FormWidget : public QWidget {
public:
    explicit FormWidget(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tl
