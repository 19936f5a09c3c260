// Writes the small seed corpora of the fuzz harnesses from the sample generator.
#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>

#include "core/bitmaps/bdf_font.h"
#include "core/bitmaps/bmp_export.h"
#include "core/bitmaps/font_file.h"
#include "core/bitmaps/glyph_work_set.h"
#include "core/common/file_handle.h"
#include "core/samples/sample_os_files.h"
#include "core/samples/sample_pcg_files.h"

using namespace zentavour;

namespace {

bool Put(const std::filesystem::path& dir, const std::string& name, ByteView bytes) {
  std::filesystem::create_directories(dir);
  return WriteWholeFile((dir / name).string(), bytes).ok();
}

Bytes Prefixed(std::initializer_list<std::uint8_t> head, ByteView rest) {
  Bytes bytes(head);
  bytes.insert(bytes.end(), rest.begin(), rest.end());
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_seeds CORPUS_DIR\n");
    return 2;
  }
  const std::filesystem::path root = argv[1];
  bool ok = true;
  // PCG: one small file per model code, a single bank each to keep the corpus small.
  for (int code : SamplePcgModelCodes()) {
    const RecordFormat format = *RecordFormatFromCode(code);
    const Bytes bank = SampleProgramRecords(format, 0);
    const Bytes pcg1 = Concat({PcgChunk("PRG1", PcgBankChunk("PBK1", 0, static_cast<std::uint32_t>(RecordFormatTable(format).programRecordSize), bank))});
    ok &= Put(root / "pcg", "code" + std::to_string(code) + ".PCG", PcgFileBytes(PcgProductByte(code), pcg1));
  }
  // BMP: pictures of a few table sizes.
  PixelGrid grid;
  for (int r = 0; r < 30; ++r) grid.set(r, r * 2, 1);
  ok &= Put(root / "bmp", "a.bmp", Prefixed({35, 100}, ExportMonochromeBmp(grid, 288, 101)));
  ok &= Put(root / "bmp", "b.bmp", Prefixed({6, 21}, ExportMonochromeBmp(grid, 56, 22)));
  // Font file: a sample font.
  const SampleOsFiles orvane = BuildSampleOsFiles(WorkstationModel::Orvane);
  const auto glyphs = LoadGlyphWorkSet(orvane.ext, WorkstationModel::Orvane, FontSlot::Medium);
  ok &= glyphs.ok() && Put(root / "font_file", "medium.glx", BuildFontFile(*glyphs, WorkstationModel::Orvane, FontSlot::Medium));
  // BDF: two exported sample fonts of different heights and widths.
  const SampleOsFiles ossik = BuildSampleOsFiles(WorkstationModel::Ossik);
  for (const auto& [files, slot, name] : {std::tuple{&orvane, FontSlot::Small, "orvane-small.bdf"},
                                          std::tuple{&ossik, FontSlot::Large, "ossik-large.bdf"}}) {
    const auto font = LoadGlyphWorkSet(files->ext, files->model, slot);
    const auto bdf = font.ok() ? BuildBdfFont(*font, files->model, slot) : Result<Bytes>(font.failure());
    ok &= bdf.ok() && Put(root / "bdf", name, *bdf);
  }
  // OS set: each model's SYSINFO with exact sizes.
  for (const SampleOsFolder& folder : SampleOsFolders()) {
    const SampleOsFiles files = BuildSampleOsFiles(folder.model, folder.layout);
    const auto model = static_cast<std::uint8_t>(ModelCode(folder.model) - 1);
    ok &= Put(root / "os_set", folder.folder, Prefixed({model, 2, 2}, files.sysinfo));
  }
  // Program banks: a record's worth of sample bytes per format.
  for (int code = 1; code <= 6; ++code) {
    const Bytes records = SampleProgramRecords(code == 4 ? RecordFormat::Orvane : code == 6 ? RecordFormat::Ossik : *RecordFormatFromCode(code), 1);
    const ByteView first(records.data(), std::min<std::size_t>(records.size(), 900));
    ok &= Put(root / "program_bank", "format" + std::to_string(code), Prefixed({static_cast<std::uint8_t>(code - 1)}, first));
  }
  return ok ? 0 : 1;
}
