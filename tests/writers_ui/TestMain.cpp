// One QApplication for every dialog test, created before the first test runs.
#include <QApplication>

#include <gtest/gtest.h>

namespace {

class QtApplication final : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "writers_ui_tests";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
    }
    void TearDown() override {
        delete app_;
        app_ = nullptr;
    }

private:
    QApplication* app_ = nullptr;
};

const auto* const kQtApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

} // namespace
