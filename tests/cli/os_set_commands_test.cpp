#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"
#include "core/common/file_handle.h"
#include "core/osfiles/os_image_layout.h"
#include "support/temp_dir.h"
#include "zentavour_version.h"

namespace zentavour {
namespace {

using testing::ReadFileBytes;
using testing::RunCli;
using testing::SetOnDisk;
using testing::TempDir;
using testing::WriteFileBytes;

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

TEST(CliCheck, AgreesOnASampleAndReportsAStaleChecksum) {
  TempDir dir;
  const auto paths =
      testing::WriteSampleSet(dir.path(), WorkstationModel::OrvaneSalone, SaloneLayout::I);
  std::vector<std::string> args{"check", "--model", "orvane-salone", "--dir", dir.path().string()};
  EXPECT_EQ(RunCli(args).exitCode, 0);

  Bytes ext2 = ReadFileBytes(paths.ext2);
  ext2[999] ^= 1;  // payload no longer matches its stored sum
  WriteFileBytes(paths.ext2, ext2);
  args.push_back("--json");
  const auto stale = RunCli(args);
  EXPECT_EQ(stale.exitCode, 3);
  EXPECT_NE(stale.out.find("\"ok\": false"), std::string::npos);
}

TEST(CliSave, RenewsChecksumsLikeYesAndFindsLowerCaseFiles) {
  TempDir dir;
  const auto paths = testing::WriteSampleSet(dir.path(), WorkstationModel::Orvane);
  const std::string lower = dir.file("sysinfo.420");
  std::filesystem::rename(paths.sysinfo, lower);
  Bytes ext = ReadFileBytes(paths.ext);
  ext[5000] ^= 0x33;
  WriteFileBytes(paths.ext, ext);

  const auto saved = RunCli({"save", "--dir", dir.path().string(), "--model", "orvane"});
  ASSERT_EQ(saved.exitCode, 0) << saved.err;
  const Bytes after = ReadFileBytes(paths.ext);
  EXPECT_EQ(ReadBe16(after, 0), ExtChecksum(after));
  EXPECT_TRUE(std::equal(after.begin() + 2, after.end(), ext.begin() + 2));
  EXPECT_EQ(RunCli({"check", "--model", "orvane", "--dir", dir.path().string()}).exitCode, 0);
}

// A refusal prints the window's message, then the file and the system's reason; nothing changes.
TEST(CliSave, RefusalsPrintTheWindowsMessageAndTheReasonAndChangeNothing) {
  TempDir dir;
  const auto paths = testing::WriteSampleSet(dir.path(), WorkstationModel::Ossik);
  Bytes ext = ReadFileBytes(paths.ext);
  ext.resize(ext.size() + 10);
  WriteFileBytes(paths.ext, ext);
  const Bytes sysinfo = ReadFileBytes(paths.sysinfo);
  const auto refused =
      RunCli({"save", "--model", "ossik", "--sysinfo", paths.sysinfo, "--ext", paths.ext});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.err.rfind("File Error: ", 0), 0u) << refused.err;
  EXPECT_NE(refused.err.find("1216514"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(paths.ext), ext);
  EXPECT_EQ(ReadFileBytes(paths.sysinfo), sysinfo);

  const auto salone = testing::WriteSampleSet(dir.path(), WorkstationModel::OrvaneSalone);
  FileHandlePtr holder = OpenLockedFile(salone.ext2);  // as the windows hold an open set
  ASSERT_TRUE(holder);
  for (const char* command : {"check", "save"}) {
    const auto held = RunCli({command, "--model", "orvane-salone", "--dir", dir.path().string()});
    EXPECT_EQ(held.exitCode, 1) << command;
    EXPECT_NE(held.err.find("File Error: Error Opening EXT2 File\n" + salone.ext2 +
                            ": The file is held open"),
              std::string::npos)
        << command << ": " << held.err;
  }
}

TEST(CliGmList, ListsBothBanksAndRefusesTheMissingOne) {
  const SetOnDisk salone(WorkstationModel::OrvaneSalone, "orvane-salone");
  const auto bank2 = salone.run({"gm", "list"}, {"--bank", "2", "--json"});
  ASSERT_EQ(bank2.exitCode, 0) << bank2.err;
  EXPECT_NE(bank2.out.find("\"name\": \"Gunshot        2\""), std::string::npos);
  EXPECT_NE(bank2.out.find("\"number\": 127"), std::string::npos);
  const SetOnDisk mi(WorkstationModel::OrvaneMi, "orvane-mi");
  EXPECT_NE(mi.run({"gm", "list"}).out.find("  0  Acoustic Piano"), std::string::npos);
  EXPECT_EQ(mi.run({"gm", "list"}, {"--bank", "2"}).exitCode, 1);
}

}  // namespace
}  // namespace zentavour
