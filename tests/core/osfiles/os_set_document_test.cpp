#include "core/osfiles/os_set_document.h"

#include <gtest/gtest.h>

#include "core/pcg/gm_transfer.h"
#include "core/samples/sample_pcg_files.h"
#include "support/faulty_files.h"
#include "support/temp_dir.h"

namespace zentavour::testing {
namespace {

using M = WorkstationModel;

// An edit that flips the low bits of the EXT bytes at the offsets given.
std::function<Status(OsFileSet&)> Flip(std::vector<std::size_t> offsets) {
  return [offsets](OsFileSet& set) {
    for (std::size_t at : offsets) set.ExtImage.at(at) ^= 0x0F;
    return Status();
  };
}

// Where the document stands: modified, the Undo and Redo names.
std::string State(const OsSetDocument& doc) {
  return std::string(doc.modified() ? "modified" : "saved") + " | " + doc.undoName() + " | " +
         doc.redoName();
}

// Edits, undo and redo around a save and a failed save; the saved point decides the mark.
TEST(OsSetDocument, HistoryWalksEditsAroundTheSavedPoint) {
  testing::TempDir dir;
  const testing::SampleSetPaths paths = testing::WriteSampleSet(dir.path(), M::Orvane);
  const Bytes opened = ReadFileBytes(paths.ext);
  auto plan = std::make_shared<testing::FaultPlan>();
  OsSetDocument doc(testing::OpenSampleSet(paths, M::Orvane, testing::FaultyOpener(plan)));
  EXPECT_EQ(State(doc), "saved |  | ");
  EXPECT_FALSE(doc.undo());

  ASSERT_TRUE(doc.apply("Edit Medium Font", Flip({1000, 1010, 900000})).ok());
  ASSERT_TRUE(doc.apply("Edit Startup Graphic ORVANE", Flip({5000})).ok());
  // A refused edit and one that changes nothing leave no step.
  EXPECT_FALSE(doc.apply("Refused",
                         [](OsFileSet& set) {
                           set.ExtImage[7] ^= 1;
                           return Status(Failure{"Error", "no"});
                         })
                   .ok());
  ASSERT_TRUE(doc.apply("Nothing", [](OsFileSet&) { return Status(); }).ok());
  EXPECT_EQ(doc.set().ExtImage[7], opened[7]);
  EXPECT_EQ(State(doc), "modified | Edit Startup Graphic ORVANE | ");
  // Only the changed bytes are kept: the near two as one run, the far one apart.
  ASSERT_EQ(doc.history().size(), 2u);
  const auto& runs = doc.history()[0].changes;
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(std::pair(runs[0].offset, runs[0].after.size()),
            std::pair(std::size_t{1000}, std::size_t{11}));
  EXPECT_EQ(std::pair(runs[1].offset, runs[1].before.size()),
            std::pair(std::size_t{900000}, std::size_t{1}));

  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(doc.set().ExtImage[5000], opened[5000]);
  EXPECT_EQ(State(doc), "modified | Edit Medium Font | Edit Startup Graphic ORVANE");

  // A failed save changes nothing in memory: not the history, not the bytes, not the mark.
  plan->onlyPathContaining = "SYSINFO";
  plan->failWrites = true;
  const Bytes before = doc.set().ExtImage;
  EXPECT_FALSE(doc.save().ok());
  EXPECT_EQ(doc.set().ExtImage, before);
  EXPECT_EQ(State(doc), "modified | Edit Medium Font | Edit Startup Graphic ORVANE");

  // A stop before writing leaves every file as it was, and sees the bytes as opened.
  plan->failWrites = false;
  const Bytes onDisk = ReadFileBytes(paths.ext);
  const Status stopped =
      doc.save({WriteBackReader::Window, [&](const OsSetDocument& d) {
                  EXPECT_EQ(Bytes(d.openedExt().begin(), d.openedExt().end()), opened);
                  return Status(Failure{"File Error", "stopped"});
                }});
  EXPECT_EQ(stopped.failure().text, "stopped");
  EXPECT_EQ(ReadFileBytes(paths.ext), onDisk);

  ASSERT_TRUE(doc.save().ok());
  EXPECT_EQ(State(doc), "saved | Edit Medium Font | Edit Startup Graphic ORVANE");
  EXPECT_EQ(ReadFileBytes(paths.ext)[1000], opened[1000] ^ 0x0F);
  ASSERT_TRUE(doc.redo());
  EXPECT_EQ(doc.set().ExtImage[5000], opened[5000] ^ 0x0F);
  EXPECT_EQ(State(doc), "modified | Edit Startup Graphic ORVANE | ");
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(State(doc), "saved | Edit Medium Font | Edit Startup Graphic ORVANE");
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(doc.set().ExtImage[1000], opened[1000]);
  EXPECT_EQ(State(doc), "modified |  | Edit Medium Font");

  // A new edit drops the steps undone; the bytes, not the step, decide the mark, so an edit
  // that puts back what the files hold clears it.
  ASSERT_TRUE(doc.apply("Edit Bold Font", Flip({2000})).ok());
  EXPECT_EQ(State(doc), "modified | Edit Bold Font | ");
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(State(doc), "modified |  | Edit Bold Font");
  ASSERT_TRUE(doc.apply("Edit Small Font", Flip({1000, 1010, 900000})).ok());
  EXPECT_EQ(State(doc), "saved | Edit Small Font | ");
}

// The GM banks in memory are decoded from the images after every step.
TEST(OsSetDocument, GmBanksFollowUndoAndRedo) {
  testing::TempDir dir;
  const testing::SampleSetPaths paths = testing::WriteSampleSet(dir.path(), M::Orvane);
  OsSetDocument doc(testing::OpenSampleSet(paths, M::Orvane));
  const std::string before = (*doc.set().gmBank2)[0].name();
  Result<PcgIndex> index = IndexPcgBytes(BuildSamplePcgFile(1).bytes);
  ASSERT_TRUE(index.ok());
  ASSERT_TRUE(doc.apply(GmTransferEditName("A", 2),
                        [&](OsFileSet& set) { return TransferProgramBankToGm(set, *index, 0, 2); })
                  .ok());
  const std::string after = (*doc.set().gmBank2)[0].name();
  EXPECT_EQ(after, SampleProgramBank(0)[0].name());
  EXPECT_NE(after, before);
  EXPECT_EQ(doc.undoName(), "Transfer Bank A to GM Bank 2");
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ((*doc.set().gmBank2)[0].name(), before);
  ASSERT_TRUE(doc.redo());
  EXPECT_EQ((*doc.set().gmBank2)[0].name(), after);
}

}  // namespace
}  // namespace zentavour::testing
