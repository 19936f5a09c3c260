#include "core/osfiles/os_file_set.h"

#include <gtest/gtest.h>

#include "core/osfiles/os_image_layout.h"
#include "support/faulty_files.h"
#include "support/temp_dir.h"

namespace zentavour::testing {
namespace {

using M = WorkstationModel;

std::vector<std::string> Texts(const LoadOkOutcome& outcome) {
  std::vector<std::string> texts;
  for (const Failure& f : outcome.messages) texts.push_back(f.caption + ": " + f.text);
  return texts;
}

// Chooses every file of the sample set, as Browse would.
void ChooseAll(OsFileChoice& choice, const SampleSetPaths& paths) {
  ChooseOsFile(choice, OsFileRole::Sysinfo, paths.sysinfo);
  ChooseOsFile(choice, OsFileRole::Ext, paths.ext);
  if (!paths.ext2.empty()) ChooseOsFile(choice, OsFileRole::Ext2, paths.ext2);
}

// Switching models forgets the chosen paths, choosing the same model keeps them.
TEST(LoadOsFiles, OkNamesEachMissingFileAndSwitchingModelsForgetsPaths) {
  OsFileChoice choice;
  EXPECT_EQ(BeginLoadOsFiles(choice), M::Orvane);
  const LoadOkOutcome first = PressLoadOk(choice, TryOpenLockedFile);
  EXPECT_FALSE(first.set);
  EXPECT_EQ(Texts(first), (std::vector<std::string>{"Error: You must select a SYSINFO file to load",
                                                    "Error: You must select an EXT file to load"}));
  ChooseOsFile(choice, OsFileRole::Sysinfo, "/x/SYSINFO.420");
  EXPECT_FALSE(SelectLoadModel(choice, M::Orvane));
  EXPECT_TRUE(choice.sysinfoChosen);
  ASSERT_TRUE(SelectLoadModel(choice, M::OrvaneSalone));
  EXPECT_TRUE(choice.sysinfoPath.empty());
  EXPECT_FALSE(choice.sysinfoChosen);
  const LoadOkOutcome second = PressLoadOk(choice, TryOpenLockedFile);
  EXPECT_EQ(Texts(second).back(), "Error: You must select an EXT2 file to load");
  EXPECT_FALSE(second.set);
  EXPECT_EQ(choice.rememberedModel, M::OrvaneSalone);
  CancelLoadOsFiles(choice);
  EXPECT_EQ(choice.model, M::None);
  EXPECT_EQ(BeginLoadOsFiles(choice), M::OrvaneSalone);
}

// A press that stops keeps the files it opened for the next press, which does not open them
// again, and holds them only until the dialog ends; a file another program holds is refused.
TEST(LoadOsFiles, FilesOfAStoppedPressAreKeptForTheNextAndHeldUntilTheDialogEnds) {
  TempDir dir;
  const SampleSetPaths paths = testing::WriteSampleSet(dir.path(), M::Ossik);
  const Bytes ext = ReadFileBytes(paths.ext);  // read first: Windows lets no one read a held file
  FileHandlePtr other = OpenLockedFile(paths.ext);
  ASSERT_TRUE(other);
  auto plan = std::make_shared<FaultPlan>();
  const FileOpener opener = testing::FaultyOpener(plan);
  OsFileChoice choice;
  BeginLoadOsFiles(choice);
  SelectLoadModel(choice, M::Ossik);
  ChooseOsFile(choice, OsFileRole::Sysinfo, paths.sysinfo);
  EXPECT_EQ(Texts(PressLoadOk(choice, opener)),
            std::vector<std::string>{"Error: You must select an EXT file to load"});
  ChooseOsFile(choice, OsFileRole::Ext, paths.ext);
  EXPECT_EQ(Texts(PressLoadOk(choice, opener)),
            std::vector<std::string>{"File Error: Error Opening EXT File"});
  EXPECT_EQ(plan->opens, 2);  // SYSINFO once, then the EXT file
  EXPECT_FALSE(OpenLockedFile(paths.sysinfo));
  CancelLoadOsFiles(choice);  // leaving the dialog lets it go
  EXPECT_TRUE(OpenLockedFile(paths.sysinfo));

  other.reset();
  BeginLoadOsFiles(choice);
  ChooseAll(choice, paths);
  LoadOkOutcome loaded = PressLoadOk(choice, opener);
  ASSERT_TRUE(loaded.set);
  EXPECT_TRUE(loaded.messages.empty());
  EXPECT_EQ(loaded.set->ExtImage, ext);
  // The choice keeps its paths for the next opening; the set, not the choice, holds the files.
  EXPECT_EQ(choice.sysinfoPath, paths.sysinfo);
  EXPECT_FALSE(OpenLockedFile(paths.sysinfo));
  CloseOsFileSet(*loaded.set);
  EXPECT_TRUE(OpenLockedFile(paths.sysinfo));
}

TEST(LoadOsFiles, FilesOfTheWrongSizeAreRefusedByNameAndNothingIsOpened) {
  struct Case {
    M model;
    SaloneLayout layout;
    std::string SampleSetPaths::*file;
    std::int64_t size;
    std::string mention;
  };
  const Case cases[] = {
      {M::Orvane, SaloneLayout::II, &SampleSetPaths::ext, 1048577, "must be exactly 1048578 bytes"},
      {M::OrvaneSalone, SaloneLayout::II, &SampleSetPaths::ext2, 0, "EXT03085.030"},
      {M::OrvaneSalone, SaloneLayout::I, &SampleSetPaths::sysinfo, 205, "at least 206 bytes"},
      {M::OrvaneSalone, SaloneLayout::II, &SampleSetPaths::sysinfo, 16, "at least 110 bytes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mention);
    TempDir dir;
    const SampleSetPaths paths = testing::WriteSampleSet(dir.path(), c.model, c.layout);
    const std::string& victim = paths.*c.file;
    Bytes bytes = ReadFileBytes(victim);
    bytes.resize(static_cast<std::size_t>(c.size));
    WriteFileBytes(victim, bytes);

    OsFileChoice choice;
    BeginLoadOsFiles(choice);
    SelectLoadModel(choice, c.model);
    ChooseAll(choice, paths);
    const LoadOkOutcome outcome = PressLoadOk(choice, TryOpenLockedFile);
    EXPECT_FALSE(outcome.set);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].caption, "File Error");
    EXPECT_NE(outcome.messages[0].text.find(victim), std::string::npos);
    EXPECT_NE(outcome.messages[0].text.find(c.mention), std::string::npos)
        << outcome.messages[0].text;
    EXPECT_FALSE(choice.sysinfoFile || choice.extFile || choice.ext2File);
    EXPECT_EQ(ReadFileBytes(victim), bytes);
  }
}

struct SetCase {
  M model;
  SaloneLayout layout;
  std::vector<std::uint32_t> sysinfoCopies;
};

const SetCase kSetCases[] = {
    {M::Orvane, SaloneLayout::II, {94}},
    {M::OrvaneMi, SaloneLayout::II, {36}},
    {M::Ossik, SaloneLayout::II, {84}},
    {M::OrvaneSalone, SaloneLayout::I, {180, 204}},
    {M::OrvaneSalone, SaloneLayout::II, {84, 108}},
};

// Only the edited bytes and the checksums (in each EXT file and its SYSINFO copies) change; a
// stale copy is renewed.
TEST(WriteBackOsFiles, ChangesOnlyTheEditedBytesAndTheChecksumsOfEveryModel) {
  for (const SetCase& c : kSetCases) {
    SCOPED_TRACE(ModelCode(c.model) * 10 + static_cast<int>(c.layout));
    TempDir dir;
    const SampleSetPaths paths = testing::WriteSampleSet(dir.path(), c.model, c.layout);
    Bytes sysinfo = ReadFileBytes(paths.sysinfo), ext = ReadFileBytes(paths.ext);
    WriteBe16(sysinfo, c.sysinfoCopies[0], 0xDEAD);
    WriteFileBytes(paths.sysinfo, sysinfo);
    Bytes ext2 = paths.ext2.empty() ? Bytes() : ReadFileBytes(paths.ext2);
    OsFileSet set = testing::OpenSampleSet(paths, c.model);
    set.ExtImage[1000] ^= 0x5A;
    if (!set.Ext2Image.empty()) set.Ext2Image[2000] ^= 0x0F;
    ASSERT_TRUE(WriteBackOsFiles(set).ok());
    CloseOsFileSet(set);

    ext[1000] ^= 0x5A;
    WriteBe16(ext, 0, ExtChecksum(ext));
    WriteBe16(sysinfo, c.sysinfoCopies[0], ExtChecksum(ext));
    if (!paths.ext2.empty()) {
      ext2[2000] ^= 0x0F;
      WriteBe16(ext2, 0, ExtChecksum(ext2));
      WriteBe16(sysinfo, c.sysinfoCopies[1], ExtChecksum(ext2));
      EXPECT_EQ(ReadFileBytes(paths.ext2), ext2);
    }
    EXPECT_EQ(ReadFileBytes(paths.ext), ext);
    EXPECT_EQ(ReadFileBytes(paths.sysinfo), sysinfo);
  }
}

}  // namespace
}  // namespace zentavour::testing
