#include "gui/bitmaps/pixel_editor_window.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "gui/common/file_chooser.h"
#include "gui/common/prompts.h"
#include "gui/common/text.h"
#include "render/picture_files.h"

namespace zentavour {
namespace {

QRect ToQRect(const PixelRect& rect) {
  return QRect(rect.left, rect.top, rect.width(), rect.height());
}

std::optional<GridOperation> OperationOf(EditorCommand command) {
  switch (command) {
    case EditorCommand::FillAll:
      return GridOperation::FillAll;
    case EditorCommand::UnfillAll:
      return GridOperation::UnfillAll;
    case EditorCommand::Invert:
      return GridOperation::Invert;
    case EditorCommand::FlipHorizontal:
      return GridOperation::FlipHorizontal;
    case EditorCommand::FlipVertical:
      return GridOperation::FlipVertical;
    case EditorCommand::ShiftLeft:
      return GridOperation::ShiftLeft;
    case EditorCommand::ShiftRight:
      return GridOperation::ShiftRight;
    case EditorCommand::ShiftUp:
      return GridOperation::ShiftUp;
    case EditorCommand::ShiftDown:
      return GridOperation::ShiftDown;
    default:
      return std::nullopt;
  }
}

const QKeySequence kUndoKeys(Qt::CTRL | Qt::Key_Z);
const QKeySequence kRedoKeys[] = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                  QKeySequence(Qt::CTRL | Qt::Key_Y)};

QString GridToolTip() {
  return QStringLiteral("Left button: paint. Right button: erase.\n%1: undo. %2 or %3: redo.")
      .arg(kUndoKeys.toString(QKeySequence::NativeText),
           kRedoKeys[0].toString(QKeySequence::NativeText),
           kRedoKeys[1].toString(QKeySequence::NativeText));
}

bool IsOkOrCancel(EditorCommand command) {
  return command == EditorCommand::Ok || command == EditorCommand::Cancel;
}

bool Overlap(const PixelRect& a, const PixelRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A picture of fewer than ten rows would put "Shift Up" over "Cancel" (OK and Cancel stay at
// the top right, the other buttons follow the grid's height). The rows of buttons then move
// down, as far as it takes to clear Cancel by the gap between OK and Cancel.
int ButtonRowsDrop(const std::vector<EditorButton>& buttons) {
  constexpr int kGap = 10;
  bool overlap = false;
  int lowestFixed = 0;
  int highestRow = INT_MAX;
  for (const EditorButton& button : buttons) {
    if (IsOkOrCancel(button.command)) {
      lowestFixed = std::max(lowestFixed, button.rect.bottom);
      for (const EditorButton& other : buttons) {
        overlap |= !IsOkOrCancel(other.command) && Overlap(button.rect, other.rect);
      }
    } else {
      highestRow = std::min(highestRow, button.rect.top);
    }
  }
  return overlap ? lowestFixed + kGap - highestRow : 0;
}

}  // namespace

// The client area of grid, width marker and buttons. It paints white around the grid itself:
// filling the whole area first and then covering most of it with the grid would write every
// pixel twice.
class PixelEditorWindow::Canvas : public QWidget {
 public:
  explicit Canvas(PixelEditorWindow& window) : QWidget(&window), window_(window) {
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    window_.showGridToolTip(static_cast<QHelpEvent*>(event));
    return true;
  }
  void paintEvent(QPaintEvent* event) override { window_.paintCanvas(event); }
  void mousePressEvent(QMouseEvent* event) override { window_.gridPress(event); }
  void mouseMoveEvent(QMouseEvent* event) override { window_.gridMove(event); }
  void mouseReleaseEvent(QMouseEvent* event) override { window_.gridRelease(event); }

 private:
  PixelEditorWindow& window_;
};

PixelEditorWindow::PixelEditorWindow(PixelEditor editor, Commit commit, Prompts& prompts)
    : QWidget(nullptr, Qt::Window),
      editor_(std::move(editor)),
      commit_(std::move(commit)),
      prompts_(prompts),
      canvas_(new Canvas(*this)) {
  const bool character = editor_.geometry().kind == EditorKind::Character;
  setObjectName(character ? QStringLiteral("CharacterEdit")
                          : QStringLiteral("StartupGraphicEditMenu"));
  setWindowTitle(character ? QStringLiteral("Character Edit")
                           : QStringLiteral("Startup Graphic Edit Menu"));
  setAttribute(Qt::WA_DeleteOnClose);

  std::vector<EditorButton> layout = editor_.geometry().Buttons();
  PixelSize size = editor_.geometry().WindowSize();
  const int drop = ButtonRowsDrop(layout);
  for (EditorButton& place : layout) {
    if (!IsOkOrCancel(place.command)) {
      place.rect.top += drop;
      place.rect.bottom += drop;
    }
  }
  size.height += drop;

  for (const EditorButton& place : layout) {
    auto* button = new QPushButton(Str(place.caption), canvas_);
    button->setObjectName(ControlName(place.command));
    button->setGeometry(ToQRect(place.rect));
    button->setDefault(place.isDefault);
    button->setAutoDefault(true);  // Enter presses the button that has the focus
    connect(button, &QPushButton::clicked, this, [this, command = place.command] { run(command); });
    buttons_[place.command] = button;
  }

  // The menu bar takes its own height above the canvas (none where menus live at the top of
  // the screen); the canvas keeps the geometry's size exactly.
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->setSizeConstraint(QLayout::SetFixedSize);
  buildMenus();
  column->setMenuBar(menuBar_);
  canvas_->setFixedSize(size.width, size.height);
  column->addWidget(canvas_);
  updateActions();
  picture_.Rebuild(editor_.grid(), editor_.geometry(), devicePixelRatioF());
}

void PixelEditorWindow::buildMenus() {
  menuBar_ = new QMenuBar(this);
  QMenu* file = menuBar_->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("&Import Picture..."), this, &PixelEditorWindow::importPicture);
  file->addAction(QStringLiteral("Export as &BMP..."), this, [this] { exportPicture(false); });
  file->addAction(QStringLiteral("Export as &PNG..."), this, [this] { exportPicture(true); });

  QMenu* edit = menuBar_->addMenu(QStringLiteral("&Edit"));
  undoAction_ = edit->addAction(QStringLiteral("&Undo"), this, &PixelEditorWindow::undo);
  undoAction_->setShortcut(kUndoKeys);
  redoAction_ = edit->addAction(QStringLiteral("&Redo"), this, &PixelEditorWindow::redo);
  redoAction_->setShortcuts({kRedoKeys[0], kRedoKeys[1]});
  edit->addSeparator();
  edit->addAction(QStringLiteral("&Copy"), this, &PixelEditorWindow::copyPicture)
      ->setShortcut(QKeySequence::Copy);
  edit->addAction(QStringLiteral("&Paste"), this, &PixelEditorWindow::pastePicture)
      ->setShortcut(QKeySequence::Paste);
}

QWidget* PixelEditorWindow::canvas() const {
  return canvas_;
}

QPushButton* PixelEditorWindow::button(EditorCommand command) const {
  const auto found = buttons_.find(command);
  return found == buttons_.end() ? nullptr : found->second;
}

void PixelEditorWindow::run(EditorCommand command) {
  if (command == EditorCommand::Ok) return finish(true);
  if (command == EditorCommand::Cancel) return finish(false);
  if (command == EditorCommand::LoadBitmap) return importPicture();
  if (const auto operation = OperationOf(command)) {
    if (editor_.Apply(*operation)) repaintAll();
  }
}

void PixelEditorWindow::importPicture() {
  // A PNG comes in by the CLI's threshold, a BMP by its own rules (colour table included).
  const std::optional<QString> path = prompts_.openFile(this, PictureOpenChooser(), {});
  if (!path) return;
  const EditorGeometry& geometry = editor_.geometry();
  const Result<BmpImport> picture =
      ImportPictureFile(CorePath(*path), geometry.bytesPerRow, geometry.rows);
  if (!picture) {
    prompts_.showFailure(this, picture.failure());
    return;
  }
  for (const Failure& warning : picture->warnings) {
    prompts_.showFailure(this, warning);
  }
  editor_.LoadBitmap(*picture);
  repaintAll();
}

void PixelEditorWindow::copyPicture() {
  const EditorGeometry& geometry = editor_.geometry();
  QGuiApplication::clipboard()->setImage(
      MonochromeImage(editor_.grid(), geometry.operationColumns(), geometry.rows));
}

void PixelEditorWindow::pastePicture() {
  const QImage image = QGuiApplication::clipboard()->image();
  if (image.isNull()) return;
  const EditorGeometry& geometry = editor_.geometry();
  const BmpImport picture = PictureImport(image, geometry.bytesPerRow, geometry.rows);
  for (const Failure& warning : picture.warnings) prompts_.showFailure(this, warning);
  editor_.LoadBitmap(picture);
  repaintAll();
}

void PixelEditorWindow::exportPicture(bool png) {
  const std::optional<QString> path = prompts_.saveFile(this, PictureSaveChooser(png), {});
  if (!path) return;
  const EditorGeometry& geometry = editor_.geometry();
  const Status saved = ExportPicture(editor_.grid(), geometry.operationColumns(), geometry.rows,
                                     CorePath(*path), png);
  if (!saved) prompts_.showFailure(this, saved.failure());
}

void PixelEditorWindow::undo() {
  if (editor_.Undo()) repaintAll();
}

void PixelEditorWindow::redo() {
  if (editor_.Redo()) repaintAll();
}

void PixelEditorWindow::showEffect(const MouseEffect& effect) {
  // A stroke becomes one undo step when it ends; until then the menu has nothing new to show.
  if (!editor_.mouse().active()) updateActions();
  if (effect.widthChanged) return repaintAll();
  for (const CellPosition& cell : effect.changedCells) {
    picture_.UpdateCell(editor_.grid(), cell);
    canvas_->update(ToQRect(editor_.geometry().CellUpdateRect(cell)));
    ++cellUpdates_;
  }
}

void PixelEditorWindow::repaintAll() {
  picture_.Rebuild(editor_.grid(), editor_.geometry(), picture_.pixelRatio());
  cellUpdates_ = 0;
  updateActions();
  canvas_->update();
}

// Undo and Redo are greyed while there is nothing to take back or bring back. During a stroke
// they keep their state (the editor refuses both until the stroke, one step, has ended).
void PixelEditorWindow::updateActions() {
  const bool undo = editor_.canUndo(), redo = editor_.canRedo();
  if (undoAction_->isEnabled() != undo) undoAction_->setEnabled(undo);
  if (redoAction_->isEnabled() != redo) redoAction_->setEnabled(redo);
}

void PixelEditorWindow::paintCanvas(QPaintEvent* event) {
  QPainter painter(canvas_);
  // The picture is made for the pixels it is copied onto: after a move to a screen of another
  // ratio (or when the window is rendered elsewhere) it is drawn again at that ratio.
  const EditorGeometry& geometry = editor_.geometry();
  const qreal ratio = painter.paintEngine()->paintDevice()->devicePixelRatioF();
  if (ratio != picture_.pixelRatio()) picture_.Rebuild(editor_.grid(), geometry, ratio);

  // A painted cell lies inside the grid: nothing around it to fill, no marker to draw.
  if (!picture_.rect().contains(event->rect())) {
    for (const QRect& rect : event->region() - picture_.rect()) {
      painter.fillRect(rect, canvas_->palette().window());
    }
  }
  if (const QRect marker = ToQRect(geometry.WidthMarkerRect());
      geometry.kind == EditorKind::Character && event->rect().intersects(marker)) {
    // The handle the user drags to set the glyph's width.
    painter.setPen(QColor(255, 0, 0));
    painter.setBrush(Qt::white);
    painter.drawRect(marker.adjusted(0, 0, -1, -1));
  }
  picture_.Paint(painter, event->rect());
}

// Over the grid, a tooltip tells how to draw and that every change can be taken back.
void PixelEditorWindow::showGridToolTip(QHelpEvent* event) {
  if (picture_.rect().contains(event->pos())) {
    QToolTip::showText(event->globalPos(), GridToolTip(), canvas_, picture_.rect());
  } else {
    QToolTip::hideText();
    event->ignore();
  }
}

void PixelEditorWindow::gridPress(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    showEffect(editor_.LeftDown(at.x(), at.y()));
  } else if (event->button() == Qt::RightButton) {
    showEffect(editor_.RightDown(at.x(), at.y()));
  }
}

void PixelEditorWindow::gridMove(QMouseEvent* event) {
  if (!editor_.mouse().active()) return;
  const QPoint at = event->position().toPoint();
  showEffect(editor_.Move(at.x(), at.y()));
}

void PixelEditorWindow::gridRelease(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    showEffect(editor_.LeftUp());
  } else if (event->button() == Qt::RightButton) {
    showEffect(editor_.RightUp());
  }
}

void PixelEditorWindow::keyPressEvent(QKeyEvent* event) {
  // OK is the default button: Enter anywhere in the window keeps the edit.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    run(EditorCommand::Ok);
    return;
  }
  QWidget::keyPressEvent(event);
}

void PixelEditorWindow::finish(bool keep) {
  if (finished_) return;
  finished_ = true;
  if (keep && commit_) commit_(editor_);
  emit finished();
  close();
}

void PixelEditorWindow::abandon() {
  if (finished_) return;
  finished_ = true;
  emit finished();
  close();
}

void PixelEditorWindow::closeEvent(QCloseEvent* event) {
  // The close box keeps the edit, exactly as OK does.
  if (!finished_) {
    finished_ = true;
    if (commit_) commit_(editor_);
    emit finished();
  }
  event->accept();
}

}  // namespace zentavour
