// The largest picture (288 x 101 cells) in the graphic editor: a full repaint and a one-cell
// paint as the window does them (cells drawn once into a picture that the window copies from)
// against drawing every cell as its own outlined rectangle, and the one-cell paint against the
// toolkit's floor for it, on a screen of pixel ratio 1 and on one of ratio 2 (the argument).
// And one pass of the PC font import.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/bitmaps/pixel_editor.h"
#include "gui/bitmaps/glyph_rendering.h"
#include "gui/bitmaps/grid_picture.h"
#include "gui/bitmaps/pixel_editor_window.h"
#include "gui/common/qt_prompts.h"

namespace {

using namespace zentavour;

constexpr int kBytesPerRow = 36;
constexpr int kRows = 101;

// A picture with ink in about every third cell.
Bytes PictureImage() {
  Bytes image(kBytesPerRow * kRows, 0);
  for (std::size_t i = 0; i < image.size(); ++i)
    image[i] = static_cast<std::uint8_t>(0x49 << (i % 3));
  return image;
}

PixelEditor LargestPicture() {
  static const Bytes image = PictureImage();
  return std::move(*PixelEditor::ForGraphic(image, GraphicTarget{0, kBytesPerRow, kRows}));
}

void Flush() {
  QCoreApplication::sendPostedEvents();
}

// Counts the window's paints, so a figure that painted nothing is caught.
class PaintCount : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// The window, shown on the screen of the benchmark's pixel ratio, with everything painted once.
struct ShownEditor {
  QtPrompts prompts;
  PixelEditorWindow* window = new PixelEditorWindow(LargestPicture(), {}, prompts);
  PaintCount count;
  int ratio;
  explicit ShownEditor(const benchmark::State& state) : ratio(static_cast<int>(state.range(0))) {
    // main() sets up one screen per ratio, ratio 1 first.
    if (QScreen* screen = QGuiApplication::screens().value(ratio - 1)) {
      window->setScreen(screen);
      window->move(screen->geometry().topLeft());
    }
    window->canvas()->installEventFilter(&count);
    window->show();
    QApplication::processEvents();
    Flush();
  }
  // Reports a run whose paints did not happen or happened at another ratio.
  void check(benchmark::State& state) {
    if (count.paints < static_cast<int>(state.iterations())) state.SkipWithError("no paint");
    if (window->picture().pixelRatio() != ratio) state.SkipWithError("another pixel ratio");
  }
  ~ShownEditor() { delete window; }
};

void WindowFullRepaint(benchmark::State& state) {
  ShownEditor editor(state);
  for (auto _ : state) {
    editor.window->canvas()->update();
    Flush();
  }
  editor.check(state);
}

void WindowOperationAndFullRepaint(benchmark::State& state) {
  ShownEditor editor(state);
  QPushButton* invert = editor.window->button(EditorCommand::Invert);
  for (auto _ : state) {
    invert->click();
    Flush();
  }
  editor.check(state);
}

void WindowOneCellPaint(benchmark::State& state) {
  ShownEditor editor(state);
  const PixelRect cell = editor.window->editor().geometry().CellRect(CellPosition{50, 144});
  const QPointF at((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
  bool paint = true;
  for (auto _ : state) {
    // Left paints the cell, right erases it: every event changes exactly one cell.
    const Qt::MouseButton button = paint ? Qt::LeftButton : Qt::RightButton;
    QMouseEvent down(QEvent::MouseButtonPress, at, at, button, button, Qt::NoModifier);
    QMouseEvent up(QEvent::MouseButtonRelease, at, at, button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(editor.window->canvas(), &down);
    Flush();
    state.PauseTiming();
    QApplication::sendEvent(editor.window->canvas(), &up);
    state.ResumeTiming();
    paint = !paint;
  }
  editor.check(state);
}

// The toolkit's own floor for a one-cell paint: a bare widget of the editor window's size, on the
// screen of the same ratio, that on the same press event repaints one cell-sized rectangle
// (opaque, as the editor's grid is) and is flushed the same way.
class OneRectWidget : public QWidget {
 public:
  explicit OneRectWidget(QRect cell) : cell_(cell) { setAttribute(Qt::WA_OpaquePaintEvent); }

 protected:
  void mousePressEvent(QMouseEvent*) override {
    ink_ = !ink_;
    update(cell_);
  }
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(cell_, ink_ ? Qt::black : Qt::white);
  }

 private:
  QRect cell_;
  bool ink_ = false;
};

// A bare widget of the editor window's size on the screen of the benchmark's ratio, shown and
// painted once; `rect` is what a press repaints (a cell, or everything).
struct ShownFloor {
  std::unique_ptr<OneRectWidget> widget;
  PaintCount count;
  QRect cell;
  explicit ShownFloor(const benchmark::State& state, bool whole) {
    QSize size;
    {
      ShownEditor editor(state);
      size = editor.window->size();
      const PixelRect update =
          editor.window->editor().geometry().CellUpdateRect(CellPosition{50, 144});
      cell = QRect(update.left, update.top, update.width(), update.height())
                 .translated(editor.window->canvas()->mapTo(editor.window, QPoint(0, 0)));
    }
    widget = std::make_unique<OneRectWidget>(whole ? QRect(QPoint(0, 0), size) : cell);
    const int ratio = static_cast<int>(state.range(0));
    if (QScreen* screen = QGuiApplication::screens().value(ratio - 1)) {
      widget->setScreen(screen);
      widget->move(screen->geometry().topLeft());
    }
    widget->resize(size);
    widget->installEventFilter(&count);
    widget->show();
    QApplication::processEvents();
    Flush();
    count.paints = 0;
  }
  void check(benchmark::State& state) {
    if (count.paints < static_cast<int>(state.iterations())) state.SkipWithError("no paint");
    if (widget->devicePixelRatio() != state.range(0)) state.SkipWithError("another pixel ratio");
  }
};

void WidgetOneRectFloor(benchmark::State& state) {
  ShownFloor floor(state, false);
  const QPointF at = QRectF(floor.cell).center();
  for (auto _ : state) {
    QMouseEvent down(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QMouseEvent up(QEvent::MouseButtonRelease, at, at, Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(floor.widget.get(), &down);
    Flush();
    state.PauseTiming();
    QApplication::sendEvent(floor.widget.get(), &up);
    state.ResumeTiming();
  }
  floor.check(state);
}

// The same widget filling all of itself with one colour: the least a full repaint of a window of
// this size costs at the ratio, whatever it draws.
void WidgetFullFillFloor(benchmark::State& state) {
  ShownFloor floor(state, true);
  for (auto _ : state) {
    floor.widget->update();
    Flush();
  }
  floor.check(state);
}

// Every cell outlined in light grey and filled black or white, one rectangle at a time.
void DrawCellByCell(QPainter& painter, const PixelGrid& grid, const EditorGeometry& geometry,
                    int firstRow, int lastRow, int firstColumn, int lastColumn) {
  painter.setPen(QColor(203, 203, 203));
  const int pitch = geometry.pitch();
  for (int r = firstRow; r <= lastRow; ++r) {
    for (int c = firstColumn; c <= lastColumn; ++c) {
      painter.setBrush(grid.at(r, c) ? Qt::black : Qt::white);
      painter.drawRect(EditorGeometry::kOriginX + pitch * c, EditorGeometry::kOriginY + pitch * r,
                       pitch, pitch);
    }
  }
}

void CellRectanglesFullRepaint(benchmark::State& state) {
  const PixelEditor editor = LargestPicture();
  const PixelSize size = editor.geometry().WindowSize();
  QImage surface(size.width, size.height, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    surface.fill(Qt::white);
    QPainter painter(&surface);
    DrawCellByCell(painter, editor.grid(), editor.geometry(), 0, kRows - 1, 0, 287);
  }
}

void CellRectanglesOneCell(benchmark::State& state) {
  const PixelEditor editor = LargestPicture();
  const PixelSize size = editor.geometry().WindowSize();
  QImage surface(size.width, size.height, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&surface);
    DrawCellByCell(painter, editor.grid(), editor.geometry(), 50, 50, 144, 144);
  }
}

void PictureRebuild(benchmark::State& state) {
  const PixelEditor editor = LargestPicture();
  GridPicture picture;
  for (auto _ : state) picture.Rebuild(editor.grid(), editor.geometry());
}

void FontImportPass(benchmark::State& state) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const zentavour::FontImportPass pass = RunImportPass(font, LeadingRows(font), 19);
    benchmark::DoNotOptimize(pass.glyphs[0].bytes[0]);
  }
}

BENCHMARK(WindowFullRepaint)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(WidgetFullFillFloor)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(WindowOperationAndFullRepaint)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(CellRectanglesFullRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(PictureRebuild)->Unit(benchmark::kMillisecond);
BENCHMARK(WindowOneCellPaint)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(WidgetOneRectFloor)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(CellRectanglesOneCell)->Unit(benchmark::kMicrosecond);
BENCHMARK(FontImportPass)->Arg(12)->Arg(20)->Unit(benchmark::kMillisecond);

// Two headless screens side by side, the second at pixel ratio 2, so both ratios are measured
// in one run through the toolkit's own painting.
void UseTwoScreens() {
  const std::filesystem::path config =
      std::filesystem::temp_directory_path() / "zentavour-bench-screens.json";
  std::ofstream(config)
      << R"({"screens": [)"
      << R"({"name": "ratio1", "x": 0, "y": 0, "width": 1600, "height": 1200},)"
      << R"({"name": "ratio2", "x": 1600, "y": 0, "width": 3200, "height": 2400}]})";
  setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.string()).c_str(), 1);
  setenv("QT_SCREEN_SCALE_FACTORS", "ratio1=1;ratio2=2", 1);
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) UseTwoScreens();
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
