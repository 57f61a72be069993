// The main window as the program uses it: controls and menu entries by name, messages, showing
// and unloading, and every event reaching its handler.
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <string>
#include <vector>

#include "common/failure.h"
#include "tests/support/test_files.h"
#include "tests/ui/qt_application.h"
#include "tests/ui/recording_events.h"
#include "ui/message_box.h"
#include "ui/qt_map_surface.h"

namespace tl {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        window.setEvents(events);
        window.setMessagePresenter([this](std::string_view text) { messages.emplace_back(text); });
    }

    template <typename T = QWidget>
    T* find(const char* name) {
        return window.widget()->template findChild<T*>(name);
    }
    // The window active, the pointer resting at `pointer`, every event handled, nothing recorded.
    void settle(QPoint pointer) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.widget()));
        QTest::mouseMove(window.widget()->windowHandle(), pointer);
        QApplication::processEvents();
        events.calls.clear();
        events.mouse.clear();
    }

    QApplication& application = test::qtApplication();
    MainWindow window;
    test::RecordingEvents events;
    std::vector<std::string> messages;
};

TEST_F(MainWindowTest, TextsByNameForLabelsTextBoxesAndButtons) {
    const std::string placeName = "Z\xC3\xBCrich <Connect> & more";
    for (const char* name : {"lblLat", "txtArea", "cmdStatus", "lblPC"}) {
        SCOPED_TRACE(name);
        window.setText(name, placeName);
        EXPECT_EQ(window.text(name), placeName);
    }
    EXPECT_EQ(find<QLabel>("lblLat")->text(), QString::fromUtf8(placeName.c_str()));
    // Labels never read their text as markup.
    EXPECT_EQ(find<QLabel>("lblLat")->textFormat(), Qt::PlainText);
    // What the user types is what the program reads.
    find<QLineEdit>("txtElevation")->setText("25.5");
    EXPECT_EQ(window.text("txtElevation"), "25.5");
    window.setText("txtElevation", "");
    EXPECT_EQ(find<QLineEdit>("txtElevation")->text(), "");

    EXPECT_EQ(test::failureNumber([&] { window.setText("lblNothing", "x"); }), 5);
    EXPECT_EQ(test::failureNumber([&] { window.text("mnuGrid"); }), 5);
    EXPECT_EQ(test::failureNumber([&] { window.setText("picMap", "x"); }), 5);
}

// Rows of the picture with any pixel that is not the background.
int inkedRows(const QImage& picture, QRgb background) {
    int rows = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != background) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

TEST_F(MainWindowTest, ShortLabelsShowTheirDigitsWhole) {
    window.show();
    for (const char* name : {"lblPC", "lblGroundAltMm", "lblLat"}) {
        SCOPED_TRACE(name);
        window.setText(name, "16030");
        QWidget* label = find(name);
        // The same digits in a label of the same font with room to spare.
        QLabel roomy("16030");
        roomy.setFont(label->font());
        QPalette colours;
        colours.setColor(QPalette::Window, QColor(224, 224, 224));
        colours.setColor(QPalette::WindowText, label->palette().color(QPalette::WindowText));
        roomy.setPalette(colours);
        roomy.setAutoFillBackground(true);
        roomy.resize(label->width(), 60);
        const QRgb background = qRgb(224, 224, 224);
        EXPECT_EQ(inkedRows(label->grab().toImage(), background),
                  inkedRows(roomy.grab().toImage(), background));
    }
}

TEST_F(MainWindowTest, VisibilityOfAControlWithTheWindowShownOrNot) {
    EXPECT_TRUE(window.isVisible("lblPC"));
    window.setVisible("lblPC", false);
    EXPECT_FALSE(window.isVisible("lblPC"));
    window.show();
    EXPECT_FALSE(find("lblPC")->isVisible());
    EXPECT_TRUE(find("lblLat")->isVisible());
    window.setVisible("lblPC", true);
    EXPECT_TRUE(window.isVisible("lblPC"));
    EXPECT_TRUE(find("lblPC")->isVisible());
    EXPECT_EQ(test::failureNumber([&] { window.setVisible("Label99", false); }), 5);
}

TEST_F(MainWindowTest, CheckMarksAndCaption) {
    std::vector<std::string> entries{"mnuSound",    "mnuPlotPath",      "mnuCounter",
                                     "mnuAllAreas", "mnuAreaNumbers",   "mnuGrid",
                                     "mnuCoords",   "mnuMethodArea16N", "mnuMethodLWM"};
    for (int i = 0; i <= 10; ++i) {
        entries.push_back("mnuGridLod(" + std::to_string(i) + ")");
    }
    for (const std::string& entry : entries) {
        SCOPED_TRACE(entry);
        window.setChecked(entry, true);
        EXPECT_TRUE(window.isChecked(entry));
        EXPECT_TRUE(find<QAction>(entry.c_str())->isChecked());
        window.setChecked(entry, false);
        EXPECT_FALSE(window.isChecked(entry));
    }
    EXPECT_EQ(test::failureNumber([&] { window.setChecked("mnuGridLod(11)", true); }), 5);
    EXPECT_EQ(test::failureNumber([&] { window.isChecked("lblLat"); }), 5);

    window.setCaption("Terralevel - LWM");
    EXPECT_EQ(window.caption(), "Terralevel - LWM");
    EXPECT_EQ(window.widget()->windowTitle(), "Terralevel - LWM");
}

TEST_F(MainWindowTest, MessagesGoToThePresenter) {
    window.showMessage("Connection to Flight Simulator failed!\r\n\r\nPress <Connect>");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Connection to Flight Simulator failed!\r\n\r\nPress <Connect>");
}

TEST_F(MainWindowTest, TheMessageBoxIsModalOkOnlyWithoutIconTitledTerralevel) {
    window.show();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = true;
        EXPECT_EQ(box->windowTitle(), "Terralevel");
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->text(), "Connection lost!\n\nPress the <Connect> button");
        EXPECT_TRUE(box->isModal());
        box->button(QMessageBox::Ok)->click();
    });
    MessageBox::show(window.widget(), "Connection lost!\r\n\r\nPress the <Connect> button");
    EXPECT_TRUE(seen);
}

TEST_F(MainWindowTest, ShowLoadsThenShowsThenActivatesOnce) {
    bool shownDuringLoad = true;
    bool shownDuringActivate = false;
    events.during = [&](const std::string& call) {
        if (call == "Form_Load") {
            shownDuringLoad = window.widget()->isVisible();
            window.setChecked("mnuMethodArea16N", true);
        } else if (call == "Form_Activate") {
            shownDuringActivate = window.widget()->isVisible();
        }
    };
    window.show();
    EXPECT_EQ(events.calls, (std::vector<std::string>{"Form_Load", "Form_Activate"}));
    EXPECT_FALSE(shownDuringLoad);
    EXPECT_TRUE(shownDuringActivate);
    EXPECT_TRUE(window.widget()->isVisible());
    EXPECT_TRUE(window.isChecked("mnuMethodArea16N"));
    EXPECT_EQ(window.widget()->focusWidget(), find("txtArea"));

    // The window system's later activations (after a message box, from another program) are
    // not the form's activation.
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.widget()));
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window.widget(), &activate);
    QApplication::processEvents();
    EXPECT_EQ(events.calls, (std::vector<std::string>{"Form_Load", "Form_Activate"}));
}

TEST_F(MainWindowTest, UnloadClosesTheWindowWithoutAskingTheProgram) {
    window.show();
    QPointer<QMainWindow> form = window.widget();
    events.calls.clear();
    window.unload();
    EXPECT_TRUE(form.isNull());
    EXPECT_EQ(window.widget(), nullptr);
    EXPECT_TRUE(events.calls.empty());
    EXPECT_EQ(test::failureNumber([&] { window.text("lblLat"); }), 5);
    EXPECT_EQ(test::failureNumber([&] { window.surface(); }), 5);
}

TEST_F(MainWindowTest, TheCloseBoxAsksTheProgramAndLeavesTheWindowOpen) {
    window.show();
    events.calls.clear();
    EXPECT_FALSE(window.widget()->close());
    EXPECT_EQ(events.calls, std::vector<std::string>{"Form_CloseRequest"});
    EXPECT_TRUE(window.widget()->isVisible());
}

TEST_F(MainWindowTest, EveryButtonClickReachesItsHandler) {
    window.show();
    for (const char* name :
         {"cmdStatus", "cmdExit", "cmdNewFile", "cmdAddArea", "cmdAddVertex", "cmdLinkVertices",
          "cmdClear", "cmdCreateBGL", "cmdZoomIn", "cmdZoomOut", "cmdRecenter", "cmdRedraw"}) {
        SCOPED_TRACE(name);
        events.calls.clear();
        auto* button = find<QPushButton>(name);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(events.calls, std::vector<std::string>{std::string(name) + "_Click"});
    }
}

TEST_F(MainWindowTest, DoubleClickOnTheElevationBoxOnly) {
    window.show();
    for (const char* name : {"txtElevation", "txtArea"}) {
        SCOPED_TRACE(name);
        const QPoint at = find(name)->mapTo(window.widget(), QPoint(20, 8));
        settle(at);
        QTest::mouseDClick(window.widget()->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
        QApplication::processEvents();
        if (std::string(name) == "txtElevation") {
            EXPECT_EQ(events.calls, std::vector<std::string>{"txtElevation_DblClick"});
        } else {
            EXPECT_TRUE(events.calls.empty());
        }
    }
}

TEST_F(MainWindowTest, MenuEntriesReachTheirHandlersAndLeaveTheMarkToThem) {
    struct Case {
        const char* entry;
        const char* handler;
    };
    const Case cases[] = {
        {"mnuSound", "mnuSound_Click"},
        {"mnuPlotPath", "mnuPlotPath_Click"},
        {"mnuCounter", "mnuCounter_Click"},
        {"mnuAllAreas", "mnuAllAreas_Click"},
        {"mnuAreaNumbers", "mnuAreaNumbers_Click"},
        {"mnuGrid", "mnuGrid_Click"},
        {"mnuCoords", "mnuCoords_Click"},
        {"mnuGridLod(0)", "mnuGridLod_Click(0)"},
        {"mnuGridLod(8)", "mnuGridLod_Click(8)"},
        {"mnuGridLod(10)", "mnuGridLod_Click(10)"},
        {"mnuMethodArea16N", "mnuMethodArea16N_Click"},
        {"mnuMethodLWM", "mnuMethodLWM_Click"},
    };
    window.show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        auto* action = find<QAction>(c.entry);
        ASSERT_NE(action, nullptr);
        const bool before = action->isChecked();
        events.calls.clear();
        action->trigger();
        EXPECT_EQ(events.calls, std::vector<std::string>{c.handler});
        EXPECT_EQ(action->isChecked(), before);
    }
    // A handler that sets the mark keeps it.
    events.during = [&](const std::string&) { window.setChecked("mnuGrid", true); };
    window.setChecked("mnuGrid", false);
    find<QAction>("mnuGrid")->trigger();
    EXPECT_TRUE(window.isChecked("mnuGrid"));
}

TEST_F(MainWindowTest, MapMouseEventsArriveInMapUnits) {
    window.show();
    window.surface().setScale({8.4f, 47.6f, 0.25f, -0.25f});
    QWidget* map = find("picMap");
    const auto x = [](int pixel) { return static_cast<float>(8.4f + pixel * 0.25 / 271); };
    const auto y = [](int pixel) { return static_cast<float>(47.6f - pixel * 0.25 / 271); };
    // Through the window system's path, as the user's mouse arrives.
    QWindow* screen = window.widget()->windowHandle();
    const auto at = [&](int px, int py) { return map->mapTo(window.widget(), QPoint(px, py)); };
    settle(at(100, 50));
    QTest::mousePress(screen, Qt::RightButton, Qt::ShiftModifier, at(100, 50));
    QTest::mouseMove(screen, at(120, 60));
    QTest::mouseRelease(screen, Qt::RightButton, Qt::ControlModifier, at(120, 60));
    QApplication::processEvents();
    const std::vector<std::string> expected{"picMap_MouseDown", "picMap_MouseMove",
                                            "picMap_MouseUp"};
    ASSERT_EQ(events.calls, expected);
    struct Seen {
        int button, shift, px, py;
    };
    // While a button is held the move reports it; each end reports its own button and keys.
    const Seen seen[] = {{2, 1, 100, 50}, {2, 0, 120, 60}, {2, 2, 120, 60}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i]);
        EXPECT_EQ(events.mouse[i].button, seen[i].button);
        EXPECT_EQ(events.mouse[i].shift, seen[i].shift);
        EXPECT_FLOAT_EQ(events.mouse[i].x, x(seen[i].px));
        EXPECT_FLOAT_EQ(events.mouse[i].y, y(seen[i].py));
    }
}

TEST_F(MainWindowTest, MapDoubleClickIsNotASecondButtonDown) {
    window.show();
    const QPoint at = find("picMap")->mapTo(window.widget(), QPoint(10, 10));
    settle(at);
    QTest::mouseDClick(window.widget()->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    QApplication::processEvents();
    const std::vector<std::string> expected{"picMap_MouseDown", "picMap_MouseUp", "picMap_DblClick",
                                            "picMap_MouseUp"};
    EXPECT_EQ(events.calls, expected);
}

TEST_F(MainWindowTest, AFailureEscapingAHandlerIsReportedUnderItsName) {
    window.show();
    events.during = [](const std::string& call) {
        if (call == "cmdExit_Click" || call == "mnuGridLod_Click(3)") {
            throw Failure(FailureCode::IndexOutOfRange);
        }
    };
    QTest::mouseClick(find("cmdExit"), Qt::LeftButton);
    find<QAction>("mnuGridLod(3)")->trigger();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0],
              "Error encountered in procedure cmdExit_Click\r\n\r\nError Number: 9\r\n"
              "Subscript out of range");
    EXPECT_TRUE(messages[1].starts_with("Error encountered in procedure mnuGridLod_Click\r\n"));
}

}  // namespace
}  // namespace tl
