#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/pcg/gm_transfer.h"
#include "core/pcg/program_edit_fields.h"
#include "core/samples/sample_pcg_files.h"
#include "gui/pcg/bank_list.h"
#include "gui/pcg/gm_banks_dialog.h"
#include "gui/pcg/pcg_file_dialog.h"
#include "gui/pcg/transfer_gm_dialog.h"
#include "pcg_test_support.h"

namespace zentavour::testing {
namespace {

class GmBanks : public ::testing::Test {
 protected:
  PcgHarness pcg;
  ScriptedPrompts& prompts = pcg.app.prompts;

  // Presses "Prog Bank to GM Bank" and lets action drive the transfer dialog.
  void runTransfer(std::function<void(TransferGmDialog*)> action) {
    OnNextModal<TransferGmDialog>(std::move(action));
    QTest::mouseClick(pcg.windows.browser()->transferButton(), Qt::LeftButton);
  }
};

// Where the bank goes for each model is checked in the core; here the dialog's choice reaches it.
TEST_F(GmBanks, TransferReachesTheOsFilesOnSave) {
  const SampleSetPaths paths = pcg.app.openSet(WorkstationModel::Orvane);
  const Bytes extBefore = ReadFileBytes(paths.ext);
  pcg.openThroughMenu(pcg.writeSamplePcg(1));
  ASSERT_TRUE(pcg.windows.browser()->transferButton()->isEnabled());

  // Bank D, whatever entry it is in the file's chunk order.
  const std::vector<TransferSourceEntry> entries = TransferSourceEntries(pcg.index);
  const auto d = std::find_if(entries.begin(), entries.end(),
                              [](const TransferSourceEntry& e) { return e.label == "D"; });
  ASSERT_NE(d, entries.end());
  const int entry = static_cast<int>(d - entries.begin());
  runTransfer([&](TransferGmDialog* dialog) {
    EXPECT_EQ(dialog->programBankList()->count(), static_cast<int>(entries.size()));
    dialog->programBankList()->setCurrentIndex(entry);
    dialog->gmBankList()->setCurrentIndex(0);
    QTest::mouseClick(dialog->transferButton(), Qt::LeftButton);
  });
  EXPECT_TRUE(prompts.messages.empty());
  // Nothing on disk until the set is saved.
  EXPECT_EQ(ReadFileBytes(paths.ext), extBefore);

  EXPECT_EQ(BankNames(*pcg.app.state.osFiles().gmBank1), BankNames(SampleProgramBank(3)));
  pcg.closeOsSet(true);
  EXPECT_NE(ReadFileBytes(paths.ext), extBefore);
}

TEST_F(GmBanks, CancelAndAnEmptyBankListChangeNothing) {
  pcg.app.openSet(WorkstationModel::Orvane);
  const Bytes image = pcg.app.state.osFiles().ExtImage;
  pcg.openThroughMenu(pcg.writeSamplePcg(1));
  runTransfer(
      [](TransferGmDialog* dialog) { QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton); });
  EXPECT_EQ(pcg.app.state.osFiles().ExtImage, image);
  pcg.app.state.closePcgFile();

  // Programs but no program bank: the button is there, the list is empty, Transfer says why.
  pcg.openThroughMenu(pcg.writePcg("empty.PCG", PcgFileBytes('P', PcgChunk("PRG1", {}))));
  ASSERT_TRUE(pcg.windows.browser()->transferButton()->isEnabled());
  runTransfer([](TransferGmDialog* dialog) {
    EXPECT_EQ(dialog->programBankList()->count(), 0);
    QTest::mouseClick(dialog->transferButton(), Qt::LeftButton);
    dialog->reject();
  });
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text.toStdString(), kNoProgramBanksToTransferText);
  EXPECT_EQ(pcg.app.state.osFiles().ExtImage, image);
}

// The viewer shows the open set's banks; closing the set leaves it and its list up.
TEST_F(GmBanks, ViewerListsEachBankHoversAndKeepsItsListWhenTheSetCloses) {
  pcg.app.openSet(WorkstationModel::Orvane);
  pcg.windows.showGmBanks();
  GmBanksDialog* viewer = pcg.windows.gmBanks();
  ASSERT_NE(viewer, nullptr);
  pcg.windows.showGmBanks();
  EXPECT_EQ(pcg.windows.gmBanks(), viewer);  // one at a time

  const OsFileSet& set = pcg.app.state.osFiles();
  EXPECT_TRUE(viewer->bankButton(1)->isChecked());
  EXPECT_EQ(ListTexts(viewer->list()), BankNames(*set.gmBank1));
  QTest::mouseClick(viewer->bankButton(2), Qt::LeftButton);
  const QStringList second = BankNames(*set.gmBank2);
  EXPECT_EQ(ListTexts(viewer->list()), second);
  HoverRow(viewer->list(), 64);
  EXPECT_EQ(viewer->categoryBox()->text().toStdString(), ProgramCategoryName((*set.gmBank2)[64]));
  EXPECT_EQ(viewer->oscModeBox()->text(), OscillatorModeName((*set.gmBank2)[64]));

  // The banks it can no longer fetch are off.
  pcg.closeOsSet(false);
  ASSERT_EQ(pcg.windows.gmBanks(), viewer);
  EXPECT_EQ(ListTexts(viewer->list()), second);
  EXPECT_FALSE(viewer->bankButton(1)->isEnabled());
  HoverRow(viewer->list(), 5);  // still hovers over what it shows, not the closed set

  viewer->close();
  QApplication::processEvents();
  EXPECT_EQ(pcg.windows.gmBanks(), nullptr);
}

}  // namespace
}  // namespace zentavour::testing
