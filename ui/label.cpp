#include "ui/label.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace tl {

void Label::paintEvent(QPaintEvent*) {
    const int raise = std::max(0, fontMetrics().ascent() - QFontInfo(font()).pixelSize());
    const QRect area = contentsRect().adjusted(0, -raise, 0, 0);
    QPainter painter(this);
    style()->drawItemText(&painter, area,
                          static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0),
                          palette(), isEnabled(), text(), foregroundRole());
}

}  // namespace tl
