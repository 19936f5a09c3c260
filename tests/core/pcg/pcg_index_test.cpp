#include "core/pcg/pcg_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/samples/sample_pcg_files.h"
#include "support/temp_dir.h"

namespace zentavour {
namespace {

Bytes TinyBank(std::string_view id, std::uint32_t number) {
  return PcgBankChunk(id, number, 4, Bytes(16, 0));
}

// Record sizes and category offsets as the instrument's formats define them, so that a wrong
// entry in the record format table shows.
TEST(PcgIndexTest, CombinationRecordsGiveNameAndCategoryAtTheFormatsOffset) {
  struct Case {
    int code;
    std::uint32_t recordSize, categoryAt;
  };
  for (const Case& c : {Case{1, 448, 214}, {2, 352, 118}, {3, 996, 762}, {5, 996, 762}}) {
    SCOPED_TRACE(c.code);
    Bytes records(128 * c.recordSize, 0);
    const std::size_t last = 127 * c.recordSize;
    std::copy_n("Last Combi Name!", 16, records.begin() + static_cast<std::ptrdiff_t>(last));
    records[last + c.categoryAt] = 13;
    const Bytes banks = PcgChunk("CMB1", PcgBankChunk("CBK1", 2, c.recordSize, records));
    const Bytes v2 = c.code == 5 ? PcgChunk("CV2B", {}) : Bytes();
    Result<PcgIndex> index =
        IndexPcgBytes(PcgFileBytes(PcgProductByte(c.code), Concat({v2, banks})));
    ASSERT_TRUE(index.ok());
    ASSERT_EQ(index->modelCode, c.code);
    const CombinationSlot& slot = (*index->combinations)[2][127];
    EXPECT_EQ(slot.number(), 127);
    EXPECT_EQ(slot.name(), "Last Combi Name!");
    EXPECT_EQ(slot.category(), 13);
    EXPECT_TRUE(index->combinationBankLoaded[2]);
    EXPECT_FALSE(index->combinationBankLoaded[1]);
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
      {']', "PV2P", false, 5},  {']', "CV2B", true, 5},   {'x', "PV2B", true, 5},
      {']', "pv2p", false, 3},
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
  EXPECT_TRUE(index->hasDkt1);
  ASSERT_EQ(index->dbk1Banks.count, 2);
  EXPECT_EQ(index->dbk1Banks.numbers[1], 7);  // no buffer behind these, so any number is kept
  EXPECT_EQ(index->abk1Banks.count, 1);
  EXPECT_EQ(index->abk1Banks.positions[0], 24 + 8 + 8 + 2 * 36 + 8 + 8 + 12);
  EXPECT_EQ(index->programBanks.count, 0);  // programs flagged, no bank: nothing to enable
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
      {"header cut", Bytes(good.begin(), good.begin() + 20), kPcgNotValidText},
      {"chunk head cut", Bytes(good.begin(), good.begin() + 29), kPcgNoBanksText},
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
  Bytes shortBank = PcgBankChunk("PBK1", 1, 540, {});
  WriteBe32(shortBank, 4, 0);  // a size below its own header
  const Bytes sample = BuildSamplePcgFile(1).bytes;  // programs A-E, then combinations
  const std::size_t firstBank = 24 + 8 + 48 + 8, bankChunk = 8 + 12 + 128 * 540;
  auto cut = [&](std::size_t keep) { return Bytes(sample.begin(), sample.begin() + keep); };
  struct Case {
    const char* what;
    Bytes file;
    std::vector<int> loaded;  // in chunk order
    int listed, ignored;
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
       {3, 0}, 2, 0, false},
      {"beyond A-E", programs(beyond), {0, 1, 2, 3, 4}, 5, 3, false},
      {"bank size below header", programs(shortBank), {}, 1, 0, true},  // listed, never loaded
      {"cut at bank A's header's last byte", cut(firstBank + 8 + 11), {}, 0, 0, true},
      {"cut inside bank C", cut(firstBank + 2 * bankChunk + 100), {0, 1}, 3, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Result<PcgIndex> index = IndexPcgBytes(c.file);
    ASSERT_TRUE(index.ok()) << index.failure().text;
    EXPECT_FALSE(index->hasDkt1);
    EXPECT_EQ(index->truncated, c.truncated);
    EXPECT_EQ(index->ignoredBankChunks, c.ignored);
    ASSERT_EQ(index->programBanks.count, c.listed);
    EXPECT_EQ(std::ranges::count(index->programBankLoaded, true), std::ssize(c.loaded));
    for (std::size_t i = 0; i < c.loaded.size(); ++i) {
      EXPECT_EQ(index->programBanks.numbers[i], c.loaded[i]);
      const int number = c.loaded[i];
      EXPECT_EQ((*index->programs)[number][9].name(), SampleProgramBank(number)[9].name());
    }
  }
}

// One step of the walk ends past the chunk's head and the size that head gives; the file counts
// as cut short only when that end, or the head or bank header itself, lies past the file's end.
TEST(PcgIndexTest, AWalkStepEndsAfterTheChunkHeadAndItsContents) {
  const Bytes leaf = PcgChunk("GLB1", Bytes(20, 0));  // 8 + 20 bytes
  const Bytes bank = TinyBank("DBK1", 3);             // 8 + 12 + 16 bytes
  auto first = [](const Bytes& chunk, std::size_t n) {
    return Bytes(chunk.data(), chunk.data() + n);
  };
  struct Case {
    const char* what;
    Bytes chunk;
    std::uint64_t end;  // from the chunk's start
    bool truncated;
    int banks;
  };
  const Case cases[] = {
      {"leaf", leaf, 28, false, 0},
      {"empty leaf", PcgChunk("CSM1", {}), 8, false, 0},
      {"container", PcgChunk("DKT1", leaf), 8, false, 0},
      {"bank", bank, 36, false, 1},
      {"leaf one byte past the end", first(leaf, 27), 28, true, 0},
      {"bank one byte past the end", first(bank, 35), 36, true, 1},
      {"bank header without its last byte", first(bank, 19), 19, true, 0},
      {"chunk head without its last byte", first(leaf, 7), 7, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes file = Concat({Bytes(5, 0xAA), c.chunk});  // the chunk does not start at 0
    PcgIndex index;
    std::uint64_t position = 5;
    IndexPcgChunk(index, file, position);
    EXPECT_EQ(position, 5 + c.end);
    EXPECT_EQ(index.truncated, c.truncated);
    ASSERT_EQ(index.dbk1Banks.count, c.banks);
    if (c.banks) {
      EXPECT_EQ(index.dbk1Banks.numbers[0], 3);
      EXPECT_EQ(index.dbk1Banks.positions[0], 5 + 8 + 12);
    }
  }
}

TEST(OpenPcgFileTest, HoldsTheFileOnlyWhenItIsTaken) {
  testing::TempDir dir;
  const std::string taken = dir.file("a.PCG"), refused = dir.file("b.PCG");
  const std::string huge = dir.file("c.PCG"), missing = dir.file("d.PCG");
  testing::WriteFileBytes(taken, BuildSamplePcgFile(2).bytes);
  testing::WriteFileBytes(refused, Bytes(100, 'V'));
  testing::WriteFileBytes(huge, {});
  std::filesystem::resize_file(huge, kMaxPcgFileSize + 1);  // sparse: nothing is written
  Result<PcgIndex> index = OpenPcgFile(taken, TryOpenLockedFile);
  ASSERT_TRUE(index.ok());
  EXPECT_EQ(index->path, taken);
  EXPECT_EQ(index->modelCode, 2);
  EXPECT_FALSE(OpenLockedFile(taken));  // held, so no other program writes it meanwhile
  // A program for editing by bank and number; none past either end.
  EXPECT_EQ(ProgramForEdit(*index, 4, 127).value().name(), SampleProgramBank(4)[127].name());
  EXPECT_FALSE(ProgramForEdit(*index, 5, 0));
  EXPECT_FALSE(ProgramForEdit(*index, 0, 128));

  ClosePcgFile(*index);
  EXPECT_TRUE(OpenLockedFile(taken));
  EXPECT_FALSE(index->isOpen());

  const std::pair<std::string, std::string_view> cases[] = {
      {missing, kPcgOpenErrorText}, {huge, kPcgTooLargeText}, {refused, kPcgNotValidText}};
  for (const auto& [path, text] : cases) {
    const Failure failure = OpenPcgFile(path, TryOpenLockedFile).failure();
    EXPECT_EQ(Failure(failure.caption, failure.text), FileError(std::string(text))) << path;
    if (path != missing) {
      EXPECT_TRUE(OpenLockedFile(path)) << "a refused file is let go";
    }
  }
}

}  // namespace
}  // namespace zentavour
