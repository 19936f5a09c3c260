#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <cstdlib>

#include "gui/bitmaps/bitmap_editors.h"
#include "gui/bitmaps/bitmap_gui_support.h"
#include "gui/bitmaps/edit_font_dialog.h"
#include "gui/bitmaps/edit_startup_dialog.h"
#include "gui/bitmaps/import_font_dialog.h"
#include "gui/osfiles/close_os_files.h"

namespace zentavour::testing {
namespace {

// Renders every bitmap window as the user sees it, for each model. The pictures go to
// ZENTAVOUR_SHOT_DIR when it is set; the checks catch a window that renders empty or cut off.
class BitmapWindowShots : public ::testing::Test {
 protected:
  QImage shoot(QWidget* widget, const QString& name) {
    // Lists lay their items out a moment after they show; the user never sees them unlaid.
    for (QListWidget* list : widget->findChildren<QListWidget*>()) list->doItemsLayout();
    QApplication::processEvents();
    const QImage image = widget->grab().toImage();
    if (const char* dir = std::getenv("ZENTAVOUR_SHOT_DIR")) {
      image.save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
    }
    return image;
  }

  // Every child control lies wholly inside the window.
  static void ExpectControlsInside(QWidget* window) {
    for (QPushButton* child : window->findChildren<QPushButton*>()) {
      if (!child->isVisible()) continue;
      EXPECT_TRUE(window->rect().contains(child->geometry()))
          << child->text().toStdString() << " outside " << window->objectName().toStdString();
    }
  }

  GuiHarness app;
  QWidget owner;
  BitmapEditors editors{app.state};
};

TEST_F(BitmapWindowShots, EveryEditorWindowOfEveryModel) {
  const std::pair<WorkstationModel, const char*> models[] = {
      {WorkstationModel::Orvane, "orvane"},
      {WorkstationModel::OrvaneMi, "orvane_mi"},
      {WorkstationModel::Ossik, "ossik"},
      {WorkstationModel::OrvaneSalone, "orvane_salone"}};
  for (const auto& [model, name] : models) {
    SCOPED_TRACE(name);
    OpenSampleSet(app, model);
    for (FontSlot slot : {FontSlot::Small, FontSlot::Medium, FontSlot::Bold, FontSlot::Large}) {
      const std::optional<FontSlotEntry> entry = FontSlotTable(model, slot);
      if (!entry) continue;
      const QString tag = QString("%1_slot%2").arg(name).arg(static_cast<int>(slot));
      OnNextModal<EditFontDialog>([&](EditFontDialog* dialog) {
        shoot(dialog, "edit_font_" + tag);
        ExpectControlsInside(dialog);
        // A narrow and a wide character of the font.
        for (int k : {'i' - 33, 'W' - 33}) {
          PixelEditorWindow* editor = editors.openCharacterEditor(k, entry->rows);
          ASSERT_NE(editor, nullptr);
          const QImage shot =
              shoot(editor, QString("character_edit_%1_%2").arg(tag).arg(QChar(33 + k)));
          EXPECT_EQ(shot.size(), QSize(525, 10 * entry->rows + 125));
          ExpectControlsInside(editor);
          editor->button(EditorCommand::Cancel)->click();
        }
        if (slot == FontSlot::Large ||
            (model == WorkstationModel::OrvaneSalone && slot == FontSlot::Medium)) {
          OnNextModal<ImportFontDialog>([&](ImportFontDialog* import) {
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPixelSize(entry->rows + 2);
            app.prompts.fonts.push_back(font);
            import->selectFontButton()->click();
            shoot(import, "import_font_" + tag);
            ExpectControlsInside(import);
            import->okButton()->click();
          });
          dialog->importButton()->click();
          shoot(dialog, "edit_font_imported_" + tag);
        }
        dialog->cancelButton()->click();
      });
      editors.editFont(slot, &owner);
    }
    OnNextModal<EditStartupDialog>([&](EditStartupDialog* dialog) {
      shoot(dialog, QString("edit_startup_%1").arg(name));
      ExpectControlsInside(dialog);
      const auto table = StartupGraphicTable(model);
      for (std::size_t item = 0; item < table.size(); ++item) {
        PixelEditorWindow* editor = editors.openGraphicEditor(table[item], dialog);
        ASSERT_NE(editor, nullptr);
        const QImage shot = shoot(editor, QString("graphic_edit_%1_item%2").arg(name).arg(item));
        // Pictures of fewer than ten rows get their button rows moved below Cancel.
        EXPECT_EQ(shot.size(),
                  QSize(table[item].bytesPerRow * 32 - 50 >= 530 ? table[item].bytesPerRow * 32 + 59
                                                                 : 620,
                        table[item].rows < 10 ? 207 : 4 * table[item].rows + 159));
        for (QPushButton* a : editor->findChildren<QPushButton*>()) {
          for (QPushButton* b : editor->findChildren<QPushButton*>()) {
            EXPECT_TRUE(a == b || !a->geometry().intersects(b->geometry()))
                << a->text().toStdString() << " over " << b->text().toStdString();
          }
        }
        ExpectControlsInside(editor);
        editor->button(EditorCommand::Cancel)->click();
      }
      dialog->okButton()->click();
    });
    editors.editStartupGraphics(&owner);
    app.prompts.answers.push_back(false);
    RunCloseOsFiles(app.state, &owner);
  }
}

}  // namespace
}  // namespace zentavour::testing
