// The map surface, checked by the pixels it draws.
#include <gtest/gtest.h>

#include <QCursor>
#include <QFontMetrics>
#include <QPainter>
#include <cmath>
#include <limits>
#include <string>

#include "common/failure.h"
#include "tests/support/fake_window.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/qt_application.h"
#include "ui/map_widget.h"

namespace tl {
namespace {

const QRgb grey = qRgb(224, 224, 224);
constexpr Colour blue = rgb(0, 0, 255);
constexpr Colour magenta = rgb(255, 0, 255);

class QtMapSurfaceTest : public ::testing::Test {
protected:
    // Pixels of the picture in the given colour.
    int count(QRgb colour) const {
        const QImage& picture = surface.picture();
        int n = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                n += picture.pixel(x, y) == colour ? 1 : 0;
            }
        }
        return n;
    }
    QRgb at(int x, int y) const { return surface.picture().pixel(x, y); }
    // What the map shows: the picture with the marker on top.
    QImage shown() {
        QImage image(surface.picture().size(), QImage::Format_RGB32);
        QPainter painter(&image);
        surface.paint(painter);
        return image;
    }
    // One map unit to a pixel, y growing upward: (-100, 200) is the top left pixel.
    void unitPixels() { surface.setScale({-100, 200, 271, -271}); }

    QApplication& application = test::qtApplication();
    test::FakeWindow window;
    EventForwarder forwarder{window};
    MapWidget map{nullptr, QSize(271, 271), rgb(224, 224, 224), rgb(192, 0, 0), forwarder};
    QtMapSurface& surface = map.surface();
};

TEST_F(QtMapSurfaceTest, StartsGreyInTwipsWithTheDesignedPen) {
    EXPECT_EQ(count(grey), 271 * 271);
    const SurfaceScale scale = surface.scale();
    EXPECT_EQ(scale.left, 0);
    EXPECT_EQ(scale.top, 0);
    EXPECT_EQ(scale.width, 4065);
    EXPECT_EQ(scale.height, 4065);
    surface.point(1500, 750);  // 15 twips to a pixel
    EXPECT_EQ(at(100, 50), qRgb(192, 0, 0));
    EXPECT_EQ(count(qRgb(192, 0, 0)), 1);
}

TEST_F(QtMapSurfaceTest, UserScaleMapsToPixelsWithYUpwardForANegativeHeight) {
    unitPixels();
    struct Case {
        float x, y;
        int px, py;
    };
    const Case cases[] = {
        {-100, 200, 0, 0}, {170, -70, 270, 270}, {0, 150, 100, 50},
        {0, 149, 100, 51}, {-100, -70, 0, 270},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        surface.clear();
        surface.point(c.x, c.y, blue);
        EXPECT_EQ(at(c.px, c.py), toQRgb(blue));
        EXPECT_EQ(count(toQRgb(blue)), 1);
    }
    // Degrees as the map uses them: a quarter degree across, the north-west corner top left.
    surface.setScale({8.4f, 47.6f, 0.25f, -0.25f});
    surface.clear();
    surface.point(8.4f + 0.125f, 47.6f - 0.125f, blue);
    EXPECT_EQ(at(136, 136), toQRgb(blue));
}

TEST_F(QtMapSurfaceTest, MousePositionsComeBackInMapUnits) {
    surface.setScale({8.4f, 47.6f, 0.25f, -0.25f});
    const MapPoint corner = surface.toMap(QPointF(0, 0));
    EXPECT_EQ(corner.x, 8.4f);
    EXPECT_EQ(corner.y, 47.6f);
    const MapPoint p = surface.toMap(QPointF(100, 50));
    EXPECT_FLOAT_EQ(p.x, static_cast<float>(8.4f + 100 * 0.25 / 271));
    EXPECT_FLOAT_EQ(p.y, static_cast<float>(47.6f - 50 * 0.25 / 271));
    // A point drawn where the mouse is lands on the pixel under the mouse.
    surface.point(p.x, p.y, blue);
    EXPECT_EQ(at(100, 50), toQRgb(blue));
}

TEST_F(QtMapSurfaceTest, DotsAreRoundAndAsWideAsThePen) {
    unitPixels();
    struct Case {
        int width;
        int pixels;
    };
    // Width 3 covers the 3 x 3 block; width 5 a disc without its corners.
    for (const Case c : {Case{1, 1}, Case{3, 9}, Case{5, 21}}) {
        SCOPED_TRACE(c.width);
        surface.clear();
        surface.setPenWidth(c.width);
        surface.point(0, 150, blue);
        EXPECT_EQ(count(toQRgb(blue)), c.pixels);
        EXPECT_EQ(at(100, 50), toQRgb(blue));
    }
    // A dot on the edge is cut, not wrapped to the other side.
    surface.clear();
    surface.setPenWidth(3);
    surface.point(-100, 150, blue);
    EXPECT_EQ(count(toQRgb(blue)), 6);
    EXPECT_EQ(at(270, 50), grey);
}

TEST_F(QtMapSurfaceTest, PointsUseThePenColourOrTheirOwn) {
    unitPixels();
    surface.setPenColour(magenta);
    surface.point(0, 150);
    surface.point(10, 150, blue);
    EXPECT_EQ(at(100, 50), toQRgb(magenta));
    EXPECT_EQ(at(110, 50), toQRgb(blue));
}

TEST_F(QtMapSurfaceTest, LinesAreOnePixelInTheirColourFromTheCurrentPoint) {
    unitPixels();
    surface.setCurrentPoint(-90, 180);  // pixel 10, 20
    surface.lineTo(-40, 180, blue);     // pixel 60, 20
    EXPECT_EQ(count(toQRgb(blue)), 51);
    for (int x = 10; x <= 60; ++x) {
        EXPECT_EQ(at(x, 20), toQRgb(blue)) << x;
        EXPECT_EQ(at(x, 19), grey) << x;
        EXPECT_EQ(at(x, 21), grey) << x;
    }
    // The end became the current point: the next line goes on from there.
    surface.lineTo(-40, 130, magenta);  // down to pixel 60, 70
    EXPECT_EQ(at(60, 70), toQRgb(magenta));
    EXPECT_EQ(at(60, 45), toQRgb(magenta));
    EXPECT_EQ(count(toQRgb(magenta)), 51);

    // A diagonal covers one pixel per step; a line between two points takes the pen colour.
    surface.clear();
    surface.setPenColour(blue);
    surface.line(-100, 200, -50, 150);
    EXPECT_EQ(count(toQRgb(blue)), 51);
    EXPECT_EQ(at(25, 25), toQRgb(blue));
}

TEST_F(QtMapSurfaceTest, FarAndInvalidCoordinatesAreCutOrSkipped) {
    unitPixels();
    surface.setPenColour(blue);
    surface.line(-1e30f, 150, 1e30f, 150);
    EXPECT_EQ(count(toQRgb(blue)), 271);
    for (int x = 0; x < 271; ++x) {
        EXPECT_EQ(at(x, 50), toQRgb(blue)) << x;
    }
    // From inside the map to an end far away: the line leaves the map where it should.
    surface.clear();
    surface.line(0, 150, 1e30f, 150 - 1e30f);
    EXPECT_EQ(at(100, 50), toQRgb(blue));
    EXPECT_EQ(at(200, 150), toQRgb(blue));
    EXPECT_EQ(at(270, 220), toQRgb(blue));
    EXPECT_EQ(count(toQRgb(blue)), 171);
    surface.clear();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    surface.line(nan, 150, 0, 0);
    surface.line(-inf, 150, 0, 0);
    surface.point(1e30f, 1e30f);
    surface.point(nan, 0);
    surface.setCurrentPoint(1e30f, -1e30f);
    surface.lineTo(2e30f, -3e30f, blue);
    EXPECT_EQ(count(grey), 271 * 271);
}

TEST_F(QtMapSurfaceTest, BadScaleOrPenWidthIsRefusedAndChangesNothing) {
    unitPixels();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const SurfaceScale bad :
         {SurfaceScale{0, 0, 0, 1}, SurfaceScale{0, 0, 1, 0}, SurfaceScale{nan, 0, 1, 1},
          SurfaceScale{0, 0, inf, 1}, SurfaceScale{0, 0, 1, -inf}}) {
        EXPECT_EQ(test::failureNumber([&] { surface.setScale(bad); }), 5)
            << bad.width << " x " << bad.height;
    }
    EXPECT_EQ(surface.scale().width, 271);
    EXPECT_EQ(surface.scale().height, -271);
    EXPECT_THROW(surface.setPenWidth(0), Failure);
    surface.point(0, 150, blue);
    EXPECT_EQ(count(toQRgb(blue)), 1);
}

TEST_F(QtMapSurfaceTest, ClearErasesThePictureButNotTheMarker) {
    unitPixels();
    surface.setPenWidth(3);
    surface.point(0, 150, blue);
    surface.moveMarker(-50, 100);  // pixel 50, 100
    surface.clear();
    EXPECT_EQ(count(grey), 271 * 271);
    const QImage image = shown();
    EXPECT_EQ(image.pixel(53, 102), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(101, 51), grey);
}

TEST_F(QtMapSurfaceTest, MarkerIsOnTopAtItsPlaceAndNeverInThePicture) {
    unitPixels();
    surface.setMarkerColour(magenta);
    surface.moveMarker(0, 150);  // top left at pixel 100, 50; 6 x 4 pixels
    surface.setPenWidth(5);
    surface.point(3, 148, blue);  // under the marker's middle
    EXPECT_EQ(at(103, 52), toQRgb(blue));
    EXPECT_EQ(count(toQRgb(magenta)), 0);

    const QImage image = shown();
    EXPECT_EQ(image.pixel(103, 52), toQRgb(magenta));
    int marker = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == toQRgb(magenta)) {
                ++marker;
                EXPECT_TRUE(QRect(100, 50, 6, 4).contains(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_GE(marker, 12);
}

TEST_F(QtMapSurfaceTest, MarkerSizeIsPositiveInMapUnits) {
    MarkerSize size = surface.markerSize();
    EXPECT_FLOAT_EQ(size.width, 83);
    EXPECT_FLOAT_EQ(size.height, 60);
    surface.setScale({8.4f, 47.6f, 0.25f, -0.25f});
    size = surface.markerSize();
    EXPECT_FLOAT_EQ(size.width, 83 * 0.25f / 4065);
    EXPECT_FLOAT_EQ(size.height, 60 * 0.25f / 4065);
}

TEST_F(QtMapSurfaceTest, TextAtTheCurrentPointThenTheNextLine) {
    unitPixels();
    surface.setPenColour(rgb(0, 0, 0));
    surface.setCurrentPoint(0, 150);  // pixel 100, 50
    surface.text(" 3");
    const QFontMetrics metrics(map.font());
    const QRect box(100, 50, metrics.horizontalAdvance(" 3"), metrics.height());
    int ink = 0;
    for (int y = 0; y < 271; ++y) {
        for (int x = 0; x < 271; ++x) {
            if (at(x, y) != grey) {
                EXPECT_EQ(at(x, y), qRgb(0, 0, 0));
                EXPECT_TRUE(box.contains(x, y)) << x << "," << y;
                ++ink;
            }
        }
    }
    EXPECT_GT(ink, 5);
    // The leading blank leaves the first pixels empty.
    for (int y = box.top(); y <= box.bottom(); ++y) {
        EXPECT_EQ(at(100, y), grey);
    }
    // The current point went to the left edge, one text line lower: a line from it starts there.
    surface.lineTo(-100, 0, blue);
    const int next = 50 + metrics.height();
    EXPECT_EQ(at(0, next), toQRgb(blue));
    EXPECT_EQ(at(0, next - 1), grey);
}

TEST_F(QtMapSurfaceTest, CursorFileSetsThePointerAndAFailureLeavesItAsItWas) {
    const test::TempFolder folder;
    const auto load = [&](const std::filesystem::path& file) {
        return test::failureNumber([&] { surface.useCursorFile(file); });
    };
    EXPECT_EQ(map.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(load(folder / "h_move.cur"), 53);
    EXPECT_EQ(map.cursor().shape(), Qt::ArrowCursor);

    EXPECT_EQ(load(TL_DRAG_CURSOR), 0);
    EXPECT_EQ(map.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(map.cursor().hotSpot(), QPoint(16, 16));
    EXPECT_EQ(map.cursor().pixmap().size(), QSize(32, 32));

    // Files that hold no cursor: empty, text, the shipped cursor cut short.
    const std::string cursor = test::bytesOf(TL_DRAG_CURSOR);
    ASSERT_GT(cursor.size(), 40u);
    for (const std::string& bytes :
         {std::string(), std::string("path=0\r\n"), cursor.substr(0, 40)}) {
        folder.write("bad.cur", bytes);
        EXPECT_EQ(load(folder / "bad.cur"), 481) << bytes.size() << " bytes";
        EXPECT_EQ(map.cursor().shape(), Qt::BitmapCursor);
    }
    surface.useDefaultPointer();
    EXPECT_EQ(map.cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace tl
