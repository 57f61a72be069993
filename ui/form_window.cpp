#include "ui/form_window.h"

#include <QCloseEvent>

namespace tl {

FormWindow::FormWindow(EventForwarder& forwarder) : forwarder_(forwarder) {}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    event->ignore();
    forwarder_.closeRequest();
}

}  // namespace tl
