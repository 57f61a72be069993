#include "ui/form_widget.h"

#include <QPainter>

#include "ui/qt_convert.h"
#include "ui/window_layout.h"

namespace tl {

FormWidget::FormWidget(QWidget* parent) : QWidget(parent) {
    setObjectName("frmMain");
    setFixedSize(WindowLayout::pixels(WindowLayout::clientWidth),
                 WindowLayout::pixels(WindowLayout::clientHeight));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, toQColor(WindowLayout::background));
    setPalette(colours);
    setAutoFillBackground(true);
}

void FormWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(toQColor(WindowLayout::lineColour), 0));
    for (const LineSpec& line : WindowLayout::lines()) {
        painter.drawLine(WindowLayout::pixels(line.x1), WindowLayout::pixels(line.y1),
                         WindowLayout::pixels(line.x2), WindowLayout::pixels(line.y2));
    }
}

}  // namespace tl
