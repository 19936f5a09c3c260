#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "bitmaps/bitmap_gui_support.h"
#include "gui/bitmaps/pixel_editor_window.h"
#include "gui/osfiles/load_os_files_dialog.h"
#include "gui/osfiles/os_data_panel.h"
#include "gui/pcg/bank_list.h"
#include "gui/pcg/gm_banks_dialog.h"
#include "gui/pcg/pcg_file_dialog.h"
#include "pcg/pcg_test_support.h"

namespace zentavour::testing {
namespace {

// Enter with the focus on button, as the user presses it after tabbing there.
void PressEnterOn(QWidget* window, QPushButton* button) {
  Activate(window);
  button->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(QApplication::focusWidget(), button);
  QTest::keyClick(button, Qt::Key_Return);
}

// In a panel, in dialogs with and without a default button and in a pixel editor, Enter
// presses the button that has the focus, never another one.
TEST(EnterKey, PressesTheFocusedButtonInEveryKindOfWindow) {
  PcgHarness pcg;
  {
    OsDataPanel panel;
    QSignalSpy open(&panel, &OsDataPanel::openRequested);
    PressEnterOn(&panel, panel.button(PanelControl::Open));
    EXPECT_EQ(open.count(), 1);
  }
  {
    LoadOsFilesDialog load(pcg.app.state, nullptr);
    pcg.app.prompts.files.push_back(std::nullopt);
    PressEnterOn(&load, load.browseButton(OsFileRole::Sysinfo));
    EXPECT_EQ(pcg.app.prompts.asked.size(), 1u);
    PressEnterOn(&load, load.cancelButton());  // Cancel, although OK is the default
    EXPECT_EQ(load.result(), QDialog::Rejected);
    EXPECT_TRUE(pcg.app.prompts.messages.empty());
  }
  pcg.openThroughMenu(pcg.writeSamplePcg(1));
  PcgFileDialog* browser = pcg.windows.browser();
  PressEnterOn(browser, browser->programBankButton(1));
  EXPECT_EQ(browser->currentBank(), 1);
  EXPECT_EQ(browser->list()->count(), BankList::kBankSize);

  pcg.loadOsSet(WorkstationModel::Orvane);
  pcg.windows.showGmBanks();
  GmBanksDialog* gm = pcg.windows.gmBanks();
  PressEnterOn(gm, gm->bankButton(2));
  EXPECT_TRUE(gm->bankButton(2)->isChecked());
  EXPECT_TRUE(gm->isVisible());

  Bytes picture(64, 0);
  PixelEditorWindow editor(std::move(*PixelEditor::ForGraphic(picture, GraphicTarget{0, 2, 8})),
                           {}, pcg.app.prompts);
  PressEnterOn(&editor, editor.button(EditorCommand::FillAll));
  EXPECT_EQ(editor.editor().grid().at(7, 15), 1);
  EXPECT_TRUE(editor.isVisible());
}

}  // namespace
}  // namespace zentavour::testing
