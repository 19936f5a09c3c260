#include "core/pcg/pcg_index.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/samples/sample_pcg_files.h"
#include "support/temp_dir.h"

namespace zentavour {
namespace {

// A PRG1 container holding program banks with the given numbers, in that order.
Bytes ProgramContainer(RecordFormat format, std::initializer_list<int> banks) {
  Bytes inner;
  for (int bank : banks) {
    const Bytes chunk =
        PcgBankChunk("PBK1", static_cast<std::uint32_t>(bank),
                     static_cast<std::uint32_t>(RecordFormatTable(format).programRecordSize),
                     SampleProgramRecords(format, bank));
    inner.insert(inner.end(), chunk.begin(), chunk.end());
  }
  return PcgChunk("PRG1", inner);
}

Bytes TinyBank(std::string_view id, std::uint32_t number) {
  return PcgBankChunk(id, number, 4, Bytes(16, 0));
}

TEST(PcgIndexTest, SampleFilesIndexEveryBankInChunkOrder) {
  for (int code : SamplePcgModelCodes()) {
    SCOPED_TRACE(code);
    const SamplePcgFile sample = BuildSamplePcgFile(code);
    Result<PcgIndex> index = IndexPcgBytes(sample.bytes);
    ASSERT_TRUE(index.ok()) << index.failure().text;
    EXPECT_EQ(index->modelCode, code);
    EXPECT_TRUE(index->hasPrograms);
    EXPECT_TRUE(index->hasCombinations);
    EXPECT_FALSE(index->truncated);
    EXPECT_EQ(index->ignoredBankChunks, 0);
    EXPECT_EQ(index->hasDkt1, code == 3);
    EXPECT_EQ(index->hasArp1, code == 3);
    EXPECT_EQ(index->dbk1Banks.count, code == 3 ? 1 : 0);

    ASSERT_EQ(index->programBanks.count, sample.programBanks.size());
    for (std::size_t i = 0; i < sample.programBanks.size(); ++i) {
      const int number = sample.programBanks[i];
      EXPECT_EQ(index->programBanks.numbers[i], number);
      EXPECT_TRUE(index->programBankLoaded[static_cast<std::size_t>(number)]);
      // The position points at the first record: its name is program 0's name of that bank.
      const ProgramBank expected = SampleProgramBank(number);
      const std::size_t at = index->programBanks.positions[i];
      EXPECT_EQ(std::string(sample.bytes.begin() + at, sample.bytes.begin() + at + 16).c_str(),
                expected[0].name());
      // Banks land by their number, whatever the chunk order.
      EXPECT_EQ((*index->programs)[number][77].name(), expected[77].name());
      EXPECT_EQ((*index->programs)[number][77].number(), 77);
    }
    ASSERT_EQ(index->combinationBanks.count, sample.combinationBanks.size());
    for (int bank = 0; bank < 5; ++bank) {
      const bool present = std::ranges::count(sample.combinationBanks, bank) > 0;
      EXPECT_EQ(index->combinationBankLoaded[bank], present) << bank;
      if (!present) {
        EXPECT_EQ((*index->combinations)[bank][5].name(), "");  // a gap stays zero
      }
    }
  }
}

TEST(PcgIndexTest, CombinationRecordsGiveNameAndCategoryAtTheFormatsOffset) {
  for (int code : SamplePcgModelCodes()) {
    SCOPED_TRACE(code);
    const RecordFormat format = *RecordFormatFromCode(code);
    const RecordFormatInfo& info = RecordFormatTable(format);
    Bytes records = SampleCombinationRecords(format, 2);
    const std::size_t last = 127 * info.combinationRecordSize;
    std::copy_n("Last Combi Name!", 16, records.begin() + static_cast<std::ptrdiff_t>(last));
    records[last + info.combinationCategoryOffset] = 13;
    const Bytes file = PcgFileBytes(
        PcgProductByte(code),
        PcgChunk("CMB1",
                 PcgBankChunk("CBK1", 2, static_cast<std::uint32_t>(info.combinationRecordSize),
                              records)));
    Result<PcgIndex> index = IndexPcgBytes(file);
    ASSERT_TRUE(index.ok());
    const CombinationSlot& slot = (*index->combinations)[2][127];
    EXPECT_EQ(slot.number(), 127);
    EXPECT_EQ(slot.name(), "Last Combi Name!");
    EXPECT_EQ(slot.category(), 13);
    EXPECT_EQ(slot.bytes[18], 0);
    EXPECT_EQ(slot.bytes[19], 0);
  }
}

TEST(PcgIndexTest, ProductByteAndVersionTwoChunksSetTheModelCode) {
  struct Case {
    std::uint8_t product;
    const char* extraId;  // nullptr: none
    bool leaf;
    int expected;
  };
  const Case cases[] = {
      {'P', nullptr, false, 1}, {'c', nullptr, false, 2}, {']', nullptr, false, 3},
      {']', "PV2P", false, 5},  {']', "PV2B", true, 5},   {']', "CV2P", false, 5},
      {']', "CV2B", true, 5},   {'x', "PV2B", true, 5},   {']', "pv2p", false, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    Bytes contents = PcgChunk("PRG1", {});
    if (c.extraId) {
      const Bytes extra = c.leaf ? PcgChunk(c.extraId, Bytes(8, 0)) : PcgChunk(c.extraId, {});
      contents.insert(contents.end(), extra.begin(), extra.end());
    }
    Result<PcgIndex> index = IndexPcgBytes(PcgFileBytes(c.product, contents));
    ASSERT_TRUE(index.ok()) << index.failure().text;
    EXPECT_EQ(index->modelCode, c.expected);
  }
}

TEST(PcgIndexTest, WalkEntersUnknownChunksAndComparesIdsExactly) {
  // Banks D and A (in that order) with an unknown chunk between them, a leaf whose contents look
  // like a bank, and a lower-case id that is not a bank.
  const RecordFormat format = RecordFormat::Orvane;
  const Bytes bankD = PcgBankChunk("PBK1", 3, 540, SampleProgramRecords(format, 3));
  const Bytes bankA = PcgBankChunk("PBK1", 0, 540, SampleProgramRecords(format, 0));
  const Bytes unknown = PcgChunk("XYZ1", {});  // walked into: the next id follows its size
  const Bytes hiddenInLeaf = PcgChunk("GLB1", TinyBank("PBK1", 1));
  const Bytes lowerCase = PcgChunk("pbk1", PcgChunk("ZERO", {}));
  const Bytes file = PcgFileBytes(
      'P', Concat({PcgChunk("DIV1", Bytes(20, 0xEE)),
                   PcgChunk("PRG1", Concat({bankD, unknown, hiddenInLeaf, lowerCase, bankA}))}));
  Result<PcgIndex> index = IndexPcgBytes(file);
  ASSERT_TRUE(index.ok()) << index.failure().text;
  ASSERT_EQ(index->programBanks.count, 2);
  EXPECT_EQ(index->programBanks.numbers[0], 3);
  EXPECT_EQ(index->programBanks.numbers[1], 0);
  EXPECT_LT(index->programBanks.positions[0], index->programBanks.positions[1]);
  EXPECT_TRUE(index->programBankLoaded[0]);
  EXPECT_TRUE(index->programBankLoaded[3]);
  EXPECT_FALSE(index->programBankLoaded[1]);
  EXPECT_EQ((*index->programs)[3][0].name(), SampleProgramBank(3)[0].name());
  EXPECT_EQ((*index->programs)[1][0].name(), "");
}

TEST(PcgIndexTest, OtherBankKindsAreListedButNotLoaded) {
  const Bytes file = PcgFileBytes(
      ']', Concat({PcgChunk("PRG1", {}),
                   PcgChunk("DKT1", Concat({TinyBank("DBK1", 2), TinyBank("DBK1", 7)})),
                   PcgChunk("ARP1", TinyBank("ABK1", 1))}));
  Result<PcgIndex> index = IndexPcgBytes(file);
  ASSERT_TRUE(index.ok());
  EXPECT_TRUE(index->hasDkt1);
  EXPECT_TRUE(index->hasArp1);
  ASSERT_EQ(index->dbk1Banks.count, 2);
  EXPECT_EQ(index->dbk1Banks.numbers[1], 7);  // no buffer behind these, so any number is kept
  EXPECT_EQ(index->abk1Banks.count, 1);
  EXPECT_EQ(index->abk1Banks.positions[0], 24 + 8 + 8 + 2 * 36 + 8 + 8 + 12);
  EXPECT_EQ(index->programBanks.count, 0);  // programs flagged, no bank: nothing to enable
  EXPECT_EQ(std::ranges::count(index->programBankLoaded, true), 0);
}

TEST(PcgIndexTest, RefusalsCarryTheirMessages) {
  const Bytes good = BuildSamplePcgFile(1).bytes;
  Bytes badMagic = good;
  badMagic[3] = 'k';
  Bytes badPcg1 = good;
  badPcg1[16] = 'p';
  struct Case {
    const char* what;
    Bytes bytes;
    std::string_view text;
  };
  const Case cases[] = {
      {"empty", {}, kPcgNotValidText},
      {"header cut", Bytes(good.begin(), good.begin() + 20), kPcgNotValidText},
      {"magic", badMagic, kPcgNotValidText},
      {"PCG1 id", badPcg1, kPcgNotValidText},
      {"no banks", PcgFileBytes('P', Concat({PcgChunk("GLB1", Bytes(4, 0)), PcgChunk("DKT1", {})})),
       kPcgNoBanksText},
      {"lower-case prg1", PcgFileBytes('P', PcgChunk("prg1", {})), kPcgNoBanksText},
      {"unknown product", PcgFileBytes('Q', ProgramContainer(RecordFormat::Orvane, {0})),
       kPcgUnknownModelText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Result<PcgIndex> index = IndexPcgBytes(c.bytes);
    ASSERT_FALSE(index.ok());
    EXPECT_EQ(index.failure().caption, "File Error");
    EXPECT_EQ(index.failure().text, c.text);
  }
}

TEST(PcgIndexTest, BanksBeyondTheIndexRoomAreIgnoredNotStored) {
  // Six program banks and a bank numbered 5 (F) and 255: only the first five that fit A-E count.
  Bytes inner;
  for (std::uint32_t n : {0u, 5u, 1u, 2u, 0x1FFu, 3u, 4u, 0u}) {
    const Bytes chunk = PcgBankChunk(
        "PBK1", n, 540, SampleProgramRecords(RecordFormat::Orvane, static_cast<int>(n & 3)));
    inner.insert(inner.end(), chunk.begin(), chunk.end());
  }
  Result<PcgIndex> index = IndexPcgBytes(PcgFileBytes('P', PcgChunk("PRG1", inner)));
  ASSERT_TRUE(index.ok());
  ASSERT_EQ(index->programBanks.count, 5);
  const std::array<std::uint16_t, 5> numbers{0, 1, 2, 3, 4};
  EXPECT_EQ(index->programBanks.numbers, numbers);
  EXPECT_EQ(index->ignoredBankChunks, 3);  // bank 5, bank 0x1FF (low byte 0xFF), the sixth 0
  EXPECT_EQ(std::ranges::count(index->programBankLoaded, true), 5);
}

TEST(PcgIndexTest, CutShortFilesShowWhatTheyHoldAndNeverReadPastTheEnd) {
  const SamplePcgFile sample = BuildSamplePcgFile(1);  // programs A-E, then combinations A, B, D
  const std::size_t bankChunk = 8 + 12 + 128 * 540;
  const std::size_t firstBank = 24 + 8 + 48 + 8;  // after DIV1 and the PRG1 head
  struct Case {
    const char* what;
    std::size_t keep;
    int loadedPrograms;
  };
  const Case cases[] = {
      {"inside the PCG1 head", 22, -1},
      {"right after the header", 24, -1},
      {"inside a chunk head", 24 + 5, -1},
      {"inside the PRG1 head", firstBank - 3, -1},
      {"inside bank A's header", firstBank + 8 + 6, 0},
      {"inside bank A's records", firstBank + bankChunk - 1, 0},
      {"after bank B", firstBank + 2 * bankChunk, 2},
      {"inside bank C", firstBank + 2 * bankChunk + 100, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes cut(sample.bytes.begin(),
                    sample.bytes.begin() + static_cast<std::ptrdiff_t>(c.keep));
    Result<PcgIndex> index = IndexPcgBytes(cut);
    if (c.loadedPrograms < 0) {
      ASSERT_FALSE(index.ok());
      EXPECT_EQ(index.failure().caption, "File Error");
      continue;
    }
    ASSERT_TRUE(index.ok()) << index.failure().text;
    EXPECT_TRUE(index->truncated);
    EXPECT_EQ(std::ranges::count(index->programBankLoaded, true), c.loadedPrograms);
    EXPECT_FALSE(index->hasCombinations);
  }
}

TEST(PcgIndexTest, HostileSizesEndTheWalk) {
  // A PCG1 size far past the end, a leaf whose size runs past the end, a bank chunk with a size
  // smaller than its header, and sizes that would wrap a 32-bit position.
  struct Case {
    const char* what;
    Bytes contents;
    std::uint32_t pcg1Size;
  };
  Bytes hugeLeaf = PcgChunk("GLB1", {});
  WriteBe32(hugeLeaf, 4, 0xFFFFFFF0u);
  Bytes shortBank = PcgBankChunk("PBK1", 1, 540, {});
  WriteBe32(shortBank, 4, 0);
  const Case cases[] = {
      {"pcg1 past end", PcgChunk("PRG1", {}), 0xFFFFFFFFu},
      {"leaf past end", Concat({PcgChunk("PRG1", {}), hugeLeaf, TinyBank("PBK1", 0)}), 0},
      {"bank size below header", Concat({PcgChunk("PRG1", {}), shortBank}), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes file = PcgFileBytes('P', c.contents);
    if (c.pcg1Size) WriteBe32(file, 20, c.pcg1Size);
    Result<PcgIndex> index = IndexPcgBytes(file);
    ASSERT_TRUE(index.ok()) << index.failure().text;
    EXPECT_TRUE(index->hasPrograms);
    EXPECT_EQ(std::ranges::count(index->programBankLoaded, true), 0);
  }
}

// A file kept in memory, standing in for the locked file of the disk.
class MemoryFile final : public FileHandle {
 public:
  MemoryFile(Bytes bytes, std::string path) : bytes_(std::move(bytes)), path_(std::move(path)) {}
  std::int64_t Size() override { return static_cast<std::int64_t>(bytes_.size()); }
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    if (offset > bytes_.size() || bytes_.size() - offset < out.size()) return false;
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return true;
  }
  bool WriteAt(std::uint64_t, std::span<const std::uint8_t>) override { return false; }
  bool Flush() override { return true; }
  const std::string& Path() const override { return path_; }

 private:
  Bytes bytes_;
  std::string path_;
};

// Reports a size it cannot deliver, as a file shrinking under us would.
class ShrunkFile final : public FileHandle {
 public:
  explicit ShrunkFile(std::int64_t size) : size_(size) {}
  std::int64_t Size() override { return size_; }
  bool ReadAt(std::uint64_t, std::span<std::uint8_t>) override { return false; }
  bool WriteAt(std::uint64_t, std::span<const std::uint8_t>) override { return false; }
  bool Flush() override { return true; }
  const std::string& Path() const override { return path_; }

 private:
  std::int64_t size_;
  std::string path_ = "shrunk";
};

TEST(OpenPcgFileTest, KeepsTheHandleOnlyWhenTheFileIsTaken) {
  const Bytes sample = BuildSamplePcgFile(2).bytes;
  Result<PcgIndex> index = OpenPcgFile("a.PCG", [&](const std::string& path) -> FileHandlePtr {
    return std::make_unique<MemoryFile>(sample, path);
  });
  ASSERT_TRUE(index.ok());
  EXPECT_TRUE(index->isOpen());
  EXPECT_EQ(index->path, "a.PCG");
  EXPECT_EQ(index->modelCode, 2);

  ClosePcgFile(*index);
  EXPECT_FALSE(index->isOpen());
  EXPECT_EQ(index->modelCode, 0);
  EXPECT_EQ(index->programBanks.count, 0);
  EXPECT_FALSE(index->hasPrograms);
  EXPECT_EQ((*index->programs)[0][3].name(), "");
  EXPECT_EQ(std::ranges::count(index->programBankLoaded, true), 0);

  struct Case {
    const char* what;
    FileOpener opener;
    std::string_view text;
  };
  const Case cases[] = {
      {"cannot open", [](const std::string&) { return FileHandlePtr{}; }, kPcgOpenErrorText},
      {"too large",
       [](const std::string&) -> FileHandlePtr {
         return std::make_unique<ShrunkFile>(static_cast<std::int64_t>(kMaxPcgFileSize) + 1);
       },
       kPcgTooLargeText},
      {"read fails",
       [](const std::string&) -> FileHandlePtr { return std::make_unique<ShrunkFile>(4096); },
       kPcgReadErrorText},
      {"not a PCG file",
       [](const std::string& path) -> FileHandlePtr {
         return std::make_unique<MemoryFile>(Bytes(100, 'V'), path);
       },
       kPcgNotValidText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Result<PcgIndex> refused = OpenPcgFile("b.PCG", c.opener);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.failure(), FileError(std::string(c.text)));
  }
  EXPECT_EQ(PcgAlreadyOpenFailure().caption, "Sorry");
}

TEST(OpenPcgFileTest, HoldsTheRealFileLockedUntilClosed) {
  testing::TempDir dir;
  ASSERT_TRUE(WriteAllSamplePcgFiles(dir.file("samples")).ok());
  const std::string path = dir.file("samples/ossik-v2.PCG");
  Result<PcgIndex> index = OpenPcgFile(path, OpenLockedFile);
  ASSERT_TRUE(index.ok()) << index.failure().text;
  EXPECT_EQ(index->modelCode, 5);

  Result<PcgIndex> second = OpenPcgFile(path, OpenLockedFile);
  ASSERT_FALSE(second.ok());
  EXPECT_EQ(second.failure().text, kPcgOpenErrorText);

  ClosePcgFile(*index);
  EXPECT_TRUE(OpenPcgFile(path, OpenLockedFile).ok());
}

TEST(PcgIndexTest, ProgramForEditIsACopyThatOutlivesTheIndex) {
  std::optional<ProgramSlot> copy;
  {
    Result<PcgIndex> index = IndexPcgBytes(BuildSamplePcgFile(1).bytes);
    ASSERT_TRUE(index.ok());
    copy = ProgramForEdit(*index, 4, 127);
    EXPECT_FALSE(ProgramForEdit(*index, 5, 0));
    EXPECT_FALSE(ProgramForEdit(*index, 0, 128));
    EXPECT_FALSE(ProgramForEdit(*index, -1, 0));
  }
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->number(), 127);
  EXPECT_EQ(copy->name(), SampleProgramBank(4)[127].name());
}

}  // namespace
}  // namespace zentavour
