#include "core/osfiles/kept_originals.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <vector>

#include "core/osfiles/os_set_finder.h"
#include "support/temp_dir.h"

namespace zentavour::testing {
namespace {

using M = WorkstationModel;

// How many files and folders the folder holds, at any depth.
std::ptrdiff_t EntriesIn(const std::filesystem::path& folder) {
  return std::distance(std::filesystem::recursive_directory_iterator(folder), {});
}

// The first copy of an original is the one that stays: keeping the same original again writes
// nothing, a save's new bytes get a folder of their own, and a foreign file that took the
// folder's name is left as it is.
TEST(KeptOriginals, EachOriginalIsKeptOnceAndNoCopyIsEverOverwritten) {
  TempDir data;
  const Bytes sysinfo(300, 0x11), ext(5000, 0x22), saved(5000, 0x33);
  const std::vector<OriginalFile> first{{"SYSINFO.420", sysinfo}, {"EXT51370.420", ext}};
  const Result<std::string> kept = KeepOriginals(Utf8FromPath(data.path()), M::Orvane, first);
  ASSERT_TRUE(kept.ok()) << kept.failure().text;
  const std::filesystem::path folder = PathFromUtf8(*kept);
  EXPECT_EQ(folder.parent_path(), data.path() / "Kept Originals");
  EXPECT_EQ(Utf8FromPath(folder.filename()).rfind("Orvane ", 0), 0u);
  EXPECT_EQ(ReadFileBytes(*kept + "/SYSINFO.420"), sysinfo);
  EXPECT_EQ(ReadFileBytes(*kept + "/EXT51370.420"), ext);

  const Result<std::string> again = KeepOriginals(Utf8FromPath(data.path()), M::Orvane, first);
  ASSERT_TRUE(again.ok());
  EXPECT_EQ(*again, *kept);

  const std::vector<OriginalFile> next{{"SYSINFO.420", sysinfo}, {"EXT51370.420", saved}};
  const Result<std::string> second = KeepOriginals(Utf8FromPath(data.path()), M::Orvane, next);
  ASSERT_TRUE(second.ok());
  EXPECT_NE(*second, *kept);
  EXPECT_EQ(ReadFileBytes(*kept + "/EXT51370.420"), ext);

  // Someone put other bytes under the name of the next copy's file.
  const Bytes foreign(10, 0x44);
  std::filesystem::remove_all(PathFromUtf8(*second));
  std::filesystem::create_directories(PathFromUtf8(*second));
  WriteFileBytes(*second + "/EXT51370.420", foreign);
  const Result<std::string> beside = KeepOriginals(Utf8FromPath(data.path()), M::Orvane, next);
  ASSERT_TRUE(beside.ok());
  EXPECT_EQ(*beside, *second + " (2)");
  EXPECT_EQ(ReadFileBytes(*second + "/EXT51370.420"), foreign);
  EXPECT_EQ(ReadFileBytes(*beside + "/EXT51370.420"), saved);
  EXPECT_EQ(EntriesIn(data.path()), 4 + 5);  // 4 folders; 2 files kept, 1 foreign, 2 beside
}

// A data folder that cannot hold the copy stops with the reason, writing nothing.
TEST(KeptOriginals, AFolderThatCannotHoldTheCopyIsAFailureThatSaysWhy) {
  TempDir data;
  WriteFileBytes(data.file("blocked"), Bytes(3, 1));  // a file where the folder would go
  const Bytes bytes(100, 7);
  const std::vector<OriginalFile> files{{"SYSINFO.850", bytes}};
  const Result<std::string> kept = KeepOriginals(data.file("blocked"), M::Ossik, files);
  ASSERT_FALSE(kept.ok());
  EXPECT_EQ(kept.failure().caption, "File Error");
  EXPECT_EQ(kept.failure().text.rfind("The original OS files could not be kept", 0), 0u);
  EXPECT_NE(kept.failure().detail.find("blocked"), std::string::npos) << kept.failure().detail;
  EXPECT_EQ(EntriesIn(data.path()), 1);  // the blocking file alone
}

TEST(FindOsSet, FindsTheModelAndItsFilesInAnyLetterCase) {
  struct Case {
    std::vector<std::string> names;
    std::string oneFile;
    M model;
    std::string found;  // the SYSINFO, EXT and EXT2 names
  };
  const std::vector<Case> cases{
      {{"SYSINFO.420", "EXT51370.420", "notes.txt"}, "", M::Orvane, "SYSINFO.420|EXT51370.420|"},
      {{"sysinfo.030", "ext03085.030"}, "", M::OrvaneSalone, "sysinfo.030||ext03085.030"},
      // Two models' files: the one with more of them, or the one the given file belongs to.
      {{"SYSINFO.260", "SYSINFO.850", "EXT02019.850"}, "", M::Ossik, "SYSINFO.850|EXT02019.850|"},
      {{"SYSINFO.260", "SYSINFO.850", "EXT02019.850"}, "sysinfo.260", M::OrvaneMi, "SYSINFO.260||"},
      // The exact name wins over another letter case.
      {{"ext00047.260", "EXT00047.260"}, "", M::OrvaneMi, "|EXT00047.260|"},
  };
  for (const Case& c : cases) {
    const auto found = FindOsSet(c.names, c.oneFile);
    ASSERT_TRUE(found) << c.names[0];
    EXPECT_EQ(found->model, c.model) << c.names[0];
    EXPECT_EQ(found->sysinfoName + "|" + found->extName + "|" + found->ext2Name, c.found);
  }
  const std::vector<std::string> none{"a.pcg", "SYSINFO.999"};
  EXPECT_FALSE(FindOsSet(none));
  EXPECT_FALSE(FindOsSet(none, "a.pcg"));
}

}  // namespace
}  // namespace zentavour::testing
