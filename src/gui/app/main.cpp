#include <QApplication>
#include <QIcon>

#include "gui/app/application_state.h"
#include "gui/app/main_window.h"
#include "gui/common/qt_prompts.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zentavour"));
  QApplication::setApplicationVersion(QStringLiteral("1.75"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zentavour.svg")));

  zentavour::QtPrompts prompts;
  zentavour::ApplicationState state(prompts);
  zentavour::MainWindow window(state);
  QObject::connect(&window, &zentavour::MainWindow::exited, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  window.startUp();
  return app.exec();
}
