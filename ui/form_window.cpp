#include "ui/form_window.h"

#include <QCloseEvent>

namespace tl {

FormWindow::FormWindow(EventForwarder& forwarder) : forwarder_(forwarder) {}

bool FormWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        forwarder_.activate();
    }
    return QMainWindow::event(event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    event->ignore();
    forwarder_.closeRequest();
}

}  // namespace tl
