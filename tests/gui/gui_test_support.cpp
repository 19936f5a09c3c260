#include "gui_test_support.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>

#include "gui/osfiles/load_os_files_dialog.h"

namespace zentavour::testing {

SampleSetPaths GuiHarness::writeSet(WorkstationModel model, SaloneLayout layout) {
  const std::filesystem::path folder = dir.path() / ("set" + std::to_string(ModelCode(model)) +
                                                     (layout == SaloneLayout::I ? "-I" : "-II"));
  std::filesystem::create_directories(folder);
  return WriteSampleSet(folder, model, layout);
}

SampleSetPaths GuiHarness::openSet(WorkstationModel model) {
  const SampleSetPaths paths = writeSet(model);
  LoadOkOutcome loaded =
      LoadOsFiles(model, paths.sysinfo, paths.ext, paths.ext2, state.fileOpener());
  EXPECT_TRUE(loaded.set && state.openOsFiles(std::move(*loaded.set)));
  return paths;
}

void PressEnterOn(QWidget* window, QPushButton* button) {
  window->show();
  QApplication::setActiveWindow(window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window, 1000));
  button->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(QApplication::focusWidget(), button);
  QTest::keyClick(button, Qt::Key_Return);
}

void LoadThroughDialog(QDialog* dialog, ScriptedPrompts& prompts, WorkstationModel model,
                       const SampleSetPaths& paths) {
  auto* load = qobject_cast<LoadOsFilesDialog*>(dialog);
  ASSERT_NE(load, nullptr);
  load->radioButton(model)->click();
  prompts.files.push_back(QString::fromStdString(paths.sysinfo));
  QTest::mouseClick(load->browseButton(OsFileRole::Sysinfo), Qt::LeftButton);
  prompts.files.push_back(QString::fromStdString(paths.ext));
  QTest::mouseClick(load->browseButton(OsFileRole::Ext), Qt::LeftButton);
  if (!paths.ext2.empty()) {
    prompts.files.push_back(QString::fromStdString(paths.ext2));
    QTest::mouseClick(load->browseButton(OsFileRole::Ext2), Qt::LeftButton);
  }
  QTest::mouseClick(load->okButton(), Qt::LeftButton);
}

}  // namespace zentavour::testing
