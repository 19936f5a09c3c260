#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"
#include "core/common/file_handle.h"
#include "support/temp_dir.h"
#include "zentavour_version.h"

namespace zentavour::testing {
namespace {

TEST(CliUsage, UsageErrorsExitWithTwoAndHelpWithZero) {
  const std::vector<std::vector<std::string>> misuses{
      {},
      {"frobnicate"},
      {"check", "--model", "orvane"},
      {"check", "--model", "nonesuch", "--dir", "."},
      {"check", "--model", "orvane", "--dir"},
      {"check", "--model", "orvane", "--model", "ossik", "--dir", "."},
      {"check", "--model", "orvane-salone", "--sysinfo", "a", "--ext", "b"},
      {"gm", "list", "--model", "orvane", "--dir", ".", "--bank", "3"},
      {"pcg", "show", "--program", "128", "--bank", "A", "x.pcg"},
  };
  for (const auto& args : misuses) EXPECT_EQ(RunCli(args).exitCode, 2) << args.size();
  const auto help = RunCli({"gm", "list", "--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("--bank 1|2"), std::string::npos);
  const auto version = RunCli({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, std::string("zentavour-cli (Zentavour) ") + kVersion + "\n");
}

TEST(CliModels, ListsEveryModelAsJson) {
  const auto json = RunCli({"models", "--json"});
  EXPECT_NE(json.out.find("\"extImageSize\": 3604482"), std::string::npos);
  EXPECT_NE(json.out.find("\"option\": \"orvane-salone\""), std::string::npos);
}

TEST(CliCheckAndSave, CheckReportsAStaleChecksumSaveRenewsItLikeYesAndFindsLowerCaseFiles) {
  const SetOnDisk set(WorkstationModel::Orvane, "orvane");
  std::filesystem::rename(set.paths.sysinfo, set.dir.file("sysinfo.420"));
  Bytes ext = ReadFileBytes(set.paths.ext);
  ext[5000] ^= 0x33;  // payload no longer matches its stored sum
  WriteFileBytes(set.paths.ext, ext);
  const auto stale = set.run({"check", "--json"});
  EXPECT_EQ(stale.exitCode, 3);
  EXPECT_NE(stale.out.find("\"ok\": false"), std::string::npos);

  const auto saved = set.run({"save"});
  ASSERT_EQ(saved.exitCode, 0) << saved.err;
  // The payload is kept; the checksum the check agrees with is the one renewed.
  const Bytes after = ReadFileBytes(set.paths.ext);
  EXPECT_TRUE(std::equal(after.begin() + 2, after.end(), ext.begin() + 2));
  EXPECT_EQ(set.run({"check"}).exitCode, 0);
}

// A refusal prints the window's message, then the file and the system's reason.
TEST(CliCheckAndSave, ASetHeldOpenElsewhereIsRefusedWithTheFileAndTheReason) {
  const SetOnDisk set(WorkstationModel::OrvaneSalone, "orvane-salone");
  FileHandlePtr holder = OpenLockedFile(set.paths.ext2);  // as the windows hold an open set
  ASSERT_TRUE(holder);
  for (const char* command : {"check", "save"}) {
    const auto held = set.run({command});
    EXPECT_EQ(held.exitCode, 1) << command;
    EXPECT_NE(held.err.find("File Error: Error Opening EXT2 File\n" + set.paths.ext2 +
                            ": The file is held open"),
              std::string::npos)
        << command << ": " << held.err;
  }
}

// The first write keeps the set as it was in the data folder and prints where; a copy that
// cannot be kept stops the save before a byte of the set changes.
TEST(CliCheckAndSave, SavingKeepsTheOriginalFirstAndACopyThatCannotBeKeptStopsIt) {
  const SetOnDisk set(WorkstationModel::Ossik, "ossik");
  Bytes ext = ReadFileBytes(set.paths.ext);
  ext[7000] ^= 0x5A;
  WriteFileBytes(set.paths.ext, ext);
  const Bytes sysinfo = ReadFileBytes(set.paths.sysinfo);

  const TempDir blocked;
  WriteFileBytes(blocked.file("Zentavour"), Bytes(1, 0));  // a file where the folder would go
  std::vector<std::string> save{"save"};
  save.insert(save.end(), set.options.begin(), set.options.end());
  const auto refused = RunCli(save, blocked.path().string());
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("could not be kept"), std::string::npos) << refused.err;
  EXPECT_EQ(ReadFileBytes(set.paths.ext), ext);
  EXPECT_EQ(ReadFileBytes(set.paths.sysinfo), sysinfo);

  const auto saved = set.run({"save"});
  ASSERT_EQ(saved.exitCode, 0) << saved.err;
  const std::string note = "The original OS files were kept in ";
  ASSERT_EQ(saved.out.rfind(note, 0), 0u) << saved.out;
  const std::string folder = saved.out.substr(note.size(), saved.out.find('\n') - note.size());
  EXPECT_EQ(folder.rfind(CliDataHome(), 0), 0u) << folder;
  EXPECT_EQ(ReadFileBytes(folder + "/EXT02019.850"), ext);
  EXPECT_EQ(ReadFileBytes(folder + "/SYSINFO.850"), sysinfo);

  const auto unkept = set.run({"save", "--no-backup"});
  EXPECT_EQ(unkept.exitCode, 0) << unkept.err;
  EXPECT_EQ(unkept.out.find(note), std::string::npos) << unkept.out;
}

}  // namespace
}  // namespace zentavour::testing
