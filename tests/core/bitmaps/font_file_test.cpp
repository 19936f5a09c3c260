#include "core/bitmaps/font_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
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
  testing::SetUnusualPermissions(path);
  ASSERT_TRUE(SaveFontFile(path, Pattern(), WorkstationModel::Ossik, FontSlot::Bold).ok());
  EXPECT_TRUE(testing::HasUnusualPermissions(path));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no litter
  Bytes file = testing::ReadFileBytes(path);
  ASSERT_EQ(file.size(), 5516u);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 6), (Bytes{'G', 'L', 'X', 1, 3, 2}));
  EXPECT_EQ(file[6 + 58 * 94 + 57], Pattern()[94].bytes[57]);

  // All 58 bytes of every record come back; a longer file loads its first records.
  const auto loaded = LoadFontFile(path, kHome);
  ASSERT_TRUE(loaded.ok());
  EXPECT_EQ(loaded->glyphs, Pattern());
  EXPECT_EQ(loaded->modelCode, 3);
  EXPECT_EQ(loaded->fontSlot, 2);
  file.resize(8000, 0xEE);
  EXPECT_EQ(ReadFontFile(file, kHome)->glyphs, Pattern());
}

TEST(FontFileTest, RefusalsInTheirOrder) {
  const Bytes whole = BuildFontFile(Pattern(), WorkstationModel::Orvane, FontSlot::Large);
  auto prefix = [&](std::size_t n) { return Bytes(whole.begin(), whole.begin() + n); };
  const Bytes badMagic{'g', 'L', 'X', 1}, newerVersion{'G', 'L', 'X', 2};
  const std::string invalid(kFontFileInvalidText), incomplete(kFontFileIncompleteText);
  const std::string newer = std::string(kFontFileNewerVersionText) + std::string(kHome);
  const std::pair<Bytes, std::string> cases[] = {
      {{}, invalid},           {prefix(2), invalid},       {badMagic, invalid},
      {prefix(3), newer},      {newerVersion, newer},      {prefix(4), incomplete},
      {prefix(6), incomplete}, {prefix(5515), incomplete},
  };
  for (const auto& [file, text] : cases)
    EXPECT_EQ(ReadFontFile(file, kHome).failure(), FileError(text)) << file.size();
}

TEST(FontFileTest, FileProblemsAreReported) {
  testing::TempDir dir;
  const GlyphWorkSet glyphs = Pattern();
  const Failure openError = FileError("Error Opening Font File");
  // The reason is the opener's: the file and the system's words.
  const Failure missing = LoadFontFile(dir.file("missing.glx"), kHome).failure();
  EXPECT_EQ(Failure(missing.caption, missing.text), openError);
  EXPECT_TRUE(missing.detail.starts_with(dir.file("missing.glx"))) << missing.detail;
  const std::string held = dir.file("held.glx");  // held open by this program or another
  ASSERT_TRUE(SaveFontFile(held, glyphs, WorkstationModel::Orvane, FontSlot::Small).ok());
  {
    const FileHandlePtr lock = OpenLockedFile(held);
    ASSERT_TRUE(lock);
    EXPECT_EQ(LoadFontFile(held, kHome).failure().text, openError.text);
  }
  EXPECT_TRUE(LoadFontFile(held, kHome).ok());
  for (const std::string& path : {dir.file("no/such/folder.glx"), std::string("/dev/full")}) {
    if (path == "/dev/full" && !std::filesystem::exists(path)) continue;  // disk full
    const Failure failed =
        SaveFontFile(path, glyphs, WorkstationModel::Orvane, FontSlot::Small).failure();
    EXPECT_EQ(failed.caption + ": " + failed.text, "File Error: Error Saving Font File");
    EXPECT_EQ(failed.detail.rfind(path + ": ", 0), 0u) << failed.detail;  // and the system's reason
  }
}

}  // namespace
}  // namespace zentavour
