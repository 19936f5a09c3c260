#include "gui/bitmaps/bitmap_editors.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "core/bitmaps/glyph_edits.h"
#include "gui/bitmaps/bitmap_gui_support.h"
#include "gui/bitmaps/edit_font_dialog.h"
#include "gui/bitmaps/edit_startup_dialog.h"
#include "gui/bitmaps/import_font_dialog.h"
#include "gui/common/dialog_units.h"
#include "gui/osfiles/close_os_files.h"

namespace zentavour::testing {
namespace {

QImage IconImage(QListWidget* list, int row) {
  return list->item(row)->icon().pixmap(list->iconSize()).toImage();
}

class BitmapEditorsTest : public ::testing::Test {
 protected:
  const Bytes& image() const { return app.state.osFiles().ExtImage; }

  void editFont(FontSlot slot, std::function<void(EditFontDialog*)> action) {
    OnNextModal<EditFontDialog>(std::move(action));
    editors.editFont(slot, &owner);
  }
  void editStartup(std::function<void(EditStartupDialog*)> action) {
    OnNextModal<EditStartupDialog>(std::move(action));
    editors.editStartupGraphics(&owner);
  }

  GuiHarness app;
  QWidget owner;
  BitmapEditors editors{app.state};
};

// A character edit or an imported PC font reaches the image on OK only.
TEST_F(BitmapEditorsTest, EditsAndAnImportedPcFontReachTheImageOnOkOnly) {
  app.openSet(WorkstationModel::Orvane);
  const Bytes before = image();
  const FontSlotEntry medium = *FontSlotTable(WorkstationModel::Orvane, FontSlot::Medium);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(12);
  for (bool keep : {false, true}) {
    GlyphWorkSet imported;
    editFont(FontSlot::Medium, [&](EditFontDialog* dialog) {
      const QImage icon = IconImage(dialog->list(), 10);
      ActivateItem(dialog->list(), 10);
      PixelEditorWindow* first = editors.characterEditor();
      ASSERT_NE(first, nullptr);
      EXPECT_EQ(first->editor().geometry().rows, medium.rows);
      ActivateItem(dialog->list(), 20);
      EXPECT_EQ(editors.characterEditor(), first) << "only one character editor at a time";
      first->button(EditorCommand::Invert)->click();
      first->button(EditorCommand::Ok)->click();
      EXPECT_NE(IconImage(dialog->list(), 10), icon) << "the list shows the new glyph";
      OnNextModal<ImportFontDialog>([&](ImportFontDialog* import) {
        app.prompts.fonts.push_back(font);
        import->selectFontButton()->click();
        import->okButton()->click();
      });
      dialog->importButton()->click();
      imported = editors.glyphs();
      (keep ? dialog->okButton() : dialog->cancelButton())->click();
    });
    const auto glyphA = image().begin() + medium.offset + 32 * medium.bytesPerGlyph;
    EXPECT_GT(imported[32].width(), 0);
    EXPECT_EQ(std::equal(glyphA, glyphA + medium.bytesPerGlyph, imported[32].bytes.begin()), keep);
    EXPECT_EQ(image() == before, !keep);
  }
}

TEST_F(BitmapEditorsTest, TwoOpenEditorsEachPackTheirOwnPictureAndDieWithTheirSet) {
  const SampleSetPaths paths = app.openSet(WorkstationModel::Orvane);
  const Bytes before = image();
  editFont(FontSlot::Small, [&](EditFontDialog* dialog) {
    ActivateItem(dialog->list(), 0);
    dialog->okButton()->click();  // the character editor stays open
  });
  editStartup([&](EditStartupDialog* dialog) {
    ActivateItem(dialog->list(), 4);
    dialog->okButton()->click();
  });
  QPointer<PixelEditorWindow> glyph = editors.characterEditor();
  QPointer<PixelEditorWindow> picture = editors.graphicEditor();
  ASSERT_TRUE(glyph && picture);  // both outlive their dialogs and write when they close
  glyph->button(EditorCommand::FillAll)->click();
  picture->button(EditorCommand::UnfillAll)->click();
  picture->button(EditorCommand::Ok)->click();
  glyph->button(EditorCommand::Ok)->click();
  const StartupGraphicEntry& vesk = StartupGraphicTable(WorkstationModel::Orvane)[4];
  const auto [first, last] = ChangedRange(before, image());
  EXPECT_TRUE(first >= vesk.offset && last <= vesk.offset + vesk.size()) << first << "-" << last;
  EXPECT_EQ(image()[vesk.offset], 0);
  EXPECT_EQ(editors.glyphs()[0].bytes[1], 0xFF) << "the glyph went to the font being edited";

  // Editors left open when their set is closed, or replaced, go without writing.
  for (bool reopenSameFiles : {true, false}) {
    editStartup([&](EditStartupDialog* dialog) {
      ActivateItem(dialog->list(), 0);
      dialog->okButton()->click();
    });
    picture = editors.graphicEditor();
    ASSERT_TRUE(picture);
    picture->button(EditorCommand::Invert)->click();
    app.prompts.answers.push_back(false);
    RunCloseOsFiles(app.state, &owner);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(picture.isNull());
    app.openSet(reopenSameFiles ? WorkstationModel::Orvane : WorkstationModel::Ossik);
    const std::string ext = reopenSameFiles ? paths.ext : app.state.osFiles().extPath;
    EXPECT_EQ(image(), ReadFileBytes(ext));
  }
}

TEST_F(BitmapEditorsTest, FontFilesSaveAndLoadAndAFailureReachesTheUserOnce) {
  app.openSet(WorkstationModel::Ossik);
  const std::string saved = app.dir.file("large.glx");
  const std::string nowhere = app.dir.file("missing/dir/x.glx");
  GlyphWorkSet large;
  editFont(FontSlot::Large, [&](EditFontDialog* dialog) {
    app.prompts.files = {QString::fromStdString(saved), QString::fromStdString(nowhere)};
    dialog->saveButton()->click();
    dialog->saveButton()->click();
    large = editors.glyphs();
    dialog->cancelButton()->click();
  });
  ASSERT_EQ(app.prompts.messages.size(), 1u);
  EXPECT_EQ(app.prompts.messages[0], (ShownText{"File Error", "Error Saving Font File"}));

  // Loaded into another slot, the file's glyphs replace the ones being edited.
  editFont(FontSlot::Small, [&](EditFontDialog* dialog) {
    app.prompts.files = {QString::fromStdString(saved)};
    dialog->loadButton()->click();
    EXPECT_EQ(editors.glyphs(), large);
    dialog->cancelButton()->click();
  });
}

// Triggers an item of Edit Font's "More" menu by its text.
void RunMore(EditFontDialog* dialog, const QString& text) {
  for (QAction* action : dialog->moreButton()->menu()->actions())
    if (action->text() == text) return action->trigger();
  ADD_FAILURE() << "no menu item " << text.toStdString();
}

TEST_F(BitmapEditorsTest, GlyphsPasteOntoTheSelectionAcrossSlotsWidthsSetAtOnceSheetsRoundTrip) {
  app.openSet(WorkstationModel::Ossik);
  GlyphWorkSet large;
  editFont(FontSlot::Large, [&](EditFontDialog* dialog) {
    Activate(dialog);
    for (int row : {32, 33}) dialog->list()->item(row)->setSelected(true);  // 'A', 'B'
    QTest::keyClick(dialog->list(), Qt::Key_C, Qt::ControlModifier);
    large = editors.glyphs();
    dialog->cancelButton()->click();
  });
  EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());  // for paint programs

  const FontSlotEntry small = *FontSlotTable(WorkstationModel::Ossik, FontSlot::Small);
  const Bytes before = image();  // Cancel taking edits back is checked above

  const std::string sheet = app.dir.file("small.png");
  editFont(FontSlot::Small, [&](EditFontDialog* dialog) {
    Activate(dialog);
    const GlyphWorkSet original = editors.glyphs();
    EXPECT_FALSE(dialog->pasteAction()->isEnabled()) << "nothing selected, nowhere to paste";
    QTest::keyClick(dialog->list(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editors.glyphs(), original);
    // 'A' and 'B' of the large font onto 'Q' and 'R' of the small one.
    dialog->list()->item(48)->setSelected(true);
    EXPECT_TRUE(dialog->pasteAction()->isEnabled());
    QTest::keyClick(dialog->list(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editors.glyphs()[48], large[32]);
    EXPECT_EQ(editors.glyphs()[49], large[33]);
    EXPECT_EQ(dialog->selectedIndices(), (std::vector<int>{48, 49}));
    // Set Width on the two pasted characters and one more.
    dialog->list()->item(0)->setSelected(true);
    app.prompts.numbers = {5};
    RunMore(dialog, "Set Width...");
    for (int k : {0, 48, 49}) EXPECT_EQ(editors.glyphs()[static_cast<std::size_t>(k)].width(), 5);
    // A sheet exported and imported again changes no glyph.
    const GlyphWorkSet edited = editors.glyphs();
    app.prompts.files = {QString::fromStdString(sheet), QString::fromStdString(sheet)};
    RunMore(dialog, "Export PNG Sheet...");
    RunMore(dialog, "Import PNG Sheet...");
    EXPECT_EQ(editors.glyphs(), edited);
    dialog->okButton()->click();
  });
  EXPECT_TRUE(app.prompts.messages.empty());
  const auto glyphQ = image().begin() + small.offset + 48 * small.bytesPerGlyph;
  EXPECT_EQ(*glyphQ, 5);
  const auto [first, last] = ChangedRange(before, image());
  EXPECT_TRUE(first >= small.offset && last <= small.offset + small.tableSize());

  // Another set opened later in the run takes the same paste; the last character takes one.
  app.state.closeOsFilesWithoutSaving();
  app.openSet(WorkstationModel::Orvane);
  editFont(FontSlot::Large, [&](EditFontDialog* dialog) {
    Activate(dialog);
    dialog->list()->item(94)->setSelected(true);
    QTest::keyClick(dialog->list(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editors.glyphs()[94], large[32]);
    dialog->cancelButton()->click();
  });
}

// Every character at the widest the slot stores and a long sample line: the dialog keeps its
// layout size, with OK and Cancel at their places, and stays on the screen.
TEST_F(BitmapEditorsTest, EditFontKeepsItsSizeAndButtonsWithTheWidestGlyphsOfEverySlot) {
  for (WorkstationModel model : {WorkstationModel::Orvane, WorkstationModel::Ossik}) {
    app.openSet(model);
    for (FontSlot slot : {FontSlot::Small, FontSlot::Medium, FontSlot::Bold, FontSlot::Large}) {
      SCOPED_TRACE(static_cast<int>(slot));
      editFont(slot, [&](EditFontDialog* dialog) {
        Activate(dialog);
        dialog->list()->selectAll();
        app.prompts.numbers = {MaxGlyphWidth(*FontSlotTable(model, slot))};
        RunMore(dialog, "Set Width...");
        dialog->sampleText()->setText(QString(40, QLatin1Char('W')));
        QApplication::processEvents();
        const DialogUnits units(dialog);
        EXPECT_EQ(dialog->size(), units.size(242, 199));
        EXPECT_EQ(dialog->okButton()->mapTo(dialog, QPoint(0, 0)), units.point(173, 7));
        EXPECT_EQ(dialog->cancelButton()->mapTo(dialog, QPoint(0, 0)), units.point(173, 26));
        EXPECT_TRUE(dialog->rect().contains(dialog->loadButton()->geometry().translated(
            dialog->loadButton()->parentWidget()->mapTo(dialog, QPoint(0, 0)))));
        EXPECT_TRUE(dialog->screen()->availableGeometry().contains(dialog->frameGeometry()));
        dialog->cancelButton()->click();
      });
    }
    app.state.closeOsFilesWithoutSaving();
  }
}

TEST_F(BitmapEditorsTest, PicturesGoOutAsBmpAndPngAndComeBackThroughLoadBitmap) {
  app.openSet(WorkstationModel::Orvane);
  const std::string bmp = app.dir.file("0.bmp"), png = app.dir.file("0.png");
  const Bytes before = image();
  editStartup([&](EditStartupDialog* dialog) {
    EXPECT_FALSE(dialog->list()->item(0)->icon().isNull());  // the picture at 1:1
    dialog->list()->setCurrentRow(0);
    app.prompts.files = {QString::fromStdString(bmp), QString::fromStdString(png)};
    for (QAction* action : dialog->exportButton()->menu()->actions()) action->trigger();
    ActivateItem(dialog->list(), 0);
    dialog->okButton()->click();
  });
  PixelEditorWindow* editor = editors.graphicEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(ReadFileBytes(bmp).at(0), 'B');
  // Both come back unchanged: inverted first, then loaded over.
  for (const std::string& file : {bmp, png}) {
    editor->button(EditorCommand::Invert)->click();
    app.prompts.files = {QString::fromStdString(file)};
    editor->button(EditorCommand::LoadBitmap)->click();
  }
  editor->button(EditorCommand::Ok)->click();
  EXPECT_TRUE(app.prompts.messages.empty());
  EXPECT_EQ(image(), before);

  // An item that holds no picture says so instead of failing to write a file.
  app.state.closeOsFilesWithoutSaving();
  app.openSet(WorkstationModel::OrvaneSalone);
  editStartup([&](EditStartupDialog* dialog) {
    dialog->list()->setCurrentRow(2);
    dialog->exportButton()->menu()->actions().value(1)->trigger();
    dialog->okButton()->click();
  });
  ASSERT_EQ(app.prompts.messages.size(), 1u);
  EXPECT_EQ(app.prompts.messages[0].caption, "Export");
}

}  // namespace
}  // namespace zentavour::testing
