#include <QApplication>
#include <QIcon>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "core/osfiles/os_file_set.h"
#include "gui/app/command_line.h"
#include "gui/app/desktop_integration.h"
#include "gui/app/main_window.h"
#include "gui/common/app_settings.h"
#include "gui/common/application_state.h"
#include "gui/common/qt_prompts.h"
#include "zentavour_version.h"

// The window title carries the version as a fixed text; a new version must update it too.
static_assert(zentavour::kProgramTitle == std::string_view("Zentavour v" ZENTAVOUR_VERSION),
              "kProgramTitle must name the version set in CMakeLists.txt");

int main(int argc, char* argv[]) {
  // --help and --version answer before the windowing system is asked for, so they work
  // without a display.
  QStringList early;
  for (int i = 1; i < argc; ++i) early.push_back(QString::fromLocal8Bit(argv[i]));
  const zentavour::CommandLine asked = zentavour::ParseCommandLine(early);
  if (asked.help) {
    std::fputs(zentavour::CommandLineUsage().toLocal8Bit().constData(), stdout);
    return 0;
  }
  if (asked.version) {
    std::printf("zentavour (Zentavour) %s\n", zentavour::kVersion);
    return 0;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zentavour"));
  QApplication::setApplicationVersion(QLatin1String(zentavour::kVersion));
  // Lets the desktop match the windows to the installed entry and its icon.
  QApplication::setDesktopFileName(QLatin1String(zentavour::kApplicationId));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zentavour.svg")));

  // The toolkit has taken its own options (-platform ...); what is left is the program's.
  const zentavour::CommandLine line = zentavour::ParseCommandLine(app.arguments().mid(1));
  if (!line.error.isEmpty()) {
    std::fprintf(stderr, "zentavour: %s\n\n%s", line.error.toLocal8Bit().constData(),
                 zentavour::CommandLineUsage().toLocal8Bit().constData());
    return 2;
  }

  zentavour::AppSettings settings;
  zentavour::QtPrompts prompts;
  prompts.setSettings(&settings);
  zentavour::ApplicationState state(prompts);
  zentavour::MainWindow window(state);
  zentavour::DesktopIntegration desktop(
      window, state, settings, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
  QObject::connect(&window, &zentavour::MainWindow::exited, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  window.startUp();
  // Files named on the command line open once the window is up, each as its command would.
  const QList<zentavour::OpenTarget> targets = zentavour::ClassifyPaths(line.paths);
  if (!targets.isEmpty()) QTimer::singleShot(0, &desktop, [&] { desktop.open(targets); });
  return app.exec();
}
