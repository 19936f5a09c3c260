#include "core/bitmaps/font_file.h"

#include <algorithm>

namespace zentavour {

Bytes BuildFontFile(const GlyphWorkSet& glyphs, WorkstationModel model, FontSlot slot) {
  Bytes file;
  file.reserve(kFontFileSize);
  file.insert(file.end(), {'G', 'L', 'X', kFontFileVersion});
  file.push_back(static_cast<std::uint8_t>(ModelCode(model)));
  file.push_back(static_cast<std::uint8_t>(static_cast<int>(slot)));
  for (const GlyphRecord& glyph : glyphs)
    file.insert(file.end(), glyph.bytes.begin(), glyph.bytes.end());
  return file;
}

Result<FontFileContents> ReadFontFile(ByteView file, std::string_view homePageAddress) {
  if (file.size() < 3 || file[0] != 'G' || file[1] != 'L' || file[2] != 'X')
    return FileError(std::string(kFontFileInvalidText));
  if (file.size() < 4 || file[3] != kFontFileVersion)
    return FileError(std::string(kFontFileNewerVersionText) + std::string(homePageAddress));
  // A short file would leave the font half old, half new: refuse it whole.
  if (file.size() < kFontFileSize) return FileError(std::string(kFontFileIncompleteText));

  FontFileContents contents;
  contents.modelCode = file[4];
  contents.fontSlot = file[5];
  for (std::size_t k = 0; k < contents.glyphs.size(); ++k) {
    const auto record = file.subspan(kFontFileHeaderSize + k * kGlyphRecordSize, kGlyphRecordSize);
    std::copy(record.begin(), record.end(), contents.glyphs[k].bytes.begin());
  }
  return contents;
}

Status SaveFontFile(const std::string& path, const GlyphWorkSet& glyphs, WorkstationModel model,
                    FontSlot slot) {
  if (Status written = WriteWholeFile(path, BuildFontFile(glyphs, model, slot)); !written) {
    Failure failure = FileError(std::string(kFontFileSaveErrorText));
    failure.detail = written.failure().detail;
    return failure;
  }
  return {};
}

Result<FontFileContents> LoadFontFile(const std::string& path, std::string_view homePageAddress,
                                      const FileOpener& opener) {
  Result<FileHandlePtr> opened = opener(path);
  if (!opened) {
    Failure failure = FileError(std::string(kFontFileOpenErrorText));
    failure.detail = opened.failure().detail;
    return failure;
  }
  const FileHandlePtr handle = std::move(*opened);
  const std::int64_t size = handle->Size();
  if (size < 0) return FileError(std::string(kFontFileOpenErrorText));
  Bytes bytes(std::min<std::uint64_t>(std::uint64_t(size), kFontFileSize));
  if (!handle->ReadAt(0, bytes)) return FileError(std::string(kFontFileOpenErrorText));
  return ReadFontFile(bytes, homePageAddress);
}

}  // namespace zentavour
