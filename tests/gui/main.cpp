#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// Every GUI test runs headless with the toolkit's own widgets, so no native chooser or platform
// theme can take over a test.
int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  unsetenv("QT_QPA_PLATFORMTHEME");
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
