// The window tests need a QApplication, made once the tests actually run, so
// that listing them works without any display.
#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

#include "driver.h"

namespace {

class QtApplication final : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "window_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
        QApplication::setApplicationName("zorvane");
        QApplication::setStyle("Fusion");
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

}  // namespace

namespace wt {
std::unique_ptr<conformance::Driver> makeQtDriver();
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The player scenarios every front end plays, here on the Qt window.
    conformance::registerScenarios("Scenarios", &wt::makeQtDriver);
    ::testing::AddGlobalTestEnvironment(new QtApplication);
    return RUN_ALL_TESTS();
}
