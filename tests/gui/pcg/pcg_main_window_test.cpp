#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "core/samples/sample_pcg_files.h"
#include "gui/app/main_window.h"
#include "gui/app/menu_command.h"
#include "gui/osfiles/os_data_panel.h"
#include "gui/pcg/pcg_windows.h"
#include "pcg_test_support.h"

namespace zentavour::testing {
namespace {

// The PCG windows as the main window reaches them: the menu, the panel and the exit path.
TEST(PcgFromTheMainWindow, MenuPanelAndExitPathReachThePcgWindows) {
  GuiHarness app;
  MainWindow window(app.state);
  window.show();
  window.createOsDataPanel();
  PcgWindows* pcg = window.pcgWindows();
  ASSERT_NE(pcg, nullptr);

  const std::string path = app.dir.file("a.PCG");
  WriteFileBytes(path, BuildSamplePcgFile(1).bytes);
  app.prompts.files.push_back(QString::fromStdString(path));
  window.action(MenuCommand::OpenPcg)->trigger();
  ASSERT_EQ(app.prompts.asked.size(), 1u);
  EXPECT_EQ(app.prompts.asked[0].chooser.filterLabel, "PCG File (*.PCG)");
  ASSERT_NE(pcg->browser(), nullptr);
  EXPECT_TRUE(app.state.pcgIndex().isOpen());

  // With an OS file set open, the panel's "View GM Banks" opens the viewer.
  app.openSet(WorkstationModel::Orvane);
  QTest::mouseClick(window.osDataPanel()->button(PanelControl::ViewGmBanks), Qt::LeftButton);
  ASSERT_NE(pcg->gmBanks(), nullptr);

  // Exit: the set is closed (No), the browser ends and the file is released.
  app.prompts.answers.push_back(false);
  window.close();
  EXPECT_FALSE(app.state.osFiles().isOpen());
  EXPECT_EQ(pcg->browser(), nullptr);
  EXPECT_FALSE(app.state.pcgIndex().isOpen());
  EXPECT_NE(OpenLockedFile(path), nullptr);
}

}  // namespace
}  // namespace zentavour::testing
