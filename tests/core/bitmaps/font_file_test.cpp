#include "core/bitmaps/font_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace zentavour {
namespace {

constexpr std::string_view kHome = "https://home.example/";

GlyphWorkSet Pattern() {
  GlyphWorkSet glyphs{};
  for (std::size_t k = 0; k < glyphs.size(); ++k)
    for (std::size_t i = 0; i < kGlyphRecordSize; ++i)
      glyphs[k].bytes[i] = static_cast<std::uint8_t>(k * 31 + i * 7 + 1);
  return glyphs;
}

TEST(FontFileTest, SavedFileIsTheHeaderAndEveryRecordWhole) {
  testing::TempDir dir;
  const std::string path = dir.file("font.glx");
  testing::WriteFileBytes(path, Bytes(9000, 0x55));  // replaced without asking
  const GlyphWorkSet glyphs = Pattern();
  ASSERT_TRUE(SaveFontFile(path, glyphs, WorkstationModel::Ossik, FontSlot::Bold).ok());
  const Bytes file = testing::ReadFileBytes(path);
  ASSERT_EQ(file.size(), 5516u);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 6), (Bytes{'G', 'L', 'X', 1, 3, 2}));
  EXPECT_EQ(file[6 + 58 * 94 + 57], glyphs[94].bytes[57]);

  // Loading ignores where the font came from: all 58 bytes of every record come back.
  const auto loaded = LoadFontFile(path, kHome);
  ASSERT_TRUE(loaded.ok());
  EXPECT_EQ(loaded->glyphs, glyphs);
  EXPECT_EQ(loaded->modelCode, 3);
  EXPECT_EQ(loaded->fontSlot, 2);
}

TEST(FontFileTest, RefusalsInTheirOrder) {
  const Bytes whole = BuildFontFile(Pattern(), WorkstationModel::Orvane, FontSlot::Large);
  auto prefix = [&](std::size_t n) { return Bytes(whole.begin(), whole.begin() + n); };
  auto withByte = [&](std::size_t at, std::uint8_t value) {
    Bytes changed = whole;
    changed[at] = value;
    return changed;
  };
  const std::string invalid(kFontFileInvalidText);
  const std::string newer = std::string(kFontFileNewerVersionText) + std::string(kHome);
  const std::string incomplete(kFontFileIncompleteText);
  struct Case {
    std::string name;
    Bytes file;
    std::string text;
  };
  const Case cases[] = {
      {"empty", {}, invalid},
      {"two bytes", prefix(2), invalid},
      {"lower-case magic", withByte(0, 'g'), invalid},
      {"magic only", prefix(3), newer},
      {"version 0", withByte(3, 0), newer},
      {"version 2", withByte(3, 2), newer},
      {"header without model", prefix(4), incomplete},
      {"header only", prefix(6), incomplete},
      {"one byte short", prefix(5515), incomplete},
  };
  for (const Case& c : cases) {
    const auto read = ReadFontFile(c.file, kHome);
    ASSERT_FALSE(read.ok()) << c.name;
    EXPECT_EQ(read.failure(), FileError(c.text)) << c.name;
  }
}

TEST(FontFileTest, LongerFileLoadsItsFirstRecords) {
  testing::TempDir dir;
  Bytes file = BuildFontFile(Pattern(), WorkstationModel::Orvane, FontSlot::Small);
  file.resize(8000, 0xEE);
  testing::WriteFileBytes(dir.file("long.glx"), file);
  const auto loaded = LoadFontFile(dir.file("long.glx"), kHome);
  ASSERT_TRUE(loaded.ok());
  EXPECT_EQ(loaded->glyphs, Pattern());
}

TEST(FontFileTest, FileProblemsAreReported) {
  testing::TempDir dir;
  const GlyphWorkSet glyphs = Pattern();
  EXPECT_EQ(LoadFontFile(dir.file("missing.glx"), kHome).failure(),
            FileError("Error Opening Font File"));

  // A file this program (or another) holds open is not read.
  const std::string held = dir.file("held.glx");
  ASSERT_TRUE(SaveFontFile(held, glyphs, WorkstationModel::Orvane, FontSlot::Small).ok());
  {
    const FileHandlePtr lock = OpenLockedFile(held);
    ASSERT_TRUE(lock);
    EXPECT_EQ(LoadFontFile(held, kHome).failure(), FileError("Error Opening Font File"));
  }
  EXPECT_TRUE(LoadFontFile(held, kHome).ok());

  EXPECT_EQ(SaveFontFile(dir.file("no/such/folder.glx"), glyphs, WorkstationModel::Orvane,
                         FontSlot::Small)
                .failure(),
            FileError("Error Saving Font File"));
  if (std::filesystem::exists("/dev/full")) {  // every write fails: disk full
    EXPECT_FALSE(SaveFontFile("/dev/full", glyphs, WorkstationModel::Orvane, FontSlot::Small).ok());
  }
}

}  // namespace
}  // namespace zentavour
