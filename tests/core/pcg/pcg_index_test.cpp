#include "core/pcg/pcg_index.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/samples/sample_pcg_files.h"

namespace zentavour {
namespace {

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
    EXPECT_FALSE(index->truncated);
    EXPECT_EQ(index->hasDkt1, code == 3);
    ASSERT_EQ(index->programBanks.count, sample.programBanks.size());
    for (std::size_t i = 0; i < sample.programBanks.size(); ++i) {
      const int number = sample.programBanks[i];
      EXPECT_EQ(index->programBanks.numbers[i], number);
      // The position points at the first record: its name is program 0's name of that bank.
      const ProgramBank expected = SampleProgramBank(number);
      const std::size_t at = index->programBanks.positions[i];
      EXPECT_EQ(std::string(sample.bytes.begin() + at, sample.bytes.begin() + at + 16).c_str(),
                expected[0].name());
      // Banks land by their number, whatever the chunk order.
      EXPECT_EQ((*index->programs)[number][77].name(), expected[77].name());
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

TEST(PcgIndexTest, OtherBankKindsAreListedButNotLoaded) {
  const Bytes file = PcgFileBytes(
      ']', Concat({PcgChunk("PRG1", {}),
                   PcgChunk("DKT1", Concat({TinyBank("DBK1", 2), TinyBank("DBK1", 7)})),
                   PcgChunk("ARP1", TinyBank("ABK1", 1))}));
  Result<PcgIndex> index = IndexPcgBytes(file);
  ASSERT_TRUE(index.ok());
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
      {"chunk head cut", Bytes(good.begin(), good.begin() + 29), kPcgNoBanksText},
      {"PRG1 head cut", Bytes(good.begin(), good.begin() + 85), kPcgNoBanksText},
      {"magic", badMagic, kPcgNotValidText},
      {"PCG1 id", badPcg1, kPcgNotValidText},
      {"no banks", PcgFileBytes('P', Concat({PcgChunk("GLB1", Bytes(4, 0)), PcgChunk("DKT1", {})})),
       kPcgNoBanksText},
      {"lower-case prg1", PcgFileBytes('P', PcgChunk("prg1", {})), kPcgNoBanksText},
      {"unknown product", PcgFileBytes('Q', PcgChunk("PRG1", TinyBank("PBK1", 0))),
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

// The walk keeps whole program banks A-E in chunk order, and nothing past the file's end.
TEST(PcgIndexTest, WalkKeepsOnlyWholeBanksThatFit) {
  auto bank = [](std::uint32_t n) {
    return PcgBankChunk("PBK1", n, 540,
                        SampleProgramRecords(RecordFormat::Orvane, int(n < 5 ? n : 0)));
  };
  auto programs = [](const Bytes& inner) { return PcgFileBytes('P', PcgChunk("PRG1", inner)); };
  Bytes beyond;  // banks F and 0x1FF (low byte 0xFF) and a sixth bank are ignored
  for (std::uint32_t n : {0u, 5u, 1u, 2u, 0x1FFu, 3u, 4u, 0u}) beyond = Concat({beyond, bank(n)});
  Bytes hugeLeaf = PcgChunk("GLB1", {});
  WriteBe32(hugeLeaf, 4, 0xFFFFFFF0u);
  Bytes shortBank = PcgBankChunk("PBK1", 1, 540, {});
  WriteBe32(shortBank, 4, 0);  // a size below its own header
  Bytes pcg1PastEnd = programs({});
  WriteBe32(pcg1PastEnd, 20, 0xFFFFFFFFu);
  const Bytes sample = BuildSamplePcgFile(1).bytes;  // programs A-E, then combinations
  const std::size_t firstBank = 24 + 8 + 48 + 8, bankChunk = 8 + 12 + 128 * 540;
  auto cut = [&](std::size_t keep) { return Bytes(sample.begin(), sample.begin() + keep); };
  struct Case {
    const char* what;
    Bytes file;
    std::vector<int> banks;
    int ignored;
    bool truncated;
  };
  const Case cases[] = {
      // Unknown chunks are walked into, a leaf's contents are skipped, ids compare exactly.
      {"walk",
       PcgFileBytes('P', Concat({PcgChunk("DIV1", Bytes(20, 0xEE)),
                                 PcgChunk("PRG1", Concat({bank(3), PcgChunk("XYZ1", {}),
                                                          PcgChunk("GLB1", TinyBank("PBK1", 1)),
                                                          PcgChunk("pbk1", PcgChunk("ZERO", {})),
                                                          bank(0)}))})),
       {3, 0},
       0,
       false},
      {"beyond A-E", programs(beyond), {0, 1, 2, 3, 4}, 3, false},
      {"pcg1 past end", pcg1PastEnd, {}, 0, true},
      {"leaf past end", programs(Concat({hugeLeaf, TinyBank("PBK1", 0)})), {}, 0, true},
      {"bank size below header", programs(shortBank), {}, 0, true},
      {"cut inside bank A's header", cut(firstBank + 14), {}, 0, true},
      {"cut after bank B", cut(firstBank + 2 * bankChunk), {0, 1}, 0, true},
      {"cut inside bank C", cut(firstBank + 2 * bankChunk + 100), {0, 1}, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Result<PcgIndex> index = IndexPcgBytes(c.file);
    ASSERT_TRUE(index.ok()) << index.failure().text;
    EXPECT_TRUE(index->hasPrograms);
    EXPECT_EQ(index->truncated, c.truncated);
    EXPECT_EQ(index->ignoredBankChunks, c.ignored);
    ASSERT_GE(index->programBanks.count, c.banks.size());
    if (!c.truncated) {
      EXPECT_EQ(index->programBanks.count, c.banks.size());
    }
    EXPECT_EQ(std::ranges::count(index->programBankLoaded, true), std::ssize(c.banks));
    for (std::size_t i = 0; i < c.banks.size(); ++i) {
      EXPECT_EQ(index->programBanks.numbers[i], c.banks[i]);
      EXPECT_EQ((*index->programs)[c.banks[i]][9].name(), SampleProgramBank(c.banks[i])[9].name());
    }
    if (c.truncated) {
      EXPECT_FALSE(index->hasCombinations);
    }
  }
}

// A file kept in memory; a reported size beyond its bytes stands for a file shrinking under us.
class MemoryFile final : public FileHandle {
 public:
  MemoryFile(Bytes bytes, std::int64_t size = -1)
      : bytes_(std::move(bytes)), size_(size < 0 ? std::ssize(bytes_) : size) {}
  std::int64_t Size() override { return size_; }
  Status ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    if (offset > bytes_.size() || bytes_.size() - offset < out.size()) return FileError("short");
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return {};
  }
  Status WriteAt(std::uint64_t, std::span<const std::uint8_t>) override {
    return FileError("read only");
  }
  Status Flush() override { return {}; }
  const std::string& Path() const override { return path_; }

 private:
  Bytes bytes_;
  std::int64_t size_;
  std::string path_ = "memory";
};

FileOpener Serving(Bytes bytes, std::int64_t size = -1) {
  return [=](const std::string&) -> FileHandlePtr {
    return std::make_unique<MemoryFile>(bytes, size);
  };
}

TEST(OpenPcgFileTest, KeepsTheHandleOnlyWhenTheFileIsTaken) {
  const Bytes sample = BuildSamplePcgFile(2).bytes;
  Result<PcgIndex> index = OpenPcgFile("a.PCG", Serving(sample));
  ASSERT_TRUE(index.ok());
  EXPECT_TRUE(index->isOpen());
  EXPECT_EQ(index->path, "a.PCG");
  EXPECT_EQ(index->modelCode, 2);
  // A program for editing is a copy that outlives the file.
  const std::optional<ProgramSlot> copy = ProgramForEdit(*index, 4, 127);
  EXPECT_FALSE(ProgramForEdit(*index, 5, 0));
  EXPECT_FALSE(ProgramForEdit(*index, 0, 128));

  ClosePcgFile(*index);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->number(), 127);
  EXPECT_EQ(copy->name(), SampleProgramBank(4)[127].name());
  EXPECT_FALSE(index->isOpen());
  EXPECT_EQ(index->modelCode, 0);
  EXPECT_EQ((*index->programs)[0][3].name(), "");
  EXPECT_EQ(std::ranges::count(index->programBankLoaded, true), 0);

  struct Case {
    const char* what;
    FileOpener opener;
    std::string_view text;
  };
  const Case cases[] = {
      {"cannot open", [](const std::string&) { return FileHandlePtr{}; }, kPcgOpenErrorText},
      {"too large", Serving({}, static_cast<std::int64_t>(kMaxPcgFileSize) + 1), kPcgTooLargeText},
      {"read fails", Serving({}, 4096), kPcgReadErrorText},
      {"not a PCG file", Serving(Bytes(100, 'V')), kPcgNotValidText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Result<PcgIndex> refused = OpenPcgFile("b.PCG", c.opener);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.failure(), FileError(std::string(c.text)));
  }
  EXPECT_EQ(PcgAlreadyOpenFailure().caption, "Sorry");
}

}  // namespace
}  // namespace zentavour
