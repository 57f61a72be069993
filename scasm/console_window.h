#pragma once

#include <ostream>

#include "core/window.h"

namespace tl {

// The window of a build run from the command line: messages go to a stream as plain text, with
// CR LF turned into line ends; everything else does nothing.
class ConsoleWindow : public Window {
public:
    explicit ConsoleWindow(std::ostream& out) : out_(out) {}

    void setText(std::string_view, std::string_view) override {}
    std::string text(std::string_view) const override { return {}; }
    void setVisible(std::string_view, bool) override {}
    bool isVisible(std::string_view) const override { return false; }
    void setChecked(std::string_view, bool) override {}
    bool isChecked(std::string_view) const override { return false; }
    void setCaption(std::string_view) override {}
    std::string caption() const override { return {}; }
    void showMessage(std::string_view text) override;
    void beep() override {}
    void show() override {}
    void unload() override {}

private:
    std::ostream& out_;
};

}  // namespace tl
