#include "gui/bitmaps/pixel_editor_window.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "core/bitmaps/bmp_export.h"
#include "gui/bitmaps/bitmap_gui_support.h"

namespace zentavour::testing {
namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;

GlyphRecord Glyph(int width) {
  GlyphRecord record;
  record.bytes[0] = static_cast<std::uint8_t>(width);
  return record;
}

// A window on a glyph or a graphic that counts what it hands over.
struct Fixture {
  explicit Fixture(PixelEditor editor)
      : window(new PixelEditorWindow(
            std::move(editor), [this](const PixelEditor& e) { committed.push_back(e.grid()); },
            prompts)) {
    window->show();
  }
  ~Fixture() { delete window.data(); }

  const PixelGrid& grid() const { return window->editor().grid(); }
  const EditorGeometry& geometry() const { return window->editor().geometry(); }
  QRgb shownColour(int row, int column) {
    return window->canvas()->grab().toImage().pixel(CellCentre(geometry(), row, column));
  }

  ScriptedPrompts prompts;
  std::vector<PixelGrid> committed;
  QPointer<PixelEditorWindow> window;
};

PixelEditor GraphicEditor(int bytesPerRow, int rows) {
  Bytes image(static_cast<std::size_t>(bytesPerRow * rows) + 16, 0);
  Result<PixelEditor> editor = PixelEditor::ForGraphic(image, GraphicTarget{8, bytesPerRow, rows});
  EXPECT_TRUE(editor.ok());
  return std::move(*editor);
}

// The mouse rules work in the client area's own pixels: the menu bar sits above it, and it keeps
// its size and button places; a picture of fewer than ten rows moves the button rows clear of
// Cancel.
TEST(PixelEditorWindow, TheClientAreaKeepsItsSizeAndButtonPlacesUnderTheMenuBar) {
  struct Case {
    bool glyph;
    QSize size;
    QRect fillAll;
  };
  for (const Case& c :
       {Case{true, {525, 315}, {140, 215, 75, 20}}, Case{false, {620, 207}, {235, 102, 75, 20}}}) {
    Fixture f(c.glyph ? PixelEditor::ForGlyph(Glyph(20), 19) : GraphicEditor(7, 6));
    const int menuHeight = f.window->menuBar()->height();
    EXPECT_EQ(f.window->canvas()->geometry(), QRect(QPoint(0, menuHeight), c.size));
    EXPECT_EQ(f.window->size(), c.size + QSize(0, menuHeight));
    EXPECT_EQ(f.window->button(EditorCommand::FillAll)->geometry(), c.fillAll);
  }
}

TEST(PixelEditorWindow, AStrokeLandsOnTheCellsUnderTheMouseAndUndoRedoKeysWork) {
  Fixture f(PixelEditor::ForGlyph(Glyph(8), 8));
  Activate(f.window);
  const EditorGeometry& g = f.geometry();
  QWidget* canvas = f.window->canvas();
  canvas->grab();  // a first full paint

  Press(canvas, CellCentre(g, 1, 1), Qt::LeftButton);
  MoveTo(canvas, CellCentre(g, 1, 2), Qt::LeftButton);
  MoveTo(canvas, CellCentre(g, 2, 2), Qt::LeftButton);
  Release(canvas, CellCentre(g, 2, 2), Qt::LeftButton);

  EXPECT_EQ(f.grid().at(1, 2), 1);
  EXPECT_EQ(f.grid().at(2, 1), 0);
  // Three cells changed, each redrawn alone.
  EXPECT_EQ(f.window->cellUpdates(), 3);
  EXPECT_EQ(f.shownColour(1, 2), kBlack);

  QTest::keyClick(f.window, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(f.grid(), PixelGrid{});
  EXPECT_EQ(f.shownColour(1, 2), kWhite);
  QTest::keyClick(f.window, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(f.grid().at(2, 2), 1);
  EXPECT_EQ(f.shownColour(2, 2), kBlack);
}

TEST(PixelEditorWindow, OkAndTheCloseBoxKeepTheEditCancelDropsIt) {
  for (const char* how : {"ok", "close box", "cancel", "enter"}) {
    SCOPED_TRACE(how);
    Fixture f(PixelEditor::ForGlyph(Glyph(8), 6));
    f.window->button(EditorCommand::FillAll)->click();
    const std::string way = how;
    if (way == "ok") f.window->button(EditorCommand::Ok)->click();
    if (way == "close box") f.window->close();
    if (way == "cancel") f.window->button(EditorCommand::Cancel)->click();
    if (way == "enter") QTest::keyClick(f.window, Qt::Key_Return);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f.window.isNull()) << "the window is gone";
    EXPECT_EQ(f.committed.size(), way == "cancel" ? 0u : 1u);
  }
}

TEST(PixelEditorWindow, AButtonRunsItsOperationAndRepaintsTheWholeGrid) {
  Fixture f(GraphicEditor(2, 5));
  Press(f.window->canvas(), CellCentre(f.geometry(), 4, 15), Qt::LeftButton);
  Release(f.window->canvas(), CellCentre(f.geometry(), 4, 15), Qt::LeftButton);
  PixelGrid expected = f.grid();
  ApplyGridOperation(expected, GridOperation::FlipHorizontal, 5, 16);
  f.window->button(EditorCommand::FlipHorizontal)->click();
  EXPECT_EQ(f.grid(), expected);
  EXPECT_EQ(f.shownColour(4, 0), kBlack);
  EXPECT_EQ(f.shownColour(4, 15), kWhite);
}

TEST(PixelEditorWindow, LoadBitmapShowsItsWarningsAndLoadsAsOneUndoStep) {
  TempDir dir;
  // 40 x 3: wider (32 columns) and taller (2 rows) than the graphic; ink at the top left only.
  const std::string big = dir.file("big.bmp");
  PixelGrid picture;
  picture.set(0, 0, 1);
  WriteFileBytes(big, ExportMonochromeBmp(picture, 40, 3));

  Fixture f(GraphicEditor(4, 2));
  Activate(f.window);
  f.prompts.files = {std::nullopt, QString::fromStdString(big)};
  QPushButton* load = f.window->button(EditorCommand::LoadBitmap);
  load->click();  // cancelled: nothing shown
  EXPECT_TRUE(f.prompts.messages.empty());
  load->click();
  ASSERT_EQ(f.prompts.messages.size(), 2u);
  EXPECT_EQ(f.prompts.messages[0].caption, "Warning");
  EXPECT_TRUE(f.prompts.messages[0].text.startsWith("The width of the bitmap"));
  EXPECT_TRUE(f.prompts.messages[1].text.startsWith("The height of the bitmap"));
  EXPECT_EQ(f.grid().at(0, 0), 1);
  // A loaded bitmap is one undo step.
  QTest::keyClick(f.window, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(f.grid(), PixelGrid{});
}

// The menus above the grid: what the buttons and keys do, plus pictures in and out.
TEST(PixelEditorWindow, FileAndEditMenusExportImportAndFollowTheHistory) {
  Fixture f(GraphicEditor(2, 5));
  std::map<QString, QAction*> items;
  QStringList titles;
  for (QAction* menu : f.window->menuBar()->actions()) {
    titles << menu->text();
    for (QAction* item : menu->menu()->actions()) items[item->text().remove('&')] = item;
  }
  EXPECT_EQ(titles, (QStringList{"&File", "&Edit"}));
  for (const char* text : {"Import Picture...", "Export as BMP...", "Export as PNG...", "Undo",
                           "Redo", "Copy", "Paste"}) {
    ASSERT_TRUE(items.count(text)) << text;
  }
  EXPECT_FALSE(items["Undo"]->isEnabled());

  f.window->button(EditorCommand::Invert)->click();
  const PixelGrid inverted = f.grid();
  EXPECT_TRUE(items["Undo"]->isEnabled());
  EXPECT_FALSE(items["Redo"]->isEnabled());

  // Out as BMP and PNG, then each back in over a cleared grid: the same cells.
  TempDir dir;
  for (const char* name : {"out.bmp", "out.png"}) {
    SCOPED_TRACE(name);
    const QString path = QString::fromStdString(dir.file(name));
    f.prompts.files = {path, path};
    items[QString(name).endsWith("png") ? "Export as PNG..." : "Export as BMP..."]->trigger();
    f.window->button(EditorCommand::UnfillAll)->click();
    items["Import Picture..."]->trigger();
    EXPECT_EQ(f.grid(), inverted);
  }
  EXPECT_TRUE(f.prompts.messages.empty());

  items["Undo"]->trigger();
  EXPECT_NE(f.grid(), inverted);
  EXPECT_TRUE(items["Redo"]->isEnabled());
  items["Redo"]->trigger();
  EXPECT_EQ(f.grid(), inverted);
}

// A character's picture holds every column it stores: one of width 0 still has a picture, and
// ink past its width comes back through a paste.
TEST(PixelEditorWindow, ACharacterCopiesEveryStoredColumnWhateverItsWidth) {
  GlyphRecord glyph = Glyph(0);
  glyph.bytes[1] = 0x04;  // row 0, column 5
  Fixture f(PixelEditor::ForGlyph(glyph, 8));
  const PixelGrid before = f.grid();
  Activate(f.window);  // through the usual keys
  QTest::keyClick(f.window, Qt::Key_C, Qt::ControlModifier);
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(copied.width(), f.geometry().operationColumns());
  f.window->button(EditorCommand::UnfillAll)->click();
  QTest::keyClick(f.window, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(f.grid(), before);
}

}  // namespace
}  // namespace zentavour::testing
