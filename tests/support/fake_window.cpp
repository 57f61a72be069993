#include "tests/support/fake_window.h"

namespace tl::test {

void FakeWindow::setText(std::string_view control, std::string_view text) {
    texts_[std::string(control)] = text;
    textLog.push_back(std::string(control) + "=" + std::string(text));
}

std::string FakeWindow::text(std::string_view control) const {
    const auto it = texts_.find(control);
    return it == texts_.end() ? std::string() : it->second;
}

void FakeWindow::setVisible(std::string_view control, bool visible) {
    if (visible) {
        if (const auto it = hidden_.find(control); it != hidden_.end()) {
            hidden_.erase(it);
        }
    } else {
        hidden_.emplace(control);
    }
}

bool FakeWindow::isVisible(std::string_view control) const { return !hidden_.contains(control); }

void FakeWindow::setChecked(std::string_view menuEntry, bool checked) {
    if (checked) {
        checked_.emplace(menuEntry);
    } else if (const auto it = checked_.find(menuEntry); it != checked_.end()) {
        checked_.erase(it);
    }
}

bool FakeWindow::isChecked(std::string_view menuEntry) const { return checked_.contains(menuEntry); }

void FakeWindow::showMessage(std::string_view text) {
    messages.emplace_back(text);
    if (onMessage) {
        onMessage(messages.back());
    }
}

void FakeWindow::show() {
    ++shows;
    if (onShow) {
        onShow();
    }
}

}  // namespace tl::test
