#pragma once

#include <QApplication>

namespace tl::test {

// The one application object of a test program, made on first use; offscreen unless a platform
// is chosen.
inline QApplication& qtApplication() {
    static int argc = 1;
    static char name[] = "terralevel-test";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static QApplication application(argc, argv);
    return application;
}

}  // namespace tl::test
