#include "gui/osfiles/load_os_files_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <map>

#include "core/osfiles/os_image_layout.h"
#include "gui_test_support.h"
#include "support/faulty_files.h"

namespace zentavour::testing {
namespace {

const ShownText kNoSysinfo{"Error", "You must select a SYSINFO file to load"};
const ShownText kNoExt{"Error", "You must select an EXT file to load"};
const ShownText kNoExt2{"Error", "You must select an EXT2 file to load"};
const ShownText kOpened{"Zentavour v1.75", "OS Files Successfully opened"};

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

class LoadOsFilesDialogTest : public ::testing::Test {
 protected:
  LoadOsFilesDialogTest() {
    // Count every open, so a test can tell a file was not opened twice.
    app.state.setFileOpener([this](const std::string& path) {
      ++opens[path];
      return OpenLockedFile(path);
    });
  }

  std::unique_ptr<LoadOsFilesDialog> openDialog() {
    auto dialog = std::make_unique<LoadOsFilesDialog>(app.state, nullptr);
    dialog->show();
    return dialog;
  }

  void browse(LoadOsFilesDialog& dialog, OsFileRole role, const std::string& path) {
    app.prompts.files.push_back(Q(path));
    QTest::mouseClick(dialog.browseButton(role), Qt::LeftButton);
  }

  void pressOk(LoadOsFilesDialog& dialog) { QTest::mouseClick(dialog.okButton(), Qt::LeftButton); }

  GuiHarness app;
  std::map<std::string, int> opens;
};

TEST_F(LoadOsFilesDialogTest, ShowsTheModelsInOrderWithTheHintOfTheCheckedOne) {
  auto dialog = openDialog();
  EXPECT_EQ(dialog->windowTitle(), "Load OS Files");
  const QList<QRadioButton*> radios = dialog->findChildren<QRadioButton*>();
  ASSERT_EQ(radios.size(), 4);
  // Top to bottom, as laid out.
  std::vector<QString> labels;
  std::vector<QRadioButton*> sorted(radios.begin(), radios.end());
  std::sort(sorted.begin(), sorted.end(),
            [](QRadioButton* a, QRadioButton* b) { return a->y() < b->y(); });
  for (QRadioButton* radio : sorted) labels.push_back(radio->text());
  EXPECT_EQ(labels,
            (std::vector<QString>{"Orvane v2.51", "Orvane Mi v1.50", "Orvane Salone", "Ossik v2"}));

  EXPECT_TRUE(dialog->radioButton(WorkstationModel::Orvane)->isChecked());
  EXPECT_TRUE(dialog->hint()->wordWrap());
  for (WorkstationModel model : {WorkstationModel::OrvaneMi, WorkstationModel::OrvaneSalone,
                                 WorkstationModel::Ossik, WorkstationModel::Orvane}) {
    dialog->radioButton(model)->click();
    EXPECT_EQ(dialog->hint()->text().toStdString(), ModelInfo(model).hint);
    const bool second = model == WorkstationModel::OrvaneSalone;
    EXPECT_EQ(dialog->pathField(OsFileRole::Ext2)->isEnabled(), second);
    EXPECT_EQ(dialog->browseButton(OsFileRole::Ext2)->isEnabled(), second);
    EXPECT_EQ(app.state.osFiles().model, model);
  }
  for (OsFileRole role : {OsFileRole::Sysinfo, OsFileRole::Ext, OsFileRole::Ext2}) {
    EXPECT_TRUE(dialog->pathField(role)->isReadOnly());
  }
}

TEST_F(LoadOsFilesDialogTest, OkWithNothingChosenNamesEveryMissingFileInOrderAndStays) {
  auto dialog = openDialog();
  pressOk(*dialog);
  EXPECT_EQ(app.prompts.messages, (std::vector<ShownText>{kNoSysinfo, kNoExt}));
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(app.state.osFiles().isOpen());

  app.prompts.clearShown();
  dialog->radioButton(WorkstationModel::OrvaneSalone)->click();
  pressOk(*dialog);
  EXPECT_EQ(app.prompts.messages, (std::vector<ShownText>{kNoSysinfo, kNoExt, kNoExt2}));
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(opens.empty());
}

TEST_F(LoadOsFilesDialogTest, SysinfoFirstThenExtOpensTheSetWithoutReopeningSysinfo) {
  const SampleSetPaths paths = app.writeSet(WorkstationModel::Orvane);
  auto dialog = openDialog();
  QSignalSpy changed(&app.state, &ApplicationState::osFilesChanged);
  browse(*dialog, OsFileRole::Sysinfo, paths.sysinfo);
  EXPECT_EQ(dialog->pathField(OsFileRole::Sysinfo)->text(), Q(paths.sysinfo));
  pressOk(*dialog);
  EXPECT_EQ(app.prompts.messages, std::vector<ShownText>{kNoExt});
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(changed.count(), 0);

  app.prompts.clearShown();
  browse(*dialog, OsFileRole::Ext, paths.ext);
  pressOk(*dialog);
  EXPECT_EQ(app.prompts.messages, std::vector<ShownText>{kOpened});
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_TRUE(app.state.osFiles().isOpen());
  EXPECT_EQ(app.state.openOsModel(), WorkstationModel::Orvane);
  EXPECT_EQ(opens[paths.sysinfo], 1);
  EXPECT_EQ(opens[paths.ext], 1);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed.at(0).at(0).value<WorkstationModel>(), WorkstationModel::Orvane);
}

TEST_F(LoadOsFilesDialogTest, SaloneWithoutSecondExtAsksForItAndOpensNothing) {
  const SampleSetPaths paths = app.writeSet(WorkstationModel::OrvaneSalone);
  auto dialog = openDialog();
  dialog->radioButton(WorkstationModel::OrvaneSalone)->click();
  browse(*dialog, OsFileRole::Sysinfo, paths.sysinfo);
  browse(*dialog, OsFileRole::Ext, paths.ext);
  pressOk(*dialog);
  EXPECT_EQ(app.prompts.messages, std::vector<ShownText>{kNoExt2});
  EXPECT_FALSE(app.state.osFiles().isOpen());
  EXPECT_TRUE(dialog->isVisible());

  app.prompts.clearShown();
  browse(*dialog, OsFileRole::Ext2, paths.ext2);
  pressOk(*dialog);
  EXPECT_EQ(app.prompts.messages, std::vector<ShownText>{kOpened});
  EXPECT_EQ(app.state.openOsModel(), WorkstationModel::OrvaneSalone);
  EXPECT_EQ(app.state.osFiles().Ext2Image.size(),
            ModelInfo(WorkstationModel::OrvaneSalone).extImageSize);
}

TEST_F(LoadOsFilesDialogTest, SwitchingModelEmptiesThePathsAndReclickingKeepsThem) {
  const SampleSetPaths paths = app.writeSet(WorkstationModel::Orvane);
  auto dialog = openDialog();
  browse(*dialog, OsFileRole::Sysinfo, paths.sysinfo);
  browse(*dialog, OsFileRole::Ext, paths.ext);

  dialog->radioButton(WorkstationModel::Orvane)->click();
  EXPECT_EQ(dialog->pathField(OsFileRole::Ext)->text(), Q(paths.ext));

  dialog->radioButton(WorkstationModel::Ossik)->click();
  for (OsFileRole role : {OsFileRole::Sysinfo, OsFileRole::Ext, OsFileRole::Ext2}) {
    EXPECT_TRUE(dialog->pathField(role)->text().isEmpty());
  }
  // Nothing chosen any more: OK asks for both files again.
  pressOk(*dialog);
  EXPECT_EQ(app.prompts.messages, (std::vector<ShownText>{kNoSysinfo, kNoExt}));
}

TEST_F(LoadOsFilesDialogTest, BrowseListsOnlyTheModelsExactNamesInEitherCase) {
  const SampleSetPaths paths = app.writeSet(WorkstationModel::OrvaneSalone);
  auto dialog = openDialog();
  dialog->radioButton(WorkstationModel::OrvaneSalone)->click();
  browse(*dialog, OsFileRole::Sysinfo, paths.sysinfo);
  app.prompts.files.push_back(std::nullopt);  // the user cancels the second chooser
  QTest::mouseClick(dialog->browseButton(OsFileRole::Sysinfo), Qt::LeftButton);
  browse(*dialog, OsFileRole::Ext2, paths.ext2);

  ASSERT_EQ(app.prompts.asked.size(), 3u);
  const FileChooser& sysinfo = app.prompts.asked[0].chooser;
  EXPECT_EQ(sysinfo.title, "Browse");
  EXPECT_EQ(sysinfo.filterLabel, "SYSINFO File (SYSINFO.030)");
  EXPECT_EQ(sysinfo.nameFilter(), "SYSINFO File (SYSINFO.030 sysinfo.030)");
  EXPECT_EQ(sysinfo.defaultSuffix, "030");
  EXPECT_TRUE(sysinfo.mustExist);
  EXPECT_TRUE(app.prompts.asked[0].initialPath.isEmpty());
  // The second chooser starts at the path chosen before; cancelling it keeps that path.
  EXPECT_EQ(app.prompts.asked[1].initialPath, Q(paths.sysinfo));
  EXPECT_EQ(dialog->pathField(OsFileRole::Sysinfo)->text(), Q(paths.sysinfo));
  EXPECT_EQ(app.prompts.asked[2].chooser.nameFilter(),
            "Orvane Salone OS 1.0.6 EXT File (EXT03085.030 ext03085.030)");
}

TEST_F(LoadOsFilesDialogTest, CancelOrEscapeThenReopenOffersTheSameModelAndPaths) {
  const SampleSetPaths paths = app.writeSet(WorkstationModel::Ossik);
  {
    auto dialog = openDialog();
    dialog->radioButton(WorkstationModel::Ossik)->click();
    browse(*dialog, OsFileRole::Sysinfo, paths.sysinfo);
    pressOk(*dialog);  // stops early with the SYSINFO file open
    browse(*dialog, OsFileRole::Ext, paths.ext);
    QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
  }
  EXPECT_EQ(app.state.osFiles().model, WorkstationModel::None);
  // The handle the stopped OK left is closed, so another program may open the file.
  EXPECT_NE(OpenLockedFile(paths.sysinfo), nullptr);

  app.prompts.clearShown();
  auto dialog = openDialog();
  EXPECT_TRUE(dialog->radioButton(WorkstationModel::Ossik)->isChecked());
  EXPECT_EQ(dialog->hint()->text().toStdString(), ModelInfo(WorkstationModel::Ossik).hint);
  EXPECT_EQ(dialog->pathField(OsFileRole::Sysinfo)->text(), Q(paths.sysinfo));
  EXPECT_EQ(dialog->pathField(OsFileRole::Ext)->text(), Q(paths.ext));
  pressOk(*dialog);
  EXPECT_EQ(app.prompts.messages, std::vector<ShownText>{kOpened});
  EXPECT_EQ(app.state.openOsModel(), WorkstationModel::Ossik);
  CloseOsFileSet(app.state.osFiles());

  // Escape leaves like Cancel, and the model clicked last is remembered.
  auto again = openDialog();
  again->radioButton(WorkstationModel::OrvaneMi)->click();
  QTest::keyClick(again.get(), Qt::Key_Escape);
  EXPECT_FALSE(again->isVisible());
  EXPECT_EQ(app.state.osFiles().model, WorkstationModel::None);
  EXPECT_EQ(app.state.osFiles().rememberedModel, WorkstationModel::OrvaneMi);
}

TEST_F(LoadOsFilesDialogTest, AFileHeldByAnotherOpenerIsRefusedUntilReleased) {
  const SampleSetPaths paths = app.writeSet(WorkstationModel::OrvaneSalone);
  struct Case {
    std::string path;
    ShownText expected;
  };
  for (const Case& c : {Case{paths.sysinfo, {"File Error", "Error Opening SYSINFO File"}},
                        Case{paths.ext, {"File Error", "Error Opening EXT File"}},
                        Case{paths.ext2, {"File Error", "Error Opening EXT2 File"}}}) {
    SCOPED_TRACE(c.path);
    app.prompts.clearShown();
    auto dialog = openDialog();
    dialog->radioButton(WorkstationModel::OrvaneSalone)->click();
    browse(*dialog, OsFileRole::Sysinfo, paths.sysinfo);
    browse(*dialog, OsFileRole::Ext, paths.ext);
    browse(*dialog, OsFileRole::Ext2, paths.ext2);
    {
      FileHandlePtr held = OpenLockedFile(c.path);
      ASSERT_NE(held, nullptr);
      pressOk(*dialog);
      EXPECT_EQ(app.prompts.messages, std::vector<ShownText>{c.expected});
      EXPECT_TRUE(dialog->isVisible());
      EXPECT_FALSE(app.state.osFiles().isOpen());
    }
    // Released: the next OK opens the set.
    app.prompts.clearShown();
    pressOk(*dialog);
    EXPECT_EQ(app.prompts.messages, std::vector<ShownText>{kOpened});
    ASSERT_TRUE(app.state.osFiles().isOpen());
    CloseOsFileSet(app.state.osFiles());
  }
}

TEST_F(LoadOsFilesDialogTest, AFileOfTheWrongSizeIsRefusedAndNothingStaysOpen) {
  const SampleSetPaths paths = app.writeSet(WorkstationModel::Orvane);
  const Bytes ext = ReadFileBytes(paths.ext);
  Bytes shorter(ext.begin(), ext.end() - 1);
  WriteFileBytes(paths.ext, shorter);

  auto dialog = openDialog();
  browse(*dialog, OsFileRole::Sysinfo, paths.sysinfo);
  browse(*dialog, OsFileRole::Ext, paths.ext);
  pressOk(*dialog);
  ASSERT_EQ(app.prompts.messages.size(), 1u);
  const ShownText& refusal = app.prompts.messages[0];
  EXPECT_EQ(refusal.caption, "File Error");
  EXPECT_TRUE(refusal.text.contains(Q(paths.ext)));
  EXPECT_TRUE(refusal.text.contains("1048578"));
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(app.state.osFiles().isOpen());
  EXPECT_NE(OpenLockedFile(paths.sysinfo), nullptr);
  EXPECT_EQ(ReadFileBytes(paths.ext), shorter);

  // Put right, the same choice opens.
  WriteFileBytes(paths.ext, ext);
  app.prompts.clearShown();
  pressOk(*dialog);
  EXPECT_EQ(app.prompts.messages, std::vector<ShownText>{kOpened});
}

}  // namespace
}  // namespace zentavour::testing
