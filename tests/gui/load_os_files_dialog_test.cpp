#include "gui/osfiles/load_os_files_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <map>

#include "gui_test_support.h"
#include "support/faulty_files.h"

namespace zentavour::testing {
namespace {

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
  std::map<std::string, int> opens;
};

TEST_F(LoadOsFilesDialogTest, ShowsTheModelsInOrderWithTheHintOfTheCheckedOne) {
  auto dialog = openDialog();
  std::vector<QRadioButton*> radios;
  for (QRadioButton* radio : dialog->findChildren<QRadioButton*>()) radios.push_back(radio);
  std::sort(radios.begin(), radios.end(),
            [](QRadioButton* a, QRadioButton* b) { return a->y() < b->y(); });
  std::vector<QString> labels;
  for (QRadioButton* radio : radios) labels.push_back(radio->text());
  EXPECT_EQ(labels,
            (std::vector<QString>{"Orvane v2.51", "Orvane Mi v1.50", "Orvane Salone", "Ossik v2"}));
  EXPECT_TRUE(dialog->radioButton(WorkstationModel::Orvane)->isChecked());
  for (WorkstationModel model : {WorkstationModel::OrvaneMi, WorkstationModel::OrvaneSalone,
                                 WorkstationModel::Ossik, WorkstationModel::Orvane}) {
    dialog->radioButton(model)->click();
    EXPECT_EQ(dialog->hint()->text().toStdString(), ModelInfo(model).hint);
    const bool second = model == WorkstationModel::OrvaneSalone;
    EXPECT_EQ(dialog->browseButton(OsFileRole::Ext2)->isEnabled(), second);
    EXPECT_EQ(app.state.osFiles().model, model);
  }
}

// OK names every file still missing, in order, and stays; with all chosen it opens the set,
// each file once.
TEST_F(LoadOsFilesDialogTest, OkNamesEachMissingFileUntilAllAreChosenThenOpensOnce) {
  const ShownText missing[] = {{"Error", "You must select a SYSINFO file to load"},
                               {"Error", "You must select an EXT file to load"},
                               {"Error", "You must select an EXT2 file to load"}};
  for (WorkstationModel model : {WorkstationModel::Orvane, WorkstationModel::OrvaneSalone}) {
    SCOPED_TRACE(ModelCode(model));
    const SampleSetPaths paths = app.writeSet(model);
    const std::vector<std::pair<OsFileRole, std::string>> files{
        {OsFileRole::Sysinfo, paths.sysinfo}, {OsFileRole::Ext, paths.ext}};
    auto all = files;
    if (!paths.ext2.empty()) all.push_back({OsFileRole::Ext2, paths.ext2});
    auto dialog = openDialog(model);
    QSignalSpy changed(&app.state, &ApplicationState::osFilesChanged);
    for (std::size_t chosen = 0; chosen < all.size(); ++chosen) {
      EXPECT_EQ(pressOk(*dialog),
                std::vector<ShownText>(std::begin(missing) + chosen, missing + all.size()));
      EXPECT_TRUE(dialog->isVisible());
      browse(*dialog, all[chosen].first, all[chosen].second);
    }
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(pressOk(*dialog), std::vector<ShownText>{kOpened});
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(app.state.openOsModel(), model);
    for (const auto& [role, path] : all) EXPECT_EQ(opens[path], 1) << path;
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<WorkstationModel>(), model);
    CloseOsFileSet(app.state.osFiles());
  }
}

TEST_F(LoadOsFilesDialogTest, SwitchingModelEmptiesThePathsAndReclickingKeepsThem) {
  const SampleSetPaths paths = app.writeSet(WorkstationModel::Orvane);
  auto dialog = openDialog();
  browse(*dialog, OsFileRole::Sysinfo, paths.sysinfo);
  dialog->radioButton(WorkstationModel::Orvane)->click();
  EXPECT_EQ(dialog->pathField(OsFileRole::Sysinfo)->text(), Q(paths.sysinfo));
  dialog->radioButton(WorkstationModel::Ossik)->click();
  EXPECT_TRUE(dialog->pathField(OsFileRole::Sysinfo)->text().isEmpty());
  EXPECT_EQ(pressOk(*dialog).size(), 2u);  // asks for both files again
}

TEST_F(LoadOsFilesDialogTest, BrowseOffersTheModelsExactNameAndRemembersThePath) {
  const SampleSetPaths paths = app.writeSet(WorkstationModel::OrvaneSalone);
  auto dialog = openDialog(WorkstationModel::OrvaneSalone);
  browse(*dialog, OsFileRole::Sysinfo, paths.sysinfo);
  app.prompts.files.push_back(std::nullopt);  // the user cancels the second chooser
  QTest::mouseClick(dialog->browseButton(OsFileRole::Sysinfo), Qt::LeftButton);
  browse(*dialog, OsFileRole::Ext2, paths.ext2);

  ASSERT_EQ(app.prompts.asked.size(), 3u);
  const FileChooser& sysinfo = app.prompts.asked[0].chooser;
  EXPECT_EQ(sysinfo.filterLabel, "SYSINFO File (SYSINFO.030)");
  EXPECT_EQ(sysinfo.defaultSuffix, "030");
  EXPECT_TRUE(sysinfo.mustExist);
  // The second chooser starts at the path chosen before; cancelling it keeps that path.
  EXPECT_EQ(app.prompts.asked[1].initialPath, Q(paths.sysinfo));
  EXPECT_EQ(dialog->pathField(OsFileRole::Sysinfo)->text(), Q(paths.sysinfo));
  EXPECT_EQ(app.prompts.asked[2].chooser.filterLabel,
            "Orvane Salone OS 1.0.6 EXT File (EXT03085.030)");
}

TEST_F(LoadOsFilesDialogTest, CancelEnterOnCancelOrEscapeThenReopenOffersTheSameModelAndPaths) {
  const SampleSetPaths paths = app.writeSet(WorkstationModel::Ossik);
  {
    auto dialog = openDialog(WorkstationModel::Ossik);
    browse(*dialog, OsFileRole::Sysinfo, paths.sysinfo);
    pressOk(*dialog);  // stops early with the SYSINFO file open
    browse(*dialog, OsFileRole::Ext, paths.ext);
    PressEnterOn(dialog.get(), dialog->cancelButton());  // not OK, the default button
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
  }
  EXPECT_EQ(app.state.osFiles().model, WorkstationModel::None);
  // The handle the stopped OK left is closed, so another program may open the file.
  EXPECT_NE(OpenLockedFile(paths.sysinfo), nullptr);

  auto dialog = openDialog();
  EXPECT_TRUE(dialog->radioButton(WorkstationModel::Ossik)->isChecked());
  EXPECT_EQ(dialog->pathField(OsFileRole::Ext)->text(), Q(paths.ext));
  EXPECT_EQ(pressOk(*dialog), std::vector<ShownText>{kOpened});
  CloseOsFileSet(app.state.osFiles());

  // Escape leaves like Cancel, and the model clicked last is remembered.
  auto again = openDialog(WorkstationModel::OrvaneMi);
  QTest::keyClick(again.get(), Qt::Key_Escape);
  EXPECT_FALSE(again->isVisible());
  EXPECT_EQ(app.state.osFiles().model, WorkstationModel::None);
  EXPECT_EQ(app.state.osFiles().rememberedModel, WorkstationModel::OrvaneMi);
}

// A file held by another opener, or of the wrong size, is refused with nothing left open and
// nothing written; put right, the same choice opens.
TEST_F(LoadOsFilesDialogTest, AHeldOrWrongSizedFileIsRefusedUntilPutRight) {
  const SampleSetPaths paths = app.writeSet(WorkstationModel::OrvaneSalone);
  for (const auto& [path, text] : {std::pair{paths.sysinfo, "Error Opening SYSINFO File"},
                                   {paths.ext, "Error Opening EXT File"},
                                   {paths.ext2, "Error Opening EXT2 File"}}) {
    SCOPED_TRACE(path);
    auto dialog = openDialog(WorkstationModel::OrvaneSalone);
    browse(*dialog, OsFileRole::Sysinfo, paths.sysinfo);
    browse(*dialog, OsFileRole::Ext, paths.ext);
    browse(*dialog, OsFileRole::Ext2, paths.ext2);
    {
      FileHandlePtr held = OpenLockedFile(path);
      ASSERT_NE(held, nullptr);
      EXPECT_EQ(pressOk(*dialog), (std::vector<ShownText>{{"File Error", text}}));
      EXPECT_TRUE(dialog->isVisible());
      EXPECT_FALSE(app.state.osFiles().isOpen());
    }
    EXPECT_EQ(pressOk(*dialog), std::vector<ShownText>{kOpened});
    CloseOsFileSet(app.state.osFiles());
  }

  const SampleSetPaths orvane = app.writeSet(WorkstationModel::Orvane);
  const Bytes ext = ReadFileBytes(orvane.ext);
  const Bytes shorter(ext.begin(), ext.end() - 1);
  WriteFileBytes(orvane.ext, shorter);
  auto dialog = openDialog(WorkstationModel::Orvane);
  browse(*dialog, OsFileRole::Sysinfo, orvane.sysinfo);
  browse(*dialog, OsFileRole::Ext, orvane.ext);
  const std::vector<ShownText> refusal = pressOk(*dialog);
  ASSERT_EQ(refusal.size(), 1u);
  EXPECT_EQ(refusal[0].caption, "File Error");
  EXPECT_TRUE(refusal[0].text.contains(Q(orvane.ext)));
  EXPECT_TRUE(refusal[0].text.contains("1048578"));
  EXPECT_FALSE(app.state.osFiles().isOpen());
  EXPECT_NE(OpenLockedFile(orvane.sysinfo), nullptr);
  EXPECT_EQ(ReadFileBytes(orvane.ext), shorter);
  WriteFileBytes(orvane.ext, ext);
  EXPECT_EQ(pressOk(*dialog), std::vector<ShownText>{kOpened});
}

}  // namespace
}  // namespace zentavour::testing
