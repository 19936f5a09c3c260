#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "core/pcg/program_edit_fields.h"
#include "core/pcg/program_tables.h"
#include "core/samples/sample_pcg_files.h"
#include "gui/pcg/bank_list.h"
#include "gui/pcg/pcg_file_dialog.h"
#include "gui/pcg/program_edit_dialog.h"
#include "gui/bitmaps/bitmap_gui_support.h"
#include "pcg_test_support.h"

namespace zentavour::testing {
namespace {

class PcgBrowser : public ::testing::Test {
 protected:
  PcgHarness pcg;
  ScriptedPrompts& prompts = pcg.app.prompts;
};

TEST_F(PcgBrowser, ListsTheBanksItHoldsWithNamesAndTheModelsLogo) {
  const SamplePcgFile sample = BuildSamplePcgFile(1);
  pcg.openThroughMenu(pcg.writePcg(sample.fileName, sample.bytes));
  EXPECT_TRUE(prompts.messages.empty());
  PcgFileDialog* browser = pcg.windows.browser();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(browser->list()->count(), 0);  // nothing listed until a bank is chosen
  for (int bank = 0; bank < 5; ++bank) {
    EXPECT_EQ(browser->programBankButton(bank)->isEnabled(), std::ranges::count(sample.programBanks, bank));
    EXPECT_EQ(browser->combinationBankButton(bank)->isEnabled(), std::ranges::count(sample.combinationBanks, bank));
  }
  QTest::mouseClick(browser->programBankButton(1), Qt::LeftButton);
  EXPECT_EQ(ListTexts(browser->list()), BankNames(SampleProgramBank(1)));
  // Hovering shows the number and category, and never selects.
  HoverRow(browser->list(), 27);
  EXPECT_EQ(browser->programBox()->text(), "27");
  EXPECT_EQ(browser->categoryBox()->text().toStdString(),
            ProgramCategoryName(SampleProgramBank(1)[27]));
  EXPECT_TRUE(browser->list()->selectedItems().isEmpty());

  PressEnterOn(browser, browser->combinationBankButton(3));  // as a click does
  EXPECT_TRUE(browser->listsCombinations());
  const CombinationBank& combinations = (*pcg.index.combinations)[3];
  EXPECT_EQ(ListTexts(browser->list()), BankNames(combinations));
  HoverRow(browser->list(), 9);
  EXPECT_EQ(browser->programBox()->text(), "9");
  EXPECT_EQ(browser->categoryBox()->text().toStdString(),
            TableName(CategoryNames(), combinations[9].category()));
  pcg.app.state.closePcgFile();

  pcg.openThroughMenu(pcg.writeSamplePcg(5));  // another model, another logo
  EXPECT_EQ(pcg.windows.browser()->logo()->property("logoResource").toString(),
            ":/pcg/ossik_logo.svg");
}

// The index's refusals and warnings are checked in the core; here their route to the user.
TEST_F(PcgBrowser, RefusesWhatItCannotShowAndWarnsOfADamagedFile) {
  Bytes unknownModel = BuildSamplePcgFile(1).bytes;
  unknownModel[4] = 'Q';
  pcg.openThroughMenu(pcg.writePcg("d.PCG", unknownModel));  // every refusal takes this route
  prompts.files.push_back(std::nullopt);  // a cancelled chooser does nothing at all
  pcg.windows.openPcg();
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0],
            (ShownText{"File Error", QString::fromStdString(std::string(kPcgUnknownModelText))}));
  EXPECT_EQ(pcg.windows.browser(), nullptr);
  EXPECT_FALSE(pcg.windows.pcgOpen());

  Bytes cut = BuildSamplePcgFile(1).bytes;  // ends inside bank C
  cut.resize(24 + 8 + 48 + 8 + 2 * (8 + 12 + 128 * 540) + 100);
  prompts.clearShown();
  pcg.openThroughMenu(pcg.writePcg("damaged.PCG", cut));
  ASSERT_NE(pcg.windows.browser(), nullptr);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Warning");
  for (int bank = 0; bank < 5; ++bank) {
    EXPECT_EQ(pcg.windows.browser()->programBankButton(bank)->isEnabled(), bank < 2);
  }
}

TEST_F(PcgBrowser, ASecondFileIsRefusedAndClosingReleasesTheFirst) {
  const std::string path = pcg.writeSamplePcg(2);
  pcg.openThroughMenu(path);
  ASSERT_NE(pcg.windows.browser(), nullptr);
  // Held open and locked: nobody else gets it.
  EXPECT_EQ(OpenLockedFile(path), nullptr);

  prompts.clearShown();
  pcg.windows.openPcg();
  EXPECT_TRUE(prompts.asked.empty());  // refused before the chooser
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0],
            (ShownText{"Sorry", "At the moment, only one PCG file may be open at a time."}));

  // Escape closes the browser, and with it the file.
  QTest::keyClick(pcg.windows.browser(), Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(pcg.windows.browser(), nullptr);
  EXPECT_FALSE(pcg.windows.pcgOpen());
  EXPECT_NE(OpenLockedFile(path), nullptr);
}

TEST_F(PcgBrowser, ActivationOpensOneProgramEditThatOutlivesTheFile) {
  pcg.openThroughMenu(pcg.writeSamplePcg(3));
  PcgFileDialog* browser = pcg.windows.browser();
  ASSERT_NE(browser, nullptr);
  BankList* list = browser->list();
  // A combination bank has no Program Edit.
  QTest::mouseClick(browser->combinationBankButton(1), Qt::LeftButton);
  list->setCurrentRow(3);
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(pcg.windows.programEdit(), nullptr);

  QTest::mouseClick(browser->programBankButton(4), Qt::LeftButton);
  ActivateItem(list, 12);
  ProgramEditDialog* edit = pcg.windows.programEdit();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->control<QLineEdit>(program_edit::kName)->text().toStdString(),
            SampleProgramBank(4)[12].name());

  // Enter on another item while one is open: still the first, and the browser stays up.
  list->setCurrentRow(40);
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(pcg.windows.programEdit(), edit);
  EXPECT_TRUE(browser->isVisible());
  pcg.app.state.closePcgFile();
  EXPECT_TRUE(pcg.windows.programEdit()->isVisible());  // a copy: the core's ProgramForEdit
}

TEST_F(PcgBrowser, TransferButtonFollowsTheOpenOsFileSet) {
  pcg.openThroughMenu(pcg.writeSamplePcg(1));
  QPushButton* button = pcg.windows.browser()->transferButton();
  EXPECT_FALSE(button->isEnabled());

  pcg.app.openSet(WorkstationModel::OrvaneSalone);  // takes Orvane banks
  EXPECT_TRUE(button->isEnabled());
  pcg.closeOsSet(false);
  EXPECT_FALSE(button->isEnabled());
  pcg.app.openSet(WorkstationModel::Ossik);  // takes no Orvane banks
  EXPECT_FALSE(button->isEnabled());
}

}  // namespace
}  // namespace zentavour::testing
