#include "ui/qt_event_pump.h"

#include <QCoreApplication>
#include <QThread>

namespace tl {

void QtEventPump::yield() {
    if (sinceEvents_.isValid() && sinceEvents_.nsecsElapsed() < yieldIntervalNs) {
        return;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    sinceEvents_.start();
}

void QtEventPump::waitForEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    sinceEvents_.start();
}

void QtEventPump::pause(int milliseconds) {
    if (milliseconds > 0) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    }
}

}  // namespace tl
