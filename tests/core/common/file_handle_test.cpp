#include "core/common/file_handle.h"

#include <gtest/gtest.h>

#ifdef __linux__
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/osfiles/os_file_set.h"
#include "core/osfiles/os_image_layout.h"
#include "support/faulty_files.h"
#include "support/temp_dir.h"

#ifdef __linux__
// The folders this process flushed while a test listens; the calls go on to the system's fsync.
static std::vector<std::string>* flushedFolders = nullptr;

extern "C" int fsync(int fd) {
  static const auto system = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
  struct stat info {};
  if (flushedFolders && ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode))
    flushedFolders->push_back(std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd)));
  return system(fd);
}
#endif

namespace zentavour::testing {
namespace {

using M = WorkstationModel;

// Users name their folders in their own scripts; the program must reach files there on every
// system, which on Windows means the wide functions, never the ANSI code page.
TEST(FileHandle, ASetInAFolderWithAccentedGreekAndChineseLettersOpensLocksAndSaves) {
  TempDir dir;
  const std::filesystem::path folder = testing::MakeNonLatinFolder(dir.path());
  const auto entry = std::filesystem::directory_iterator(dir.path())->path().filename();
  EXPECT_EQ(Utf8FromPath(entry), "Müller Ελληνικά 音色");  // the name on disk, letter for letter
  const auto paths = testing::WriteSampleSet(folder, M::OrvaneSalone);

  OsFileSet set = testing::OpenSampleSet(paths, M::OrvaneSalone);
  set.Ext2Image[4000] ^= 0x42;
  ASSERT_TRUE(WriteBackOsFiles(set).ok());
  // Still held after the save, and refused with the path as the user wrote it.
  const Result<FileHandlePtr> second = TryOpenLockedFile(paths.ext2);
  ASSERT_FALSE(second.ok());
  EXPECT_EQ(second.failure().detail.rfind(paths.ext2 + ": ", 0), 0u) << second.failure().detail;
  const Bytes ext2 = set.Ext2Image;
  CloseOsFileSet(set);
  EXPECT_EQ(ReadFileBytes(paths.ext2), ext2);

  const std::string font = Utf8FromPath(folder / PathFromUtf8("Schrift ΑΒΓ 字体.glx"));
  ASSERT_TRUE(WriteWholeFile(font, Bytes(5518, 7)));
  const Result<Bytes> back = ReadWholeFile(font, 6000);
  ASSERT_TRUE(back.ok()) << back.failure().detail;
  EXPECT_EQ(*back, Bytes(5518, 7));
}

// Every refusal names the file and gives the system's reason, which the CLI prints.
TEST(FileHandle, RefusalsNameTheFileAndTheSystemsReason) {
  TempDir dir;
  const std::string file = dir.file("held.bin");
  const std::string loose = dir.file("loose.bin");  // Windows lets no one read a held file
  ASSERT_TRUE(WriteWholeFile(file, Bytes(100, 1)));
  ASSERT_TRUE(WriteWholeFile(loose, Bytes(100, 1)));
  const FileHandlePtr holder = OpenLockedFile(file);
  ASSERT_TRUE(holder);
#ifdef _WIN32
  const std::string device = "NUL";
#else
  const std::string device = "/dev/null";
#endif
  struct Case {
    std::string what;
    Failure failure;
    std::string path, reason;  // reason empty: any the system gives
  };
  Bytes past(10);
  const Case cases[] = {
      {"held", TryOpenLockedFile(file).failure(), file, "held open by another program"},
      {"device", TryOpenLockedFile(device).failure(), device, ""},
      {"read past the end", holder->ReadAt(95, past).failure(), file, "ends before"},
      {"too large", ReadWholeFile(loose, 99).failure(), loose, "larger than 99 bytes"},
      {"write over a device", WriteWholeFile(device, Bytes(1)).failure(), device, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.failure.caption, "File Error");
    ASSERT_EQ(c.failure.detail.rfind(c.path + ": ", 0), 0u) << c.failure.detail;
    const std::string reason = c.failure.detail.substr(c.path.size() + 2);
    EXPECT_FALSE(reason.empty());
    EXPECT_NE(c.failure.text.find("(" + reason + ")"), std::string::npos) << c.failure.text;
    if (!c.reason.empty()) {
      EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
    }
  }
}

// A command cannot keep the set open for another try, so its message says what is left on disk
// instead; the reason for the failing file comes with it.
TEST(FileHandle, AFailedSaveForACommandSaysWhatChanged) {
  struct Case {
    const char* file;
    SaveStep step;
    const char* ending;
  };
  for (const Case& c : {Case{"EXT", SaveStep::WriteTemporary, "No file was changed."},
                        Case{"EXT", SaveStep::Verify, "No other file was changed."},
                        Case{"SYSINFO", SaveStep::Replace, "No other file was changed."}}) {
    SCOPED_TRACE(c.file);
    TempDir dir;
    const auto paths = testing::WriteSampleSet(dir.path(), M::Ossik);
    auto plan = std::make_shared<testing::FaultPlan>();
    OsFileSet set = testing::OpenSampleSet(paths, M::Ossik, testing::FaultyOpener(plan));
    plan->onlyPathContaining = c.file;
    plan->failAt = c.step;
    const Status status = WriteBackOsFiles(set, WriteBackReader::Command);
    ASSERT_FALSE(status.ok());
    const std::string& text = status.failure().text;
    EXPECT_EQ(text.substr(text.rfind("\n\n") + 2), c.ending) << text;
    EXPECT_EQ(text.find("stay open"), std::string::npos);
    const std::string& path = std::string(c.file) == "EXT" ? paths.ext : paths.sysinfo;
    EXPECT_EQ(status.failure().detail.rfind(path + ": ", 0), 0u) << status.failure().detail;
  }
}

#ifdef __linux__
// A rename lasts through a power cut only once the folder holding the new name is flushed: for a
// file written whole and for a held file replaced by a save.
TEST(FileHandle, AfterARenameTheFilesOwnFolderIsFlushed) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "fonts" / "new");
  const std::string font = dir.file("fonts/new/a.glx"), ext = dir.file("fonts/EXT51370.420");
  std::vector<std::string> flushed;
  flushedFolders = &flushed;
  bool written = WriteWholeFile(font, Bytes(10, 1)).ok() && WriteWholeFile(ext, Bytes(9, 2)).ok();
  FileHandlePtr held = OpenLockedFile(ext);
  written = written && held && held->ReplaceWhole(Bytes(8, 3)).ok();
  flushedFolders = nullptr;
  ASSERT_TRUE(written);
  const std::string fonts = std::filesystem::canonical(dir.path() / "fonts");
  EXPECT_EQ(flushed, (std::vector<std::string>{fonts + "/new", fonts, fonts}));
}
#endif

}  // namespace
}  // namespace zentavour::testing
