#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "bitmaps/bitmap_gui_support.h"
#include "gui/osfiles/load_os_files_dialog.h"
#include "gui/osfiles/os_data_panel.h"
#include "gui/pcg/bank_list.h"
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

// In a panel and in dialogs with and without a default button, Enter presses the button that
// has the focus, never another one.
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
}

}  // namespace
}  // namespace zentavour::testing
