#pragma once

#include <QColor>
#include <QString>
#include <string>
#include <string_view>

#include "common/colour.h"

namespace tl {

// A colour number (red in the low byte) as Qt's pixel value and colour.
inline QRgb toQRgb(Colour colour) {
    return qRgb(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

inline QColor toQColor(Colour colour) {
    return QColor::fromRgb(toQRgb(colour));
}

// Texts of the program are in the local 8-bit encoding.
inline QString toQString(std::string_view text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toLocalText(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

}  // namespace tl
