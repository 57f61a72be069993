#include "ui/main_window.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include "common/failure.h"
#include "ui/control_factory.h"
#include "ui/form_widget.h"
#include "ui/form_window.h"
#include "ui/map_widget.h"
#include "ui/menu_bar.h"
#include "ui/message_box.h"
#include "ui/qt_convert.h"
#include "ui/window_layout.h"

namespace tl {

MainWindow::MainWindow() : forwarder_(*this), form_(std::make_unique<FormWindow>(forwarder_)) {
    form_->setWindowTitle(toQString(WindowLayout::caption));
    form_->setWindowIcon(QIcon(":/terralevel.ico"));
    form_->setFont(ControlFactory::windowFont());
    auto* client = new FormWidget(form_.get());
    form_->setCentralWidget(client);
    form_->layout()->setSizeConstraint(QLayout::SetFixedSize);
    menus_ = std::make_unique<MenuBar>(*form_->menuBar(), forwarder_);

    const ControlFactory factory(*client, forwarder_);
    for (const ControlSpec& control : WindowLayout::controls()) {
        QWidget* widget = factory.create(control);
        controls_.emplace(control.name, widget);
        if (control.kind == ControlKind::Map) {
            map_ = static_cast<MapWidget*>(widget);
        }
    }
    QWidget* previous = nullptr;
    for (const std::string_view name : WindowLayout::focusOrder()) {
        QWidget* next = &control(name);
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, next);
        }
        previous = next;
    }
    presenter_ = [this](std::string_view text) { MessageBox::show(form_.get(), text); };
}

MainWindow::~MainWindow() = default;

QMainWindow* MainWindow::widget() {
    return form_.get();
}

QtMapSurface& MainWindow::surface() {
    if (map_ == nullptr) {
        throw Failure(FailureCode::InvalidCall, "the window is unloaded");
    }
    return map_->surface();
}

QWidget& MainWindow::control(std::string_view name) const {
    const auto found = controls_.find(name);
    if (found == controls_.end()) {
        throw Failure(FailureCode::InvalidCall, "no control " + std::string(name));
    }
    return *found->second;
}

void MainWindow::setText(std::string_view name, std::string_view text) {
    QWidget& widget = control(name);
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
        label->setText(toQString(text));
    } else if (auto* box = qobject_cast<QLineEdit*>(&widget)) {
        box->setText(toQString(text));
    } else if (auto* button = qobject_cast<QPushButton*>(&widget)) {
        button->setText(toQString(text));
    } else {
        throw Failure(FailureCode::InvalidCall, std::string(name) + " has no text");
    }
}

std::string MainWindow::text(std::string_view name) const {
    const QWidget& widget = control(name);
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return toLocalText(label->text());
    }
    if (const auto* box = qobject_cast<const QLineEdit*>(&widget)) {
        return toLocalText(box->text());
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
        return toLocalText(button->text());
    }
    throw Failure(FailureCode::InvalidCall, std::string(name) + " has no text");
}

void MainWindow::setVisible(std::string_view name, bool visible) {
    control(name).setVisible(visible);
}

bool MainWindow::isVisible(std::string_view name) const {
    return !control(name).isHidden();
}

MenuBar& MainWindow::menus() const {
    if (menus_ == nullptr) {
        throw Failure(FailureCode::InvalidCall, "the window is unloaded");
    }
    return *menus_;
}

void MainWindow::setChecked(std::string_view entry, bool checked) {
    menus().setChecked(entry, checked);
}

bool MainWindow::isChecked(std::string_view entry) const {
    return menus().isChecked(entry);
}

void MainWindow::setCaption(std::string_view caption) {
    if (form_) {
        form_->setWindowTitle(toQString(caption));
    }
}

std::string MainWindow::caption() const {
    return form_ ? toLocalText(form_->windowTitle()) : std::string();
}

void MainWindow::showMessage(std::string_view text) {
    presenter_(text);
}

void MainWindow::beep() {
    QApplication::beep();
}

// The window is the program's only form, so it becomes the active form once: when it is first
// shown, before show returns. The window system's own activations (returning from another program
// or from a message box) arrive later and at any moment, even inside a redraw, and are not the
// form's activation.
void MainWindow::show() {
    if (!form_ || form_->isVisible()) {
        return;
    }
    forwarder_.load();
    form_->show();
    form_->activateWindow();
    control(WindowLayout::focusOrder().front()).setFocus();
    forwarder_.activate();
}

void MainWindow::unload() {
    controls_.clear();
    map_ = nullptr;
    menus_.reset();
    if (form_) {
        form_->allowClose();
        form_->close();
        form_.reset();
    }
}

}  // namespace tl
