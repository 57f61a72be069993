#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/window.h"
#include "ui/event_forwarder.h"

class QMainWindow;
class QWidget;

namespace tl {

class FormWindow;
class MapWidget;
class MenuBar;
class QtMapSurface;

// The main window `frmMain` built from the window's layout tables, as the program sees it:
// controls and menu entries reached by name. Its events go to the handlers given to setEvents.
class MainWindow : public Window {
public:
    // Shows a message to the user and returns when it has been closed.
    using MessagePresenter = std::function<void(std::string_view text)>;

    MainWindow();
    ~MainWindow() override;

    void setEvents(WindowEvents& events) { forwarder_.setEvents(events); }
    // Replaces the modal message box (tests).
    void setMessagePresenter(MessagePresenter presenter) { presenter_ = std::move(presenter); }

    // The map's surface and the top-level widget; both live until unload.
    QtMapSurface& surface();
    QMainWindow* widget();

    // Texts of labels, text boxes and buttons; unknown names throw tl::Failure.
    void setText(std::string_view control, std::string_view text) override;
    std::string text(std::string_view control) const override;
    // A control's own visibility, whether or not the window is shown.
    void setVisible(std::string_view control, bool visible) override;
    bool isVisible(std::string_view control) const override;
    void setChecked(std::string_view menuEntry, bool checked) override;
    bool isChecked(std::string_view menuEntry) const override;
    void setCaption(std::string_view caption) override;
    std::string caption() const override;
    void showMessage(std::string_view text) override;
    void beep() override;
    // Runs the load handler, shows the window with the focus on the first control, then runs the
    // activation handler.
    void show() override;
    // Closes the window and deletes its controls; the window is gone afterwards.
    void unload() override;

private:
    QWidget& control(std::string_view name) const;
    MenuBar& menus() const;

    EventForwarder forwarder_;
    std::unique_ptr<FormWindow> form_;
    std::unique_ptr<MenuBar> menus_;
    std::map<std::string, QWidget*, std::less<>> controls_;
    MapWidget* map_ = nullptr;
    MessagePresenter presenter_;
};

}  // namespace tl
