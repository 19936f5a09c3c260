#include <gtest/gtest.h>

#include <filesystem>

#include "core/osfiles/os_file_set.h"
#include "core/osfiles/os_image_layout.h"
#include "support/faulty_files.h"
#include "support/temp_dir.h"

namespace zentavour::testing {
namespace {

using M = WorkstationModel;

constexpr SaveStep kSteps[] = {SaveStep::CreateTemporary, SaveStep::WriteTemporary,
                               SaveStep::KeepPermissions, SaveStep::FlushTemporary,
                               SaveStep::Replace,         SaveStep::Verify};

// An image as a save writes it, its checksum renewed.
Bytes Saved(Bytes image) {
  WriteBe16(image, 0, ExtChecksum(image));
  return image;
}

// The bytes of a file this program holds: on Windows no other opener may read it.
Bytes HeldBytes(FileHandle& file) {
  Bytes bytes(static_cast<std::size_t>(std::max<std::int64_t>(file.Size(), 0)));
  EXPECT_TRUE(file.ReadAt(0, bytes));
  return bytes;
}

std::size_t FilesIn(const std::filesystem::path& dir) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

TEST(SafeSave, ASaveInterruptedAtAnyStepLeavesEachFileOldOrNewAndWhole) {
  for (const SaveStep step : kSteps) {
    for (const char* file : {"EXT02085", "EXT03085", "SYSINFO"}) {
      SCOPED_TRACE(std::string(file) + " step " + std::to_string(static_cast<int>(step)));
      TempDir dir;
      const auto paths = testing::WriteSampleSet(dir.path(), M::OrvaneSalone, SaloneLayout::I);
      const Bytes oldExt = ReadFileBytes(paths.ext), oldExt2 = ReadFileBytes(paths.ext2),
                  oldSysinfo = ReadFileBytes(paths.sysinfo);
      auto plan = std::make_shared<FaultPlan>();
      OsFileSet set = testing::OpenSampleSet(paths, M::OrvaneSalone, testing::FaultyOpener(plan));
      set.ExtImage[70000] ^= 0xFF;
      set.Ext2Image[70000] ^= 0xFF;
      const Bytes newExt = Saved(set.ExtImage), newExt2 = Saved(set.Ext2Image);
      plan->onlyPathContaining = file;
      plan->failAt = step;
      plan->interrupt = true;
      plan->bytesBeforeFailure = 1000;
      EXPECT_FALSE(WriteBackOsFiles(set).ok());
      set = OsFileSet();  // the process is gone: its handles close

      const Bytes ext = ReadFileBytes(paths.ext), ext2 = ReadFileBytes(paths.ext2);
      EXPECT_TRUE(ext == oldExt || ext == newExt);
      EXPECT_TRUE(ext2 == oldExt2 || ext2 == newExt2);
      const Bytes sysinfo = ReadFileBytes(paths.sysinfo);
      EXPECT_EQ(sysinfo.size(), oldSysinfo.size());
      // The SYSINFO copies never claim a sum that its EXT file does not have.
      if (ReadBe16(sysinfo, 180) != ReadBe16(oldSysinfo, 180)) {
        EXPECT_EQ(ext, newExt);
      }
      if (ReadBe16(sysinfo, 204) != ReadBe16(oldSysinfo, 204)) {
        EXPECT_EQ(ext2, newExt2);
      }
    }
  }
}

TEST(SafeSave, AFailedStepIsReportedLeavesTheFileAndNoLitterAndALaterSaveSucceeds) {
  for (const SaveStep step : kSteps) {
    SCOPED_TRACE(static_cast<int>(step));
    TempDir dir;
    const auto paths = testing::WriteSampleSet(dir.path(), M::Orvane);
    const Bytes oldExt = ReadFileBytes(paths.ext);
    const std::size_t files = FilesIn(dir.path());
    auto plan = std::make_shared<FaultPlan>();
    OsFileSet set = testing::OpenSampleSet(paths, M::Orvane, testing::FaultyOpener(plan));
    set.ExtImage[9000] ^= 0x81;
    const Bytes edited = set.ExtImage;

    plan->onlyPathContaining = "EXT";
    plan->failAt = step;
    plan->bytesBeforeFailure = 5000;
    const Status status = WriteBackOsFiles(set);
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.failure().caption, "File Error");
    EXPECT_EQ(status.failure().text.rfind("Error Writing EXT File", 0), 0u)
        << status.failure().text;
    if (step == SaveStep::CreateTemporary) {
      EXPECT_NE(status.failure().text.find("folder does not allow"), std::string::npos);
    }
    if (step == SaveStep::Verify) {
      EXPECT_NE(status.failure().text.find("read back"), std::string::npos);
    } else {
      EXPECT_EQ(HeldBytes(*set.extFile), oldExt);  // untouched before the replacing step
    }
    EXPECT_FALSE(OpenLockedFile(paths.ext)) << "the set let go of its file";
    EXPECT_EQ(FilesIn(dir.path()), files);
    EXPECT_TRUE(set.isOpen());
    EXPECT_EQ(set.ExtImage[9000], edited[9000]);

    plan->failAt.reset();
    ASSERT_TRUE(WriteBackOsFiles(set).ok());
    const Bytes saved = HeldBytes(*set.extFile);
    EXPECT_EQ(saved[9000], edited[9000]);
    EXPECT_EQ(ReadBe16(saved, 0), ExtChecksum(saved));
  }
}

// Same size, one byte different: only comparing the bytes read back can tell.
TEST(SafeSave, AByteTheDiskKeptWrongIsCaughtByReadingBack) {
  TempDir dir;
  const std::string path = dir.file("EXT");
  testing::WriteFileBytes(path, Bytes(64, 1));
  Result<FileHandlePtr> opened = OpenLockedFileWithFaults(path, [] {
    SaveFaults faults;
    faults.storesFirstByteWrong = true;
    return std::optional(faults);
  });
  ASSERT_TRUE(opened.ok());
  FileHandlePtr file = std::move(*opened);
  const Status replaced = file->ReplaceWhole(Bytes(64, 2));
  ASSERT_FALSE(replaced.ok());
  EXPECT_NE(replaced.failure().detail.find("read back differ"), std::string::npos)
      << replaced.failure().detail;
  file.reset();  // Windows lets no one read a held file
  EXPECT_EQ(ReadFileBytes(path).size(), 64u);
}

TEST(SafeSave, TheReplacedFileKeepsItsPermissionsAndStaysLocked) {
  TempDir dir;
  const auto paths = testing::WriteSampleSet(dir.path(), M::Ossik);
  testing::SetUnusualPermissions(paths.ext);
  OsFileSet set = testing::OpenSampleSet(paths, M::Ossik);
  set.ExtImage[123] ^= 1;
  ASSERT_TRUE(WriteBackOsFiles(set).ok());
  EXPECT_TRUE(testing::HasUnusualPermissions(paths.ext));
  EXPECT_FALSE(OpenLockedFile(paths.ext)) << "another opener got the new file";
  EXPECT_FALSE(OpenLockedFile(paths.sysinfo));
  // A second save works on the new files, and closing lets them go.
  set.ExtImage[124] ^= 1;
  ASSERT_TRUE(WriteBackOsFiles(set).ok());
  const Bytes expected = set.ExtImage;
  CloseOsFileSet(set);
  EXPECT_TRUE(OpenLockedFile(paths.ext));
  EXPECT_EQ(ReadFileBytes(paths.ext), expected);
}

TEST(SafeSave, AFileRemovedOrMadeReadOnlyWhileOpenIsStillSavedWhole) {
  TempDir dir;
  const auto paths = testing::WriteSampleSet(dir.path(), M::Orvane);
  [[maybe_unused]] const Bytes sysinfoBefore = ReadFileBytes(paths.sysinfo);
  OsFileSet set = testing::OpenSampleSet(paths, M::Orvane);
  std::error_code removed;
  std::filesystem::remove(PathFromUtf8(paths.ext), removed);
  const auto readOnly = std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                        std::filesystem::perms::others_read;
  std::filesystem::permissions(PathFromUtf8(paths.sysinfo), readOnly);
  set.ExtImage[777] ^= 0x10;
  const Status saved = WriteBackOsFiles(set);
#ifdef _WIN32
  // Windows lets no one remove a file this program holds, and will not replace a read-only file:
  // the save stops at SYSINFO before letting go of it, says why, and leaves it whole and held.
  EXPECT_TRUE(removed);
  ASSERT_FALSE(saved.ok());
  EXPECT_EQ(saved.failure().text.rfind("Error Writing SYSINFO File", 0), 0u)
      << saved.failure().text;
  EXPECT_EQ(saved.failure().detail.rfind(paths.sysinfo + ": ", 0), 0u) << saved.failure().detail;
  EXPECT_EQ(HeldBytes(*set.sysinfoFile), sysinfoBefore);
  EXPECT_FALSE(OpenLockedFile(paths.sysinfo));
  CloseOsFileSet(set);
  std::filesystem::permissions(PathFromUtf8(paths.sysinfo), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
#else
  ASSERT_TRUE(saved.ok()) << saved.failure().text;
  const Bytes ext = HeldBytes(*set.extFile);
  ASSERT_EQ(ext.size(), 1048578u);
  EXPECT_EQ(ReadBe16(HeldBytes(*set.sysinfoFile), 94), ExtChecksum(ext));
#endif
}

}  // namespace
}  // namespace zentavour::testing
