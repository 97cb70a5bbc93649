// One QApplication for the whole widget-test program (Qt allows one per process); the tests
// run on the offscreen platform.
#include <gtest/gtest.h>
#include <QApplication>

#include <memory>

namespace {

class TQtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        // The offscreen platform unless the run asks for another (QT_QPA_PLATFORM=xcb runs the
        // X11 tests on Qt's own connection): ctest's environment list reaches the test only in
        // part, so the default is set here.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        FApp = std::make_unique<QApplication>(FArgc, FArgv);
    }
    void TearDown() override { FApp.reset(); }

  private:
    int FArgc = 1;
    char FName[16] = "qb_gui_tests";
    char* FArgv[2] = {FName, nullptr};
    std::unique_ptr<QApplication> FApp;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new TQtEnvironment);

}  // namespace
