#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>

#include "gui/app/main_window.h"
#include "gui/bitmaps/bitmap_editors.h"
#include "gui/bitmaps/bitmap_gui_support.h"
#include "gui/bitmaps/edit_font_dialog.h"
#include "gui/bitmaps/edit_startup_dialog.h"
#include "gui/bitmaps/pixel_editor_window.h"
#include "gui/osfiles/os_data_panel.h"

namespace zentavour::testing {
namespace {

// The OS Data panel's font and startup buttons open their editors on the open set.
TEST(BitmapEditorsFromThePanel, EachFontButtonEditsItsSlotAndStartupGraphicsItsPictures) {
  GuiHarness app;
  MainWindow window(app.state);
  window.show();
  window.createOsDataPanel();
  app.openSet(WorkstationModel::Orvane);
  const Bytes& image = app.state.osFiles().ExtImage;
  BitmapEditors* editors = window.bitmapEditors();
  const std::pair<PanelControl, FontSlot> buttons[] = {
      {PanelControl::EditSmallFont, FontSlot::Small},
      {PanelControl::EditMediumFont, FontSlot::Medium},
      {PanelControl::EditBoldFont, FontSlot::Bold},
      {PanelControl::EditLargeFont, FontSlot::Large}};
  for (const auto& [control, slot] : buttons) {
    SCOPED_TRACE(static_cast<int>(slot));
    OnNextModal<EditFontDialog>([&](EditFontDialog* dialog) {
      EXPECT_EQ(editors->glyphs(), *LoadGlyphWorkSet(image, WorkstationModel::Orvane, slot));
      dialog->cancelButton()->click();
    });
    window.osDataPanel()->button(control)->click();
  }
  OnNextModal<EditStartupDialog>([&](EditStartupDialog* dialog) {
    ActivateItem(dialog->list(), 0);
    PixelEditorWindow* editor = editors->graphicEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->editor().target(),
              GraphicTarget::From(StartupGraphicTable(WorkstationModel::Orvane)[0]));
    editor->button(EditorCommand::Cancel)->click();
    dialog->okButton()->click();
  });
  window.osDataPanel()->button(PanelControl::EditStartupGraphics)->click();
  app.prompts.answers.push_back(false);
  window.closeOsFiles();
}

}  // namespace
}  // namespace zentavour::testing
