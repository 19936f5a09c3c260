#include <QApplication>
#include <QIcon>
#include <string_view>

#include "core/osfiles/os_file_set.h"
#include "gui/common/application_state.h"
#include "gui/app/main_window.h"
#include "gui/common/qt_prompts.h"
#include "zentavour_version.h"

// The window title carries the version as a fixed text; a new version must update it too.
static_assert(zentavour::kProgramTitle == std::string_view("Zentavour v" ZENTAVOUR_VERSION),
              "kProgramTitle must name the version set in CMakeLists.txt");

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zentavour"));
  QApplication::setApplicationVersion(QLatin1String(zentavour::kVersion));
  // Lets the desktop match the windows to the installed entry and its icon.
  QApplication::setDesktopFileName(QLatin1String(zentavour::kApplicationId));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zentavour.svg")));

  zentavour::QtPrompts prompts;
  zentavour::ApplicationState state(prompts);
  zentavour::MainWindow window(state);
  QObject::connect(&window, &zentavour::MainWindow::exited, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  window.startUp();
  return app.exec();
}
