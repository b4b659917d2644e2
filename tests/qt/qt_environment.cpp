// The one QApplication of the widget tests, made before the first test and deleted after the
// last. On the offscreen platform its screen is 1280 x 1024, where every window fits at its
// design size (the platform's default 800 x 600 would scale the taller windows down).
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryFile>

#include <cstdlib>
#include <string>

#include "app/qt/offscreen_screen.h"

namespace {

class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "qt_tests";
        static char* argv[] = {name, nullptr};
        const char* platform = std::getenv("QT_QPA_PLATFORM");
        if (platform && std::string(platform) == "offscreen")
            pile::useOffscreenScreen(m_screenConfig, QSize(1280, 1024));
        m_app = new QApplication(argc, argv);
    }
    void TearDown() override { delete m_app; }

  private:
    QApplication* m_app = nullptr;
    QTemporaryFile m_screenConfig;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
