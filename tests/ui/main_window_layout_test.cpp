// The built window read back against the designed window: every control, line and menu, the focus
// order, caption, client area and icon. The expected values are written out here on their own,
// so that a wrong layout table shows up.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "tests/ui/qt_application.h"
#include "ui/main_window.h"

namespace tl {
namespace {

// c caption label, v aircraft value label, i info label, r the red notice, t text box, b button
struct Expected {
    const char* name;
    char kind;
    const char* text;
    int left, top, width, height;
    char align;  // l, r, c
};

const Expected expectedControls[] = {
    {"Label4", 'c', "Area Name", 330, 360, 1005, 255, 'l'},
    {"txtArea", 't', "", 1530, 240, 2475, 285, 'l'},
    {"lblElevation", 'c', "Elevation (m)", 315, 645, 1125, 255, 'l'},
    {"txtElevation", 't', "", 1530, 600, 2475, 285, 'l'},
    {"cmdNewFile", 'b', "New File", 270, 990, 1200, 325, 'c'},
    {"cmdAddArea", 'b', "New Area", 1530, 990, 1200, 325, 'c'},
    {"cmdCreateBGL", 'b', "Create bgl (s)", 2790, 990, 1200, 325, 'c'},
    {"Label10", 'c', "Map Scale (degrees)", 450, 1680, 1545, 225, 'l'},
    {"lblScale", 'i', "Scale", 900, 1980, 1005, 225, 'l'},
    {"cmdRecenter", 'b', "Recenter Map", 2430, 1620, 1400, 325, 'c'},
    {"cmdLinkVertices", 'b', "Link Vertices", 2430, 1980, 1400, 325, 'c'},
    {"cmdZoomIn", 'b', "Zoom In", 450, 2340, 1400, 325, 'c'},
    {"cmdRedraw", 'b', "Redraw Map", 2430, 2340, 1400, 325, 'c'},
    {"cmdZoomOut", 'b', "Zoom Out", 450, 2700, 1400, 325, 'c'},
    {"cmdClear", 'b', "Clear Path", 2430, 2700, 1400, 325, 'c'},
    {"Label7", 'c', "Mouse Lat", 270, 7380, 1005, 225, 'l'},
    {"lblMouseY", 'i', "N/A", 1260, 7380, 1095, 225, 'r'},
    {"Label11", 'c', "Mouse Long", 270, 7590, 1005, 225, 'l'},
    {"lblMouseX", 'i', "N/A", 1260, 7590, 1095, 225, 'r'},
    {"Label8", 'c', "LOD   8 Cell", 240, 7995, 1005, 225, 'l'},
    {"lblLOD08cellX", 'i', "N/A", 1680, 7995, 330, 225, 'r'},
    {"lblLOD08cellY", 'i', "N/A", 2025, 7995, 330, 225, 'r'},
    {"Label12", 'c', "LOD 13 Area", 240, 8175, 1005, 225, 'l'},
    {"lblLOD13AreaX", 'i', "N/A", 1680, 8190, 330, 225, 'r'},
    {"lblLOD13AreaY", 'i', "N/A", 2025, 8190, 330, 225, 'r'},
    {"lblHypFile", 'i', "N/A", 2790, 7380, 1185, 225, 'c'},
    {"lblHypN", 'i', "N/A", 3060, 7740, 600, 225, 'c'},
    {"lblHypW", 'i', "N/A", 2670, 8025, 600, 225, 'c'},
    {"lblHypE", 'i', "N/A", 3390, 8025, 600, 225, 'c'},
    {"lblHypS", 'i', "N/A", 3030, 8295, 600, 225, 'c'},
    {"Label6", 'c', "Ground Elevation", 270, 8715, 1365, 255, 'l'},
    {"lblGroundAlt", 'v', "N/A", 1620, 8730, 1245, 255, 'l'},
    {"lblGroundAltM", 'v', "N/A", 2970, 8715, 465, 195, 'r'},
    {"lblGroundAltMm", 'v', "N/A", 3480, 8715, 330, 195, 'r'},
    {"Label2", 'c', "Latitude", 270, 9015, 1005, 255, 'l'},
    {"lblLat", 'v', "N/A", 2175, 9015, 1635, 195, 'r'},
    {"Label3", 'c', "Longitude", 270, 9225, 1005, 255, 'l'},
    {"lblLon", 'v', "N/A", 2175, 9225, 1635, 195, 'r'},
    {"Label13", 'c', "LOD 13 Area Point", 270, 9495, 1995, 225, 'l'},
    {"lblAreaPtX", 'v', "N/A", 3150, 9495, 330, 195, 'r'},
    {"lblAreaPtY", 'v', "N/A", 3480, 9495, 330, 195, 'r'},
    {"cmdAddVertex", 'b', "Add Vertex", 150, 9765, 3885, 325, 'c'},
    {"Label5", 'r', "Record coordinates Counter-Clockwise", 150, 10170, 3795, 255, 'c'},
    {"cmdStatus", 'b', "Start", 60, 10605, 825, 325, 'c'},
    {"lblPC", 'i', "", 1320, 10695, 1095, 165, 'r'},
    {"cmdExit", 'b', "Exit", 3330, 10605, 825, 325, 'c'},
};

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QRect rectOf(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

const QColor navy(0, 0, 128);
const QColor grey(224, 224, 224);

class MainWindowLayout : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        form = window.widget();
        client = form->centralWidget();
    }

    QWidget* find(const char* name) const { return client->findChild<QWidget*>(name); }

    QApplication& application = test::qtApplication();
    MainWindow window;
    QMainWindow* form = nullptr;
    QWidget* client = nullptr;
};

TEST_F(MainWindowLayout, EveryControlHasItsPlaceTextFontColoursAndAlignment) {
    const QColor systemText = QApplication::palette().color(QPalette::WindowText);
    for (const Expected& e : expectedControls) {
        SCOPED_TRACE(e.name);
        QWidget* widget = find(e.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget(), client);
        EXPECT_EQ(widget->geometry(), rectOf(e.left, e.top, e.width, e.height));
        EXPECT_TRUE(widget->isVisible());

        const QFont font = widget->font();
        EXPECT_EQ(font.families().value(0), "MS Sans Serif");
        EXPECT_EQ(font.styleHint(), QFont::SansSerif);
        EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
        EXPECT_EQ(font.bold(), e.kind == 't' || e.kind == 'r');

        const QPalette colours = widget->palette();
        switch (e.kind) {
            case 't': {
                auto* box = qobject_cast<QLineEdit*>(widget);
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->text(), e.text);
                EXPECT_EQ(colours.color(QPalette::Text), QColor(0, 0, 192));
                EXPECT_EQ(colours.color(QPalette::Base), QColor(192, 192, 192));
                break;
            }
            case 'b': {
                auto* button = qobject_cast<QPushButton*>(widget);
                ASSERT_NE(button, nullptr);
                EXPECT_EQ(button->text(), e.text);
                const QColor face = std::string(e.name) == "cmdAddVertex"
                                        ? QColor(204, 204, 224)
                                        : QApplication::palette().color(QPalette::Button);
                EXPECT_EQ(colours.color(QPalette::Button), face);
                break;
            }
            default: {
                auto* label = qobject_cast<QLabel*>(widget);
                ASSERT_NE(label, nullptr);
                EXPECT_EQ(label->text(), e.text);
                const Qt::Alignment side = e.align == 'l'   ? Qt::AlignLeft
                                           : e.align == 'r' ? Qt::AlignRight
                                                            : Qt::AlignHCenter;
                EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, side);
                const QColor text = e.kind == 'c'   ? navy
                                    : e.kind == 'v' ? QColor(0, 0, 0)
                                    : e.kind == 'r' ? QColor(192, 0, 0)
                                                    : systemText;
                EXPECT_EQ(colours.color(QPalette::WindowText), text);
                // Info labels have a grey background of their own; the others are transparent.
                EXPECT_EQ(label->autoFillBackground(), e.kind == 'i');
                if (e.kind == 'i') {
                    EXPECT_EQ(colours.color(QPalette::Window), grey);
                }
            }
        }
    }
}

TEST_F(MainWindowLayout, TextBoxesShowTheirColoursWhenDrawn) {
    const QImage picture = client->grab().toImage();
    for (const char* name : {"txtArea", "txtElevation"}) {
        SCOPED_TRACE(name);
        const QRect box = find(name)->geometry();
        // Well inside the frame, right of any text.
        EXPECT_EQ(picture.pixelColor(box.right() - 6, box.center().y()), QColor(192, 192, 192));
    }
}

TEST_F(MainWindowLayout, TheMapIsASquareGreySurfaceWithTheRedMarker) {
    QWidget* map = find("picMap");
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->geometry(), rectOf(90, 3150, 4065, 4065));
    const QImage picture = map->grab().toImage();
    EXPECT_EQ(picture.pixelColor(5, 5), grey);
    EXPECT_EQ(picture.pixelColor(260, 260), grey);
    // planeCursor: 83 x 60 twips at 1980, 2070.
    const QRect marker = rectOf(1980, 2070, 83, 60);
    EXPECT_EQ(picture.pixelColor(marker.center()), QColor(255, 0, 0));
    EXPECT_EQ(picture.pixelColor(marker.left() - 2, marker.center().y()), grey);
    EXPECT_EQ(picture.pixelColor(marker.right() + 2, marker.center().y()), grey);
}

TEST_F(MainWindowLayout, FrameLinesAreOnePixelNavy) {
    struct Line {
        const char* name;
        int x1, y1, x2, y2;
    };
    const Line lines[] = {
        {"Line1", 0, 90, 0, 10530},        {"Line2", 4230, 90, 4230, 10530},
        {"Line3", 4230, 90, 0, 90},        {"Line7", 4230, 10530, 0, 10530},
        {"Line4", 4050, 1440, 180, 1440},  {"Line5", 4050, 8550, 180, 8550},
        {"Line6", 2625, 7365, 2625, 8460},
    };
    const QImage picture = client->grab().toImage();
    for (const Line& line : lines) {
        SCOPED_TRACE(line.name);
        const QPoint a(px(line.x1), px(line.y1));
        const QPoint b(px(line.x2), px(line.y2));
        const QPoint middle = (a + b) / 2;
        for (const QPoint& p : {a, middle, b}) {
            EXPECT_EQ(picture.pixelColor(p), navy) << p.x() << "," << p.y();
        }
        // One pixel wide: the pixels beside the middle are not navy.
        const QPoint across = a.x() == b.x() ? QPoint(1, 0) : QPoint(0, 1);
        for (const QPoint& p : {middle - across, middle + across}) {
            if (picture.rect().contains(p)) {
                EXPECT_NE(picture.pixelColor(p), navy) << p.x() << "," << p.y();
            }
        }
    }
}

TEST_F(MainWindowLayout, CaptionClientAreaBackgroundAndIcon) {
    EXPECT_EQ(form->windowTitle(), "Terralevel - Area16N");
    EXPECT_EQ(client->size(), QSize(284, 734));
    EXPECT_GE(client->geometry().top(), form->menuBar()->geometry().bottom());
    // A fixed size: the window cannot be resized.
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(client->palette().color(QPalette::Window), grey);
    EXPECT_EQ(client->grab().toImage().pixelColor(140, 170), grey);

    const QList<QSize> sizes = form->windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
}

TEST_F(MainWindowLayout, MenusWithTheirEntriesAndMarks) {
    struct Entry {
        const char* name;
        const char* caption;
        bool checked;
    };
    struct Menu {
        const char* caption;
        std::vector<Entry> entries;
    };
    const Menu menus[] = {
        {"Settings",
         {{"mnuSound", "Play Sound", true},
          {"mnuPlotPath", "Plot Path", false},
          {"mnuCounter", "Show Counter", false},
          {"mnuAllAreas", "Show All Areas", false},
          {"mnuAreaNumbers", "Show Area Numbers", false},
          {"mnuGrid", "Show Grid", false},
          {"mnuCoords", "Coordinates as DD MM.mm", false}}},
        {"Grid LOD",
         {{"mnuGridLod(0)", "LOD  5", false},
          {"mnuGridLod(1)", "LOD  6", false},
          {"mnuGridLod(2)", "LOD  7", false},
          {"mnuGridLod(3)", "LOD  8", false},
          {"mnuGridLod(4)", "LOD  9", false},
          {"mnuGridLod(5)", "LOD 10", false},
          {"mnuGridLod(6)", "LOD 11", false},
          {"mnuGridLod(7)", "LOD 12", false},
          {"mnuGridLod(8)", "LOD 13", false},
          {"mnuGridLod(9)", "LOD 14", false},
          {"mnuGridLod(10)", "LOD 15", false}}},
        {"Method", {{"mnuMethodArea16N", "Area16N", false}, {"mnuMethodLWM", "LWM", false}}},
    };
    const QList<QAction*> bar = form->menuBar()->actions();
    ASSERT_EQ(bar.size(), std::size(menus));
    for (std::size_t m = 0; m < std::size(menus); ++m) {
        SCOPED_TRACE(menus[m].caption);
        EXPECT_EQ(bar[m]->text(), menus[m].caption);
        ASSERT_NE(bar[m]->menu(), nullptr);
        const QList<QAction*> entries = bar[m]->menu()->actions();
        ASSERT_EQ(entries.size(), static_cast<qsizetype>(menus[m].entries.size()));
        for (std::size_t i = 0; i < menus[m].entries.size(); ++i) {
            const Entry& e = menus[m].entries[i];
            SCOPED_TRACE(e.name);
            EXPECT_EQ(entries[static_cast<qsizetype>(i)]->objectName(), e.name);
            EXPECT_EQ(entries[static_cast<qsizetype>(i)]->text(), e.caption);
            EXPECT_TRUE(entries[static_cast<qsizetype>(i)]->isCheckable());
            EXPECT_EQ(entries[static_cast<qsizetype>(i)]->isChecked(), e.checked);
            EXPECT_EQ(window.isChecked(e.name), e.checked);
        }
    }
}

TEST_F(MainWindowLayout, FocusMovesThroughTheControlsInTabOrder) {
    const std::vector<std::string> expected{
        "txtArea",    "txtElevation", "cmdAddArea",      "cmdAddVertex", "cmdExit",
        "cmdNewFile", "cmdCreateBGL", "picMap",          "cmdRedraw",    "cmdZoomIn",
        "cmdZoomOut", "cmdRecenter",  "cmdLinkVertices", "cmdClear",     "cmdStatus",
    };
    QWidget* first = find("txtArea");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(form->focusWidget(), first);
    std::vector<std::string> order;
    QWidget* widget = first;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisible()) {
            order.push_back(widget->objectName().toStdString());
        }
        widget = widget->nextInFocusChain();
    } while (widget != first && order.size() <= expected.size());
    EXPECT_EQ(order, expected);
}

}  // namespace
}  // namespace tl
