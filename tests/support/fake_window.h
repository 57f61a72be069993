#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/window.h"

namespace tl::test {

// Records what the program shows: texts by control name, check marks, visibility, the caption,
// every message box and beep.
class FakeWindow : public Window {
public:
    void setText(std::string_view control, std::string_view text) override;
    std::string text(std::string_view control) const override;
    void setVisible(std::string_view control, bool visible) override;
    bool isVisible(std::string_view control) const override;
    void setChecked(std::string_view menuEntry, bool checked) override;
    bool isChecked(std::string_view menuEntry) const override;
    void setCaption(std::string_view caption) override { caption_ = caption; }
    std::string caption() const override { return caption_; }
    void showMessage(std::string_view text) override;
    void beep() override { ++beeps; }
    void show() override;
    void unload() override { ++unloads; }

    std::vector<std::string> messages;
    // Every text set, in order, as "control=text".
    std::vector<std::string> textLog;
    int beeps = 0;
    int shows = 0;
    int unloads = 0;
    // Runs when the window is shown (the load handler) and when a message box opens.
    std::function<void()> onShow;
    std::function<void(const std::string&)> onMessage;

private:
    std::map<std::string, std::string, std::less<>> texts_;
    std::set<std::string, std::less<>> hidden_;
    std::set<std::string, std::less<>> checked_;
    std::string caption_;
};

}  // namespace tl::test
