// Start-up to a shown main window: the application object, the main window with its menu, the
// OS Data panel, and the first paint of the panel. The About box, which waits for the user, is
// left out.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <cstdlib>

#include "gui/common/application_state.h"
#include "gui/app/main_window.h"
#include "gui/common/qt_prompts.h"

namespace {

class PaintWatch : public QObject {
 public:
  bool painted = false;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

void StartUpToShownMainWindow(benchmark::State& bench) {
  for (auto _ : bench) {
    zentavour::QtPrompts prompts;
    zentavour::ApplicationState state(prompts);
    zentavour::MainWindow window(state);
    window.show();
    window.createOsDataPanel();
    PaintWatch watch;
    window.osDataPanel()->installEventFilter(&watch);
    QElapsedTimer limit;
    limit.start();
    while (!watch.painted && limit.elapsed() < 5000) {
      QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    if (!watch.painted) bench.SkipWithError("the panel was never painted");
    bench.PauseTiming();
    window.osDataPanel()->removeEventFilter(&watch);
    window.hide();
    bench.ResumeTiming();
  }
}
// The first start in the process pays for loading fonts, styles and the platform plugin's
// windows, as a real start does; the repeated runs show the windows' own cost.
BENCHMARK(StartUpToShownMainWindow)
    ->Name("FirstStartUpInProcess")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(StartUpToShownMainWindow)
    ->Name("RepeatedStartUp")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
