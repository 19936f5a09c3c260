#include "gui/app/main_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include "bitmaps/bitmap_gui_support.h"
#include "gui/app/about_dialog.h"
#include "gui/bitmaps/bitmap_editors.h"
#include "gui/bitmaps/edit_startup_dialog.h"
#include "gui/bitmaps/pixel_editor_window.h"
#include "gui/osfiles/load_os_files_dialog.h"
#include "gui/osfiles/os_data_panel.h"
#include "gui_test_support.h"
#include "support/faulty_files.h"

namespace zentavour::testing {
namespace {

const ShownText kSaveChanges{"Close OS Files", "Save Changes to OS Files?"};

// Flips the low bits of one byte of the open EXT image, as an editor's edit would.
void EditImage(ApplicationState& state, std::size_t at) {
  const Status edited = state.applyOsEdit("Edit Test Byte", [at](OsFileSet& set) {
    set.ExtImage.at(at) ^= 0x0F;
    return Status();
  });
  EXPECT_TRUE(edited.ok());
}

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : window(app.state) {
    window.show();
    window.createOsDataPanel();
  }

  // Runs "Open OS Files" from the menu and loads the set through the dialog.
  void openThroughMenu(WorkstationModel model, const SampleSetPaths& paths) {
    OnNextModal<LoadOsFilesDialog>(
        [&](LoadOsFilesDialog* dialog) { LoadThroughDialog(dialog, app.prompts, model, paths); });
    window.action(MenuCommand::OpenOsFiles)->trigger();
  }

  QPushButton* panelButton(PanelControl control) { return window.osDataPanel()->button(control); }

  GuiHarness app;
  MainWindow window;
};

// Each Web item opens a page of its own; Help and the usual key show the help.
TEST_F(MainWindowTest, WebAndHelpItemsGoToTheirPlaces) {
  for (QAction* item : window.menuBar()->actions().back()->menu()->actions()) item->trigger();
  EXPECT_EQ(app.prompts.urls.size(), 5u);
  EXPECT_EQ(QSet<QUrl>(app.prompts.urls.begin(), app.prompts.urls.end()).size(), 5);
  window.action(MenuCommand::ZentavourHelp)->trigger();
  EXPECT_EQ(app.prompts.helpShown, 1);
  Activate(&window);  // the usual key does the same
  QTest::keyClick(&window, Qt::Key_F1);
  EXPECT_EQ(app.prompts.helpShown, 2);
}

TEST(MainWindowStartUp, AboutComesFirstThenThePanel) {
  GuiHarness app;
  MainWindow window(app.state);
  bool aboutSeen = false;
  OnNextModal<AboutDialog>([&](AboutDialog* about) {
    aboutSeen = true;
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.osDataPanel(), nullptr);
    QStringList texts;
    for (QLabel* label : about->findChildren<QLabel*>()) texts << label->text();
    EXPECT_TRUE(texts.contains("  USE THIS PROGRAM AT YOUR OWN RISK"));
    QTest::mouseClick(about->okButton(), Qt::LeftButton);
  });
  window.startUp();
  EXPECT_TRUE(aboutSeen);
  EXPECT_NE(window.osDataPanel(), nullptr);
}

// Which panel buttons an open set enables: View GM Banks, Large, Medium, Small, Bold, Startup
// Graphics. The fonts a model has are the core's; here, that the panel follows them.
constexpr PanelControl kEditorButtons[] = {
    PanelControl::ViewGmBanks,   PanelControl::EditLargeFont, PanelControl::EditMediumFont,
    PanelControl::EditSmallFont, PanelControl::EditBoldFont,  PanelControl::EditStartupGraphics};

TEST_F(MainWindowTest, MenuAndPanelFollowTheOpenSet) {
  // With no set open only Open is offered.
  const auto expectClosed = [&] {
    EXPECT_TRUE(window.action(MenuCommand::OpenOsFiles)->isEnabled());
    EXPECT_FALSE(window.action(MenuCommand::CloseOsFiles)->isEnabled());
    EXPECT_TRUE(panelButton(PanelControl::Open)->isEnabled());
    EXPECT_FALSE(panelButton(PanelControl::Close)->isEnabled());
    for (PanelControl control : kEditorButtons) EXPECT_FALSE(panelButton(control)->isEnabled());
    EXPECT_FALSE(window.osDataPanel()->showsOpenSet());
  };
  expectClosed();
  app.openSet(WorkstationModel::OrvaneSalone);
  EXPECT_FALSE(window.action(MenuCommand::OpenOsFiles)->isEnabled());
  EXPECT_TRUE(window.action(MenuCommand::CloseOsFiles)->isEnabled());
  EXPECT_FALSE(panelButton(PanelControl::Open)->isEnabled());
  const bool editors[] = {true, false, true, true, false, true};
  for (std::size_t i = 0; i < std::size(kEditorButtons); ++i) {
    EXPECT_EQ(panelButton(kEditorButtons[i])->isEnabled(), editors[i]) << i;
  }
  EXPECT_TRUE(window.osDataPanel()->showsOpenSet());

  // The panel's Close asks first.
  app.prompts.answers.push_back(false);
  QTest::mouseClick(panelButton(PanelControl::Close), Qt::LeftButton);
  EXPECT_EQ(app.prompts.questions, std::vector<ShownText>{kSaveChanges});
  expectClosed();
}

// The checksum line and the modified mark follow the set through an edit, No and Yes; the panel's
// Open, pressed with Enter, brings back the set just closed. The bytes No and Yes leave on disk
// are the core's tests.
TEST_F(MainWindowTest, ChecksumLineAndModifiedMarkFollowEditsNoAndYes) {
  const SampleSetPaths paths = app.writeSet(WorkstationModel::OrvaneSalone, SaloneLayout::I);
  Bytes ext = ReadFileBytes(paths.ext);
  ext[0] ^= 0xFF;  // a wrong checksum must survive No
  WriteFileBytes(paths.ext, ext);

  openThroughMenu(WorkstationModel::OrvaneSalone, paths);
  ASSERT_TRUE(app.state.osFiles().isOpen());
  // The panel shows the wrong checksum of the first EXT file; no message box says it.
  QLabel* checksums = window.osDataPanel()->checksumLine();
  EXPECT_EQ(checksums->text(), "Checksums disagree");
  EXPECT_TRUE(checksums->toolTip().contains("DISAGREE"));
  for (const ShownText& shown : app.prompts.messages) EXPECT_FALSE(shown.text.contains("hecksum"));
  EXPECT_FALSE(window.isWindowModified());
  EditImage(app.state, 5000);  // an edit that No throws away
  app.prompts.answers.push_back(false);
  window.action(MenuCommand::CloseOsFiles)->trigger();
  EXPECT_FALSE(app.state.osFiles().isOpen());
  EXPECT_FALSE(window.isWindowModified());
  EXPECT_EQ(checksums->text(), "");
  EXPECT_EQ(ReadFileBytes(paths.ext), ext);

  OnNextModal<LoadOsFilesDialog>([&](LoadOsFilesDialog* dialog) {
    EXPECT_EQ(dialog->pathField(OsFileRole::Ext2)->text(), QString::fromStdString(paths.ext2));
    EXPECT_TRUE(dialog->radioButton(WorkstationModel::OrvaneSalone)->isChecked());
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
  });
  PressEnterOn(&window, panelButton(PanelControl::Open));  // Enter presses it too
  ASSERT_EQ(app.state.osFiles().model, WorkstationModel::OrvaneSalone);

  // Yes writes the set back with its checksums renewed, in the EXT file and in SYSINFO.
  EditImage(app.state, 5000);
  app.prompts.answers.push_back(true);
  window.action(MenuCommand::CloseOsFiles)->trigger();
  EXPECT_FALSE(window.isWindowModified());
  // A correct set of SYSINFO layout I agrees.
  openThroughMenu(WorkstationModel::OrvaneSalone,
                  app.writeSet(WorkstationModel::OrvaneSalone, SaloneLayout::I));
  EXPECT_EQ(checksums->text(), "Checksums agree");
}

// A save that fails is reported and keeps the set and its edits open; closing the window then
// asks whether to lose them. That a later save succeeds is the core's.
TEST_F(MainWindowTest, AFailedSaveKeepsTheSetOpenUntilGivenUp) {
  auto plan = std::make_shared<FaultPlan>();
  app.state.setFileOpener(FaultyOpener(plan));
  const SampleSetPaths paths = app.writeSet(WorkstationModel::Orvane);
  const Bytes before = ReadFileBytes(paths.ext);
  openThroughMenu(WorkstationModel::Orvane, paths);
  ASSERT_TRUE(app.state.osFiles().isOpen());
  EditImage(app.state, 125540);
  plan->failWrites = true;
  app.prompts.clearShown();
  QSignalSpy exited(&window, &MainWindow::exited);
  app.prompts.answers = {true, true, false};  // save: yes; then on exit, save: yes; exit anyway: no
  window.action(MenuCommand::CloseOsFiles)->trigger();
  EXPECT_FALSE(window.close());
  EXPECT_EQ(app.prompts.questions.size(), 3u);
  ASSERT_EQ(app.prompts.messages.size(), 2u);
  EXPECT_EQ(app.prompts.messages[0].caption, "File Error");
  EXPECT_TRUE(app.prompts.messages[0].text.contains("EXT"));
  EXPECT_TRUE(app.state.osFiles().isOpen());
  EXPECT_EQ(app.state.osFiles().ExtImage[125540], before[125540] ^ 0x0F);
  EXPECT_TRUE(window.action(MenuCommand::CloseOsFiles)->isEnabled());
  EXPECT_TRUE(window.osDataPanel()->showsOpenSet());
  EXPECT_EQ(exited.count(), 0);

  app.prompts.answers = {true, true};  // save: yes; exit anyway: yes
  EXPECT_TRUE(window.close());
  EXPECT_EQ(exited.count(), 1);
  EXPECT_FALSE(app.state.osFiles().isOpen());
  EXPECT_EQ(ReadFileBytes(paths.ext), before);
}

// The Edit menu takes a picture's OK back and forth; the title's mark follows.
TEST_F(MainWindowTest, CtrlZTakesAPictureEditBackAndTheMarkFollows) {
  openThroughMenu(WorkstationModel::Orvane, app.writeSet(WorkstationModel::Orvane));
  const Bytes before = app.state.osFiles().ExtImage;
  OnNextModal<EditStartupDialog>([](EditStartupDialog* dialog) {
    ActivateItem(dialog->list(), 0);
    dialog->okButton()->click();
  });
  window.bitmapEditors()->editStartupGraphics(&window);
  PixelEditorWindow* picture = window.bitmapEditors()->graphicEditor();
  ASSERT_NE(picture, nullptr);
  picture->button(EditorCommand::Invert)->click();
  picture->button(EditorCommand::Ok)->click();
  const auto menu = [&] {
    return window.undoAction()->text() + (window.undoAction()->isEnabled() ? " +" : "") + ", " +
           window.redoAction()->text() + (window.redoAction()->isEnabled() ? " +" : "") +
           (window.isWindowModified() ? ", modified" : "");
  };
  EXPECT_EQ(menu(), "&Undo Edit Startup Graphic ORVANE +, &Redo, modified");

  Activate(&window);
  QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(app.state.osFiles().ExtImage, before);
  EXPECT_EQ(menu().toStdString(), "&Undo, &Redo Edit Startup Graphic ORVANE +");
  QTest::keyClick(&window, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_NE(app.state.osFiles().ExtImage, before);
  EXPECT_EQ(menu(), "&Undo Edit Startup Graphic ORVANE +, &Redo, modified");
}

// With a set open, closing asks first (the tests above); without one, Exit ends at once.
TEST_F(MainWindowTest, ExitEndsAtOnceWithoutASet) {
  QSignalSpy exited(&window, &MainWindow::exited);
  window.action(MenuCommand::Exit)->trigger();
  EXPECT_EQ(exited.count(), 1);
  EXPECT_TRUE(app.prompts.questions.empty());
}

}  // namespace
}  // namespace zentavour::testing
