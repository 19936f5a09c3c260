#include "core/osfiles/os_file_set.h"

#include <gtest/gtest.h>

#include "core/osfiles/gm_bank_reader.h"
#include "core/osfiles/os_image_layout.h"
#include "support/faulty_files.h"
#include "support/temp_dir.h"

namespace zentavour {
namespace {

using testing::FaultPlan;
using testing::ReadFileBytes;
using testing::SampleSetPaths;
using testing::TempDir;
using testing::WriteFileBytes;
using M = WorkstationModel;

std::vector<std::string> Texts(const LoadOkOutcome& outcome) {
  std::vector<std::string> texts;
  for (const Failure& f : outcome.messages) texts.push_back(f.caption + ": " + f.text);
  return texts;
}

// Chooses every file of the sample set, as Browse would.
void ChooseAll(OsFileSet& set, const SampleSetPaths& paths) {
  ChooseOsFile(set, OsFileRole::Sysinfo, paths.sysinfo);
  ChooseOsFile(set, OsFileRole::Ext, paths.ext);
  if (!paths.ext2.empty()) ChooseOsFile(set, OsFileRole::Ext2, paths.ext2);
}

TEST(LoadOsFiles, OkWithNothingChosenNamesEachMissingFileAndOpensNothing) {
  OsFileSet set;
  EXPECT_EQ(BeginLoadOsFiles(set), M::Orvane);
  const LoadOkOutcome first = PressLoadOk(set, OpenLockedFile);
  EXPECT_FALSE(first.loaded);
  EXPECT_EQ(Texts(first), (std::vector<std::string>{
                              "Error: You must select a SYSINFO file to load",
                              "Error: You must select an EXT file to load"}));
  ASSERT_TRUE(SelectLoadModel(set, M::OrvaneSalone));
  EXPECT_EQ(Texts(PressLoadOk(set, OpenLockedFile)).back(),
            "Error: You must select an EXT2 file to load");
  EXPECT_FALSE(set.isOpen());
}

TEST(LoadOsFiles, AFileOpenedByAStoppedPressIsNotOpenedAgain) {
  TempDir dir;
  const SampleSetPaths paths = testing::WriteSampleSet(dir.path(), M::Orvane);
  const Bytes ext = ReadFileBytes(paths.ext);  // read first: Windows lets no one read a held file
  auto plan = std::make_shared<FaultPlan>();
  const FileOpener opener = testing::FaultyOpener(plan);
  OsFileSet set;
  BeginLoadOsFiles(set);
  ChooseOsFile(set, OsFileRole::Sysinfo, paths.sysinfo);
  EXPECT_EQ(Texts(PressLoadOk(set, opener)),
            std::vector<std::string>{"Error: You must select an EXT file to load"});
  EXPECT_EQ(plan->opens, 1);
  ChooseOsFile(set, OsFileRole::Ext, paths.ext);
  const LoadOkOutcome done = PressLoadOk(set, opener);
  EXPECT_TRUE(done.loaded);
  EXPECT_TRUE(done.messages.empty());
  EXPECT_EQ(plan->opens, 2);
  EXPECT_TRUE(set.isOpen());
  EXPECT_EQ(set.ExtImage, ext);
  EXPECT_EQ((*set.gmBank1)[0].name(), "Acoustic Piano  ");
}

TEST(LoadOsFiles, SwitchingModelsForgetsPathsButTheSameModelKeepsThem) {
  OsFileSet set;
  BeginLoadOsFiles(set);
  ChooseOsFile(set, OsFileRole::Sysinfo, "/x/SYSINFO.420");
  EXPECT_FALSE(SelectLoadModel(set, M::Orvane));
  EXPECT_TRUE(set.sysinfoChosen);
  EXPECT_TRUE(SelectLoadModel(set, M::Ossik));
  EXPECT_TRUE(set.sysinfoPath.empty());
  EXPECT_FALSE(set.sysinfoChosen);
  EXPECT_EQ(set.rememberedModel, M::Ossik);
  CancelLoadOsFiles(set);
  EXPECT_EQ(set.model, M::None);
  EXPECT_EQ(BeginLoadOsFiles(set), M::Ossik);
}

TEST(LoadOsFiles, ALockedFileIsRefusedAndFilesOfAStoppedPressAreHeldOnlyUntilTheDialogEnds) {
  TempDir dir;
  const SampleSetPaths paths = testing::WriteSampleSet(dir.path(), M::Ossik);
  FileHandlePtr other = OpenLockedFile(paths.ext);
  ASSERT_TRUE(other);
  OsFileSet set;
  BeginLoadOsFiles(set);
  SelectLoadModel(set, M::Ossik);
  ChooseAll(set, paths);
  EXPECT_EQ(Texts(PressLoadOk(set, OpenLockedFile)),
            std::vector<std::string>{"File Error: Error Opening EXT File"});
  EXPECT_TRUE(set.sysinfoFile);  // kept for the next press
  EXPECT_FALSE(OpenLockedFile(paths.sysinfo));
  CancelLoadOsFiles(set);  // leaving the dialog lets it go
  EXPECT_TRUE(OpenLockedFile(paths.sysinfo));
  other.reset();
  BeginLoadOsFiles(set);
  ChooseAll(set, paths);
  EXPECT_TRUE(PressLoadOk(set, OpenLockedFile).loaded);
  // And now this program holds them: another opener is refused.
  EXPECT_FALSE(OpenLockedFile(paths.sysinfo));
  CloseOsFileSet(set);
  EXPECT_TRUE(OpenLockedFile(paths.sysinfo));
}

TEST(LoadOsFiles, FilesOfTheWrongSizeAreRefusedByNameAndNothingIsOpened) {
  struct Case {
    M model;
    SaloneLayout layout;
    OsFileRole role;
    std::int64_t size;
    std::string mention;
  };
  const Case cases[] = {
      {M::Orvane, SaloneLayout::II, OsFileRole::Ext, 1048577, "must be exactly 1048578 bytes"},
      {M::OrvaneMi, SaloneLayout::II, OsFileRole::Ext, 3604483, "must be exactly 3604482 bytes"},
      {M::Ossik, SaloneLayout::II, OsFileRole::Sysinfo, 85, "must be at least 86 bytes"},
      {M::OrvaneSalone, SaloneLayout::II, OsFileRole::Ext2, 0, "EXT03085.030"},
      {M::OrvaneSalone, SaloneLayout::I, OsFileRole::Sysinfo, 205, "must be at least 206 bytes"},
      {M::OrvaneSalone, SaloneLayout::II, OsFileRole::Sysinfo, 16, "must be at least 110 bytes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mention);
    TempDir dir;
    const SampleSetPaths paths = testing::WriteSampleSet(dir.path(), c.model, c.layout);
    const std::string& victim = c.role == OsFileRole::Sysinfo ? paths.sysinfo
                                : c.role == OsFileRole::Ext   ? paths.ext
                                                              : paths.ext2;
    Bytes bytes = ReadFileBytes(victim);
    bytes.resize(static_cast<std::size_t>(c.size));
    WriteFileBytes(victim, bytes);

    OsFileSet set;
    BeginLoadOsFiles(set);
    SelectLoadModel(set, c.model);
    ChooseAll(set, paths);
    const LoadOkOutcome outcome = PressLoadOk(set, OpenLockedFile);
    EXPECT_FALSE(outcome.loaded);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].caption, "File Error");
    EXPECT_NE(outcome.messages[0].text.find(victim), std::string::npos);
    EXPECT_NE(outcome.messages[0].text.find(c.mention), std::string::npos)
        << outcome.messages[0].text;
    EXPECT_FALSE(set.isOpen());
    EXPECT_TRUE(set.ExtImage.empty());
    EXPECT_FALSE(set.sysinfoFile || set.extFile || set.ext2File);
    EXPECT_EQ(ReadFileBytes(victim), bytes);
  }
}

// Opens the sample set of a model through the dialog's steps.
void Open(OsFileSet& set, const SampleSetPaths& paths, M model, const FileOpener& opener) {
  const LoadOkOutcome outcome = LoadOsFiles(set, model, paths.sysinfo, paths.ext, paths.ext2, opener);
  ASSERT_TRUE(outcome.loaded) << (outcome.messages.empty() ? "" : outcome.messages[0].text);
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

// Bytes at which two buffers differ.
std::vector<std::size_t> Differences(const Bytes& a, const Bytes& b) {
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    if (a[i] != b[i]) at.push_back(i);
  }
  return at;
}

TEST(WriteBackOsFiles, ChangesOnlyTheEditedBytesAndTheChecksumsOfEveryModel) {
  for (const SetCase& c : kSetCases) {
    SCOPED_TRACE(ModelCode(c.model) * 10 + static_cast<int>(c.layout));
    TempDir dir;
    const SampleSetPaths paths = testing::WriteSampleSet(dir.path(), c.model, c.layout);
    const Bytes sysinfoBefore = ReadFileBytes(paths.sysinfo);
    const Bytes extBefore = ReadFileBytes(paths.ext);
    const Bytes ext2Before = paths.ext2.empty() ? Bytes() : ReadFileBytes(paths.ext2);

    OsFileSet set;
    Open(set, paths, c.model, OpenLockedFile);
    set.ExtImage[1000] ^= 0x5A;
    if (!set.Ext2Image.empty()) set.Ext2Image[2000] ^= 0x0F;
    ASSERT_TRUE(WriteBackOsFiles(set).ok());
    CloseOsFileSet(set);

    const Bytes sysinfo = ReadFileBytes(paths.sysinfo);
    const Bytes ext = ReadFileBytes(paths.ext);
    ASSERT_EQ(ext.size(), extBefore.size());
    ASSERT_EQ(sysinfo.size(), sysinfoBefore.size());
    const std::uint16_t sum = ExtChecksum(ext);
    EXPECT_EQ(ReadBe16(ext, 0), sum);
    EXPECT_EQ(ReadBe16(sysinfo, c.sysinfoCopies[0]), sum);
    for (std::size_t i : Differences(ext, extBefore)) EXPECT_TRUE(i <= 1 || i == 1000) << i;
    std::vector<std::size_t> allowed;
    for (std::uint32_t at : c.sysinfoCopies) allowed.insert(allowed.end(), {at, at + 1});
    for (std::size_t i : Differences(sysinfo, sysinfoBefore)) {
      EXPECT_NE(std::find(allowed.begin(), allowed.end(), i), allowed.end()) << i;
    }
    if (!paths.ext2.empty()) {
      const Bytes ext2 = ReadFileBytes(paths.ext2);
      EXPECT_EQ(ReadBe16(ext2, 0), ExtChecksum(ext2));
      EXPECT_EQ(ReadBe16(sysinfo, c.sysinfoCopies[1]), ExtChecksum(ext2));
      for (std::size_t i : Differences(ext2, ext2Before)) EXPECT_TRUE(i <= 1 || i == 2000) << i;
    }
  }
}

TEST(WriteBackOsFiles, SavingWithoutEditsRepairsStaleChecksumsAndClosingWithoutSavingChangesNothing) {
  TempDir dir;
  const SampleSetPaths paths = testing::WriteSampleSet(dir.path(), M::OrvaneSalone, SaloneLayout::I);
  Bytes sysinfo = ReadFileBytes(paths.sysinfo);
  WriteBe16(sysinfo, 180, 0xDEAD);
  WriteFileBytes(paths.sysinfo, sysinfo);
  const Bytes ext = ReadFileBytes(paths.ext);

  OsFileSet set;
  Open(set, paths, M::OrvaneSalone, OpenLockedFile);
  set.ExtImage[500] ^= 1;
  CloseOsFileSet(set);  // "No"
  EXPECT_EQ(ReadFileBytes(paths.sysinfo), sysinfo);
  EXPECT_EQ(ReadFileBytes(paths.ext), ext);
  EXPECT_FALSE(set.isOpen());
  EXPECT_EQ(set.sysinfoPath, paths.sysinfo);  // "Open" offers the same files again

  Open(set, paths, M::OrvaneSalone, OpenLockedFile);
  ASSERT_TRUE(WriteBackOsFiles(set).ok());
  CloseOsFileSet(set);
  EXPECT_EQ(ReadFileBytes(paths.ext), ext);
  EXPECT_EQ(ReadBe16(ReadFileBytes(paths.sysinfo), 180), ReadBe16(ext, 0));
}

TEST(SampleOsFiles, EverySampleOpensWithCorrectChecksumsAndNamedGmPrograms) {
  for (const SetCase& c : kSetCases) {
    const SampleOsFiles files = BuildSampleOsFiles(c.model, c.layout);
    EXPECT_EQ(files.ext.size(), ModelInfo(c.model).extImageSize);
    EXPECT_EQ(ReadBe16(files.ext, 0), ExtChecksum(files.ext));
    EXPECT_EQ(ReadBe16(files.sysinfo, c.sysinfoCopies[0]), ExtChecksum(files.ext));
    if (c.model == M::OrvaneSalone) {
      EXPECT_EQ(files.sysinfo[16] == 'I', c.layout == SaloneLayout::I);
      EXPECT_EQ(ReadBe16(files.sysinfo, c.sysinfoCopies[1]), ExtChecksum(files.ext2));
    }
    const GmBankOffsetEntry& gm = GmBankOffsetTable(c.model);
    auto bank = std::make_unique<ProgramBank>();
    ASSERT_TRUE(ReadProgramBank(files.ext, files.ext2, gm.bank1Offset, *bank, gm.format));
    EXPECT_EQ((*bank)[127].name(), "Gunshot         ");
    EXPECT_EQ((*bank)[40].common()[2], 5);  // strings family, category 5
    if (gm.bank2Offset) {
      ASSERT_TRUE(ReadProgramBank(files.ext, files.ext2, *gm.bank2Offset, *bank, gm.format));
      EXPECT_EQ((*bank)[0].name(), "Acoustic Piano 2");
      EXPECT_EQ((*bank)[127].name(), "Gunshot        2");
    }
  }
}

}  // namespace
}  // namespace zentavour
