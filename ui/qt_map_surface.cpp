#include "ui/qt_map_surface.h"

#include <QCursor>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <optional>
#include <vector>

#include "common/failure.h"
#include "ui/qt_convert.h"
#include "ui/window_layout.h"

namespace tl {

namespace {

constexpr int maxPenWidth = 32767;
// Cursor files are a few kilobytes; anything much larger is not one.
constexpr std::size_t maxCursorBytes = 256 * 1024;
// Pixel positions beyond this are far off the picture and are not drawn.
constexpr double farAway = 1e7;

bool usable(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y()) && std::abs(p.x()) < farAway &&
           std::abs(p.y()) < farAway;
}

int nearest(double pixel) {
    return static_cast<int>(std::floor(pixel + 0.5));
}

// Cuts the segment to the rectangle [lo, hi] on both axes (Liang-Barsky); false when nothing of
// it lies inside. An end cut at a side lies exactly on it, so that far ends lose no precision on
// that axis, and both ends are kept inside the rectangle.
bool clipSegment(QPointF& from, QPointF& to, QPointF lo, QPointF hi) {
    const QPointF start = from;
    const QPointF d = to - from;
    const double p[4] = {-d.x(), d.x(), -d.y(), d.y()};
    const double q[4] = {from.x() - lo.x(), hi.x() - from.x(), from.y() - lo.y(),
                         hi.y() - from.y()};
    const double side[4] = {lo.x(), hi.x(), lo.y(), hi.y()};
    double t0 = 0;
    double t1 = 1;
    int entry = -1;
    int exit = -1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0 && t > t0) {
            t0 = t;
            entry = i;
        } else if (p[i] > 0 && t < t1) {
            t1 = t;
            exit = i;
        }
        if (t0 > t1) {
            return false;
        }
    }
    const auto cut = [&](QPointF& end, double t, int at) {
        if (at < 0) {
            return;
        }
        end = start + d * t;
        (at < 2 ? end.rx() : end.ry()) = side[at];
    };
    cut(from, t0, entry);
    cut(to, t1, exit);
    for (QPointF* end : {&from, &to}) {
        end->setX(std::clamp(end->x(), lo.x(), hi.x()));
        end->setY(std::clamp(end->y(), lo.y(), hi.y()));
    }
    return true;
}

struct CursorHeader {
    QPoint hotSpot;
    const char* format;
};

// The picture format and hot spot of the first picture of a cursor file; an icon file serves too,
// with its hot spot in the centre.
std::optional<CursorHeader> cursorHeader(const std::vector<char>& bytes) {
    const auto byte = [&bytes](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
    const auto word = [&byte](std::size_t at) { return byte(at) | (byte(at + 1) << 8); };
    constexpr std::size_t entry = 6;
    if (bytes.size() < entry + 16 || word(0) != 0 || word(4) == 0) {
        return std::nullopt;
    }
    if (word(2) == 2) {
        return CursorHeader{QPoint(word(entry + 4), word(entry + 6)), "CUR"};
    }
    if (word(2) == 1) {
        const auto side = [&byte](std::size_t at) { return byte(at) == 0 ? 256 : byte(at); };
        return CursorHeader{QPoint(side(entry) / 2, side(entry + 1) / 2), "ICO"};
    }
    return std::nullopt;
}

}  // namespace

QtMapSurface::QtMapSurface(QWidget& view, QSize pixels, Colour background, Colour pen)
    : view_(view),
      picture_(pixels, QImage::Format_RGB32),
      background_(toQRgb(background)),
      pen_(toQRgb(pen)),
      markerAt_(WindowLayout::markerLeft / 15.0, WindowLayout::markerTop / 15.0),
      marker_(toQRgb(WindowLayout::markerColour)) {
    picture_.fill(background_);
    setScale(
        {0, 0, static_cast<float>(pixels.width() * 15), static_cast<float>(pixels.height() * 15)});
}

void QtMapSurface::clear() {
    picture_.fill(background_);
    currentX_ = 0;
    currentY_ = 0;
    requestRepaint();
}

void QtMapSurface::setScale(const SurfaceScale& scale) {
    const double perUnitX = picture_.width() / static_cast<double>(scale.width);
    const double perUnitY = picture_.height() / static_cast<double>(scale.height);
    if (!std::isfinite(scale.left) || !std::isfinite(scale.top) || !std::isfinite(perUnitX) ||
        !std::isfinite(perUnitY) || perUnitX == 0 || perUnitY == 0) {
        throw Failure(FailureCode::InvalidCall, "map scale");
    }
    scale_ = scale;
    pixelsPerUnitX_ = perUnitX;
    pixelsPerUnitY_ = perUnitY;
}

void QtMapSurface::setPenWidth(int pixels) {
    if (pixels < 1 || pixels > maxPenWidth) {
        throw Failure(FailureCode::InvalidCall, "pen width");
    }
    penWidth_ = pixels;
}

QPointF QtMapSurface::toPixels(float x, float y) const {
    return {(static_cast<double>(x) - scale_.left) * pixelsPerUnitX_,
            (static_cast<double>(y) - scale_.top) * pixelsPerUnitY_};
}

MapPoint QtMapSurface::toMap(QPointF pixel) const {
    return {static_cast<float>(scale_.left + pixel.x() / pixelsPerUnitX_),
            static_cast<float>(scale_.top + pixel.y() / pixelsPerUnitY_)};
}

void QtMapSurface::setCurrentPoint(float x, float y) {
    currentX_ = x;
    currentY_ = y;
}

void QtMapSurface::point(float x, float y) {
    dot(toPixels(x, y), pen_);
    setCurrentPoint(x, y);
}

void QtMapSurface::point(float x, float y, Colour colour) {
    dot(toPixels(x, y), toQRgb(colour));
    setCurrentPoint(x, y);
}

void QtMapSurface::lineTo(float x, float y, Colour colour) {
    segment(toPixels(currentX_, currentY_), toPixels(x, y), toQRgb(colour));
    setCurrentPoint(x, y);
}

void QtMapSurface::line(float x1, float y1, float x2, float y2) {
    segment(toPixels(x1, y1), toPixels(x2, y2), pen_);
    setCurrentPoint(x2, y2);
}

void QtMapSurface::dot(QPointF centre, QRgb colour) {
    if (usable(centre)) {
        stamp(nearest(centre.x()), nearest(centre.y()), colour);
        requestRepaint();
    }
}

// A round dot of the pen's width centred on the pixel (x, y), cut to the picture.
void QtMapSurface::stamp(int x, int y, QRgb colour) {
    const int width = picture_.width();
    const int height = picture_.height();
    const int pen = std::min(penWidth_, 2 * std::max(width, height) + 1);
    const int lo = -(pen / 2);
    const int hi = (pen - 1) / 2;
    if (x + hi < 0 || x + lo >= width || y + hi < 0 || y + lo >= height) {
        return;
    }
    uchar* bits = picture_.bits();
    const qsizetype stride = picture_.bytesPerLine();
    if (pen == 1) {
        reinterpret_cast<QRgb*>(bits + y * stride)[x] = colour;
        return;
    }
    // An even width has its centre between pixels.
    const double centre = pen % 2 == 0 ? 0.5 : 0.0;
    const double radius2 = pen * pen / 4.0;
    for (int dy = std::max(lo, -y); dy <= std::min(hi, height - 1 - y); ++dy) {
        const double span = std::sqrt(std::max(0.0, radius2 - (dy + centre) * (dy + centre)));
        const int from = std::max({lo, static_cast<int>(std::ceil(-span - centre)), -x});
        const int to = std::min({hi, static_cast<int>(std::floor(span - centre)), width - 1 - x});
        QRgb* row = reinterpret_cast<QRgb*>(bits + (y + dy) * stride) + x;
        std::fill(row + from, row + to + 1, colour);
    }
}

void QtMapSurface::segment(QPointF from, QPointF to, QRgb colour) {
    if (!std::isfinite(from.x()) || !std::isfinite(from.y()) || !std::isfinite(to.x()) ||
        !std::isfinite(to.y())) {
        return;
    }
    const double margin = penWidth_ / 2.0 + 1;
    if (!clipSegment(from, to, {-margin, -margin},
                     {picture_.width() - 1 + margin, picture_.height() - 1 + margin})) {
        return;
    }
    int x = nearest(from.x());
    int y = nearest(from.y());
    const int endX = nearest(to.x());
    const int endY = nearest(to.y());
    const int dx = std::abs(endX - x);
    const int dy = -std::abs(endY - y);
    const int stepX = x < endX ? 1 : -1;
    const int stepY = y < endY ? 1 : -1;
    int error = dx + dy;
    while (true) {
        stamp(x, y, colour);
        if (x == endX && y == endY) {
            break;
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
    requestRepaint();
}

void QtMapSurface::text(std::string_view text) {
    QFont font = view_.font();
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(font);
    const QPointF at = toPixels(currentX_, currentY_);
    if (usable(at)) {
        QPainter painter(&picture_);
        painter.setFont(font);
        painter.setPen(QColor::fromRgb(pen_));
        painter.drawText(QPoint(nearest(at.x()), nearest(at.y()) + metrics.ascent()),
                         toQString(text));
        requestRepaint();
    }
    currentX_ = scale_.left;
    currentY_ = static_cast<float>(currentY_ + metrics.height() / pixelsPerUnitY_);
}

void QtMapSurface::moveMarker(float left, float top) {
    markerAt_ = toPixels(left, top);
    requestRepaint();
}

MarkerSize QtMapSurface::markerSize() const {
    return {static_cast<float>(WindowLayout::markerWidth / 15.0 / std::abs(pixelsPerUnitX_)),
            static_cast<float>(WindowLayout::markerHeight / 15.0 / std::abs(pixelsPerUnitY_))};
}

void QtMapSurface::useDefaultPointer() {
    view_.unsetCursor();
}

void QtMapSurface::useCursorFile(const std::filesystem::path& cursorFile) {
    std::ifstream in(cursorFile, std::ios::binary);
    if (!in) {
        throw Failure(FailureCode::FileNotFound, cursorFile.string());
    }
    std::vector<char> bytes(maxCursorBytes + 1);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    const auto header = bytes.size() <= maxCursorBytes ? cursorHeader(bytes) : std::nullopt;
    QImage image;
    if (!header || !image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                                       static_cast<int>(bytes.size()), header->format)) {
        throw Failure(481, "Invalid picture: " + cursorFile.string());
    }
    view_.setCursor(QCursor(QPixmap::fromImage(image),
                            std::clamp(header->hotSpot.x(), 0, image.width() - 1),
                            std::clamp(header->hotSpot.y(), 0, image.height() - 1)));
}

void QtMapSurface::paint(QPainter& painter) {
    painter.drawImage(0, 0, picture_);
    if (usable(markerAt_)) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgb(marker_));
        painter.drawEllipse(QRect(nearest(markerAt_.x()), nearest(markerAt_.y()),
                                  WindowLayout::pixels(WindowLayout::markerWidth),
                                  WindowLayout::pixels(WindowLayout::markerHeight)));
    }
    repaintPending_ = false;
}

void QtMapSurface::requestRepaint() {
    if (!repaintPending_) {
        repaintPending_ = true;
        view_.update();
    }
}

}  // namespace tl
