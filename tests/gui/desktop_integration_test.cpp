#include "gui/app/desktop_integration.h"

#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

#include "core/samples/sample_pcg_files.h"
#include "gui/app/command_line.h"
#include "gui/app/main_window.h"
#include "gui/app/recent_files.h"
#include "gui/common/app_settings.h"
#include "gui_test_support.h"

namespace zentavour::testing {
namespace {

using M = WorkstationModel;
using Kind = OpenTarget::Kind;

QString Q(const std::string& path) {
  return QString::fromStdString(path);
}

TEST(CommandLine, PathsAreOpenedByWhatTheyHoldAndRefusedWithTheReason) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "set");
  const SampleSetPaths set = WriteSampleSet(dir.path() / "set", M::Orvane);
  const SamplePcgFile pcg = BuildSamplePcgFile(1);
  WriteFileBytes(dir.file("bank.dat"), pcg.bytes);     // a PCG file by its signature alone
  WriteFileBytes(dir.file("short.PCG"), Bytes(3, 0));  // by its name; the reader refuses it
  WriteFileBytes(dir.file("notes.txt"), Bytes(40, 'x'));
  std::filesystem::create_directories(dir.path() / "empty");

  struct Case {
    std::string path;
    Kind kind;
    std::string detail;  // the PCG path, the set's SYSINFO, or a piece of the refusal
  };
  const std::vector<Case> cases{
      {dir.file("set"), Kind::OsSet, set.sysinfo},
      {set.ext, Kind::OsSet, set.sysinfo},
      {dir.file("bank.dat"), Kind::Pcg, dir.file("bank.dat")},
      {dir.file("short.PCG"), Kind::Pcg, dir.file("short.PCG")},
      {dir.file("notes.txt"), Kind::Refused, "neither a PCG file nor"},
      {dir.file("gone.pcg"), Kind::Refused, "no file or folder"},
      {dir.file("empty"), Kind::Refused, "holds no OS file set"},
  };
  for (const Case& c : cases) {
    const OpenTarget target = ClassifyPath(Q(c.path));
    EXPECT_EQ(target.kind, c.kind) << c.path;
    if (c.kind == Kind::Pcg) {
      EXPECT_EQ(target.pcgPath, Q(c.detail));
    }
    if (c.kind == Kind::OsSet) {
      EXPECT_EQ(target.model, M::Orvane);
      EXPECT_EQ(target.sysinfo, Q(c.detail));
      EXPECT_EQ(target.ext, Q(set.ext));
    }
    if (c.kind == Kind::Refused) {
      EXPECT_EQ(target.refusal.caption, "Error");
      EXPECT_NE(target.refusal.text.find(c.detail), std::string::npos) << target.refusal.text;
    }
  }
  // A set's files chosen together, and its folder, are one set to open.
  EXPECT_EQ(ClassifyPaths({Q(set.sysinfo), Q(set.ext), Q(dir.file("set"))}).size(), 1);

  EXPECT_TRUE(ParseCommandLine({"-h"}).help);
  EXPECT_TRUE(ParseCommandLine({"--version"}).version);
  const CommandLine files = ParseCommandLine({"a.pcg", "--", "-odd.pcg", "-"});
  EXPECT_EQ(files.paths, (QStringList{"a.pcg", "-odd.pcg", "-"}));
  EXPECT_TRUE(files.error.isEmpty());
  EXPECT_EQ(ParseCommandLine({"--frob", "a.pcg"}).error, "unknown option '--frob'");
}

TEST(AppSettings, ValuesLastAcrossRunsAndADamagedOrUnwritableFileNeverStopsThem) {
  TempDir dir;
  const QString path = Q(dir.file("settings.ini"));
  {
    AppSettings settings(path);
    EXPECT_EQ(settings.lastModel(), M::None);
    EXPECT_TRUE(settings.keepOriginals());
    settings.setLastFolder("Open SYSINFO File", "/media/card/os");
    settings.setLastModel(M::OrvaneSalone);
    settings.setWindowPlace("help", QByteArray("\x01\x02place", 7));
    settings.setPreviewText("Piano 1");
    settings.setRecent({"pcg\t/a.pcg"});
    settings.setKeepOriginals(false);
    EXPECT_TRUE(settings.save());
  }
  {
    const AppSettings settings(path);
    EXPECT_EQ(settings.lastFolder("Open SYSINFO File"), "/media/card/os");
    EXPECT_EQ(settings.lastFolder("Open EXT File"), "");
    EXPECT_EQ(settings.lastModel(), M::OrvaneSalone);
    EXPECT_EQ(settings.windowPlace("help"), QByteArray("\x01\x02place", 7));
    EXPECT_EQ(settings.previewText("x"), "Piano 1");
    EXPECT_EQ(settings.recent(), QStringList{"pcg\t/a.pcg"});
    EXPECT_FALSE(settings.keepOriginals());
  }
  // Bytes that are no settings file, and a model code out of range.
  const std::string damaged("\xFF\xFE\0[[\nmodel=\n[loadOsFiles]\nmodel=9\n", 35);
  WriteFileBytes(dir.file("settings.ini"), Bytes(damaged.begin(), damaged.end()));
  {
    AppSettings settings(path);
    EXPECT_EQ(settings.lastModel(), M::None);
    EXPECT_EQ(settings.previewText("Sound"), "Sound");
    settings.setLastModel(M::Ossik);
    (void)settings.save();
    EXPECT_EQ(settings.lastModel(), M::Ossik);
  }
  WriteFileBytes(dir.file("blocker"), Bytes(1, 0));  // a file where the folder would be
  AppSettings unwritable(Q(dir.file("blocker")) + "/settings.ini");
  unwritable.setLastModel(M::Ossik);
  EXPECT_FALSE(unwritable.save());
  EXPECT_EQ(unwritable.lastModel(), M::Ossik);  // kept for the run all the same
}

TEST(RecentFiles, NewestFirstARepeatMovesUpAndOnlyEightStay) {
  const auto pcg = [](int n) {
    OpenTarget target;
    target.kind = Kind::Pcg;
    target.pcgPath = QStringLiteral("/p/%1.pcg").arg(n);
    return target;
  };
  OpenTarget set;
  set.kind = Kind::OsSet;
  set.model = M::OrvaneSalone;
  set.sysinfo = "/os/SYSINFO.030";
  set.ext = "/os/EXT02085.030";
  set.ext2 = "/os/EXT03085.030";
  QStringList list{"junk"};
  list = AddRecent(list, set);
  for (int n = 1; n <= 8; ++n) list = AddRecent(list, pcg(n));
  ASSERT_EQ(list.size(), kMostRecent);
  EXPECT_EQ(DecodeRecent(list.front()), pcg(8));
  EXPECT_EQ(DecodeRecent(list.back()), pcg(1));  // the set and the junk fell off
  list = AddRecent(list, pcg(3));
  EXPECT_EQ(DecodeRecent(list.front()), pcg(3));
  EXPECT_EQ(list.size(), kMostRecent);
  list = AddRecent(list, set);
  EXPECT_EQ(DecodeRecent(list.front()), set);
  EXPECT_EQ(RecentLabel(set), "Orvane Salone OS Files in /os");
}

// A window kept on a screen that has since gone comes back onto the first screen.
TEST(WindowPlaces, APlaceOffEveryScreenMovesOntoTheFirst) {
  const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
  const QRect onSecond(2500, 300, 600, 400);
  EXPECT_EQ(KeptOnScreens(onSecond, screens), onSecond);
  const QRect titleJustVisible(1800, 1060, 600, 400);
  EXPECT_EQ(KeptOnScreens(titleJustVisible, screens), titleJustVisible);
  EXPECT_EQ(KeptOnScreens(QRect(3300, 200, 600, 400), screens), QRect(660, 340, 600, 400));
  EXPECT_EQ(KeptOnScreens(QRect(-900, -300, 2400, 1200), {screens[0]}), QRect(0, 0, 1920, 1080));
}

class DesktopIntegrationTest : public ::testing::Test {
 protected:
  DesktopIntegrationTest()
      : settings(Q(app.dir.file("settings.ini"))),
        window(app.state),
        desktop(window, app.state, settings, Q(app.dir.file("data"))) {
    window.show();
    window.createOsDataPanel();
  }
  ~DesktopIntegrationTest() override { app.state.closePcgFile(); }

  GuiHarness app;
  AppSettings settings;
  MainWindow window;
  DesktopIntegration desktop;
};

TEST_F(DesktopIntegrationTest, ADroppedPcgFileOpensAndJoinsRecent) {
  const SamplePcgFile pcg = BuildSamplePcgFile(1);
  const std::string path = app.dir.file(pcg.fileName);
  WriteFileBytes(path, pcg.bytes);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(Q(path))});
  QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);

  EXPECT_TRUE(app.state.pcgIndex().isOpen());
  EXPECT_EQ(app.state.pcgIndex().path, path);
  EXPECT_TRUE(app.prompts.messages.empty());
  ASSERT_EQ(desktop.recentMenu()->actions().size(), 1);
  EXPECT_EQ(desktop.recentMenu()->actions()[0]->text(), Q(pcg.fileName));
}

// The save keeps the original before it writes; a copy that cannot be written stops it with the
// set still open and its files as they were. A recent entry whose file is gone says so and goes.
TEST_F(DesktopIntegrationTest, SavingKeepsTheOriginalFirstAndAGoneRecentFileLeavesTheList) {
  WriteFileBytes(app.dir.file("data"), Bytes(1, 0));  // the data folder's place is taken
  const SampleSetPaths set = app.openSet(M::Ossik);
  const Bytes ext = ReadFileBytes(set.ext);
  const auto flip = [](OsFileSet& s) {
    s.ExtImage.at(9000) ^= 0x0F;
    return Status();
  };
  ASSERT_TRUE(app.state.applyOsEdit("Edit", flip).ok());
  const Status refused = app.state.saveAndCloseOsFiles();
  ASSERT_FALSE(refused.ok());
  EXPECT_NE(refused.failure().text.find("could not be kept"), std::string::npos);
  EXPECT_TRUE(app.state.osFiles().isOpen());
  EXPECT_EQ(ReadFileBytes(set.ext), ext);

  std::filesystem::remove(app.dir.file("data"));
  QSignalSpy kept(&app.state, &ApplicationState::originalsKept);
  ASSERT_TRUE(app.state.saveAndCloseOsFiles().ok());
  ASSERT_EQ(kept.size(), 1);
  const std::string folder = kept[0][0].toString().toStdString();
  EXPECT_EQ(ReadFileBytes(folder + "/EXT02019.850"), ext);
  EXPECT_EQ(window.osDataPanel()->checksumLine()->text(), "Original files kept");

  // The set opened above is in Recent; its files go, and choosing it says so.
  ASSERT_EQ(desktop.recentMenu()->actions().size(), 1);
  std::filesystem::remove(set.sysinfo);
  desktop.recentMenu()->actions()[0]->trigger();
  ASSERT_EQ(app.prompts.messages.size(), 1u);
  EXPECT_TRUE(app.prompts.messages[0].text.contains("is no longer there"));
  EXPECT_TRUE(desktop.recentMenu()->actions().isEmpty());
  EXPECT_TRUE(settings.recent().isEmpty());
}

}  // namespace
}  // namespace zentavour::testing
