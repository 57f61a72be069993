#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace tl::test {

// The one application object of a test program: made before the first test (offscreen unless a
// platform is chosen) and gone before the program's own statics are destroyed, which Qt needs.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        application_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "terralevel-test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

inline ::testing::Environment* const qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

inline QApplication& qtApplication() {
    return *qobject_cast<QApplication*>(qApp);
}

}  // namespace tl::test
