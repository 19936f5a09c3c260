#include "gui/osfiles/load_os_files_dialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "gui/common/file_chooser.h"
#include "gui_test_support.h"

namespace zentavour::testing {
namespace {

const ShownText kOpened{"Zentavour v1.75", "OS Files Successfully opened"};

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

class LoadOsFilesDialogTest : public ::testing::Test {
 protected:
  std::unique_ptr<LoadOsFilesDialog> openDialog(WorkstationModel model = WorkstationModel::None) {
    auto dialog = std::make_unique<LoadOsFilesDialog>(app.state, nullptr);
    dialog->show();
    if (model != WorkstationModel::None) dialog->radioButton(model)->click();
    return dialog;
  }

  void browse(LoadOsFilesDialog& dialog, OsFileRole role, const std::string& path) {
    app.prompts.files.push_back(Q(path));
    QTest::mouseClick(dialog.browseButton(role), Qt::LeftButton);
  }

  // Presses OK and returns what it showed.
  std::vector<ShownText> pressOk(LoadOsFilesDialog& dialog) {
    app.prompts.clearShown();
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    return app.prompts.messages;
  }

  GuiHarness app;
};

TEST_F(LoadOsFilesDialogTest, EachModelBecomesTheChoiceAndOnlyTheSaloneTakesAnExt2) {
  auto dialog = openDialog();
  EXPECT_TRUE(dialog->radioButton(WorkstationModel::Orvane)->isChecked());
  for (WorkstationModel model : {WorkstationModel::OrvaneMi, WorkstationModel::OrvaneSalone,
                                 WorkstationModel::Ossik, WorkstationModel::Orvane}) {
    dialog->radioButton(model)->click();
    EXPECT_EQ(dialog->browseButton(OsFileRole::Ext2)->isEnabled(),
              model == WorkstationModel::OrvaneSalone);
    EXPECT_EQ(app.state.osFileChoice().model, model);
  }
}

// OK names every file still missing, then passes on the core's refusal of a wrong one, and
// stays; once all are chosen and whole it opens the set and the windows hear of it once.
TEST_F(LoadOsFilesDialogTest, OkReportsWhatIsMissingOrRefusedUntilTheSetOpens) {
  const SampleSetPaths paths = app.writeSet(WorkstationModel::OrvaneSalone);
  const Bytes ext = ReadFileBytes(paths.ext);
  auto dialog = openDialog(WorkstationModel::OrvaneSalone);
  QSignalSpy changed(&app.state, &ApplicationState::osFilesChanged);
  browse(*dialog, OsFileRole::Sysinfo, paths.sysinfo);
  EXPECT_EQ(pressOk(*dialog),
            (std::vector<ShownText>{{"Error", "You must select an EXT file to load"},
                                    {"Error", "You must select an EXT2 file to load"}}));
  browse(*dialog, OsFileRole::Ext, paths.ext);
  browse(*dialog, OsFileRole::Ext2, paths.ext2);
  WriteFileBytes(paths.ext, Bytes(ext.begin(), ext.end() - 1));
  const std::vector<ShownText> refusal = pressOk(*dialog);
  ASSERT_EQ(refusal.size(), 1u);
  EXPECT_EQ(refusal[0].caption, "File Error");
  EXPECT_TRUE(refusal[0].text.contains(Q(paths.ext)));
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(app.state.osFiles().isOpen());
  EXPECT_EQ(changed.count(), 0);

  WriteFileBytes(paths.ext, ext);
  EXPECT_EQ(pressOk(*dialog), std::vector<ShownText>{kOpened});
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed.at(0).at(0).value<WorkstationModel>(), WorkstationModel::OrvaneSalone);
}

TEST_F(LoadOsFilesDialogTest, BrowseOffersTheModelsExactNameRemembersThePathAndCancelKeepsOut) {
  const SampleSetPaths paths = app.writeSet(WorkstationModel::OrvaneSalone);
  auto dialog = openDialog(WorkstationModel::OrvaneSalone);
  browse(*dialog, OsFileRole::Sysinfo, paths.sysinfo);
  app.prompts.files.push_back(std::nullopt);  // the user cancels the second chooser
  QTest::mouseClick(dialog->browseButton(OsFileRole::Sysinfo), Qt::LeftButton);
  browse(*dialog, OsFileRole::Ext2, paths.ext2);

  ASSERT_EQ(app.prompts.asked.size(), 3u);
  EXPECT_EQ(app.prompts.asked[0].chooser,
            OsFileChooser(WorkstationModel::OrvaneSalone, OsFileRole::Sysinfo));
  EXPECT_EQ(app.prompts.asked[0].chooser.filterLabel, "SYSINFO File (SYSINFO.030)");
  // The second chooser starts at the path chosen before; cancelling it keeps that path.
  EXPECT_EQ(app.prompts.asked[1].initialPath, Q(paths.sysinfo));
  EXPECT_EQ(dialog->pathField(OsFileRole::Sysinfo)->text(), Q(paths.sysinfo));
  EXPECT_EQ(app.prompts.asked[2].chooser.filterLabel,
            "Orvane Salone OS 1.0.6 EXT File (EXT03085.030)");
  // With every file chosen, Enter on Cancel still cancels; reopening is the main window's.
  browse(*dialog, OsFileRole::Ext, paths.ext);
  PressEnterOn(dialog.get(), dialog->cancelButton());
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_FALSE(app.state.osFiles().isOpen());
}

}  // namespace
}  // namespace zentavour::testing
