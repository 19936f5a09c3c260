#include "core/compare/set_comparison.h"

#include <algorithm>
#include <array>
#include <bit>
#include <memory>

#include "core/osfiles/gm_bank_reader.h"

namespace zentavour {
namespace {

// Marks the bytes that belong to a known table, so they are not reported again as other bytes.
class Coverage {
 public:
  explicit Coverage(std::array<std::size_t, 3> sizes) {
    for (std::size_t f = 0; f < 3; ++f) masks_[f].assign(sizes[f], 0);
  }
  void Mark(OsFileRole file, std::uint64_t offset, std::uint64_t length) {
    auto& mask = masks_[static_cast<std::size_t>(file)];
    for (std::uint64_t i = offset; i < offset + length && i < mask.size(); ++i) mask[i] = 1;
  }
  bool Covered(OsFileRole file, std::uint64_t at) const {
    const auto& mask = masks_[static_cast<std::size_t>(file)];
    return at < mask.size() && mask[at];
  }

 private:
  std::array<std::vector<std::uint8_t>, 3> masks_;
};

ByteView FileOf(const OsSetBytes& set, OsFileRole file) {
  switch (file) {
    case OsFileRole::Sysinfo:
      return set.sysinfo;
    case OsFileRole::Ext:
      return set.ext;
    case OsFileRole::Ext2:
      return set.ext2;
  }
  return {};
}

// A GM bank's bytes run on from the first EXT image into the second after its checksum header.
struct SeamPlace {
  OsFileRole file;
  std::size_t at;
};
SeamPlace AcrossSeam(std::size_t extSize, std::size_t offset) {
  if (offset < extSize) return {OsFileRole::Ext, offset};
  return {OsFileRole::Ext2, 2 + offset - extSize};
}

void CompareFonts(const OsSetBytes& a, const OsSetBytes& b, Coverage& coverage,
                  SetComparison& report) {
  for (int s = 0; s < 4; ++s) {
    const auto slot = static_cast<FontSlot>(s);
    const auto entry = FontSlotTable(a.model, slot);
    if (!entry) continue;
    coverage.Mark(OsFileRole::Ext, entry->offset, entry->tableSize());
    FontChange font{slot, {}};
    const auto stride = static_cast<std::size_t>(entry->bytesPerGlyph);
    for (std::size_t k = 0; k < 95; ++k) {
      const auto glyphA = a.ext.subspan(entry->offset + k * stride, stride);
      const auto glyphB = b.ext.subspan(entry->offset + k * stride, stride);
      if (std::equal(glyphA.begin(), glyphA.end(), glyphB.begin())) continue;
      font.glyphs.push_back({33 + static_cast<int>(k), glyphA[0], glyphB[0],
                             !std::equal(glyphA.begin() + 1, glyphA.end(), glyphB.begin() + 1)});
    }
    report.fonts.push_back(std::move(font));
  }
}

void ComparePictures(const OsSetBytes& a, const OsSetBytes& b, Coverage& coverage,
                     SetComparison& report) {
  const auto items = StartupGraphicTable(a.model);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const StartupGraphicEntry& item = items[i];
    if (!item.used()) continue;
    coverage.Mark(OsFileRole::Ext, item.offset, item.size());
    PictureChange picture{static_cast<int>(i), std::string(item.label), 0,
                          static_cast<int>(item.size() * 8)};
    for (std::size_t at = item.offset; at < item.offset + item.size(); ++at)
      picture.differingCells += std::popcount(static_cast<unsigned>(a.ext[at] ^ b.ext[at]));
    report.pictures.push_back(std::move(picture));
  }
}

void CompareGmBanks(const OsSetBytes& a, const OsSetBytes& b, Coverage& coverage,
                    SetComparison& report) {
  const GmBankOffsetEntry& gm = GmBankOffsetTable(a.model);
  const std::size_t recordSize = RecordFormatTable(gm.format).programRecordSize;
  for (int bank = 1; bank <= 2; ++bank) {
    const std::optional<std::uint32_t> offset = bank == 1 ? gm.bank1Offset : gm.bank2Offset;
    if (!offset) continue;
    GmBankChange change{bank, {}};
    std::vector<int> differing;
    for (int n = 0; n < 128; ++n) {
      bool same = true;
      for (std::size_t i = 0; i < recordSize; ++i) {
        const SeamPlace place = AcrossSeam(a.ext.size(), *offset + n * recordSize + i);
        coverage.Mark(place.file, place.at, 1);
        const ByteView fileA = FileOf(a, place.file), fileB = FileOf(b, place.file);
        same = same && place.at < fileA.size() && place.at < fileB.size() &&
               fileA[place.at] == fileB[place.at];
      }
      if (!same) differing.push_back(n);
    }
    if (!differing.empty()) {
      auto programsA = std::make_unique<ProgramBank>();
      auto programsB = std::make_unique<ProgramBank>();
      const bool read = ReadProgramBank(a.ext, a.ext2, *offset, *programsA, gm.format) &&
                        ReadProgramBank(b.ext, b.ext2, *offset, *programsB, gm.format);
      const auto nameOf = [&](const ProgramBank& programs, int n) {
        std::string name = read ? programs[static_cast<std::size_t>(n)].name() : "";
        while (!name.empty() && name.back() == ' ') name.pop_back();
        return name;
      };
      for (const int n : differing)
        change.programs.push_back({n, nameOf(*programsA, n), nameOf(*programsB, n)});
    }
    report.gmBanks.push_back(std::move(change));
  }
}

void MarkChecksums(const OsSetBytes& set, Coverage& coverage) {
  coverage.Mark(OsFileRole::Ext, 0, 2);
  coverage.Mark(OsFileRole::Ext2, 0, 2);
  const SysinfoChecksumOffsets copies =
      SysinfoChecksumOffsetsFor(set.model, SysinfoLayoutMarker(set.model, set.sysinfo));
  coverage.Mark(OsFileRole::Sysinfo, copies.ext, 2);
  if (copies.ext2) coverage.Mark(OsFileRole::Sysinfo, *copies.ext2, 2);
}

void CompareOtherBytes(const OsSetBytes& a, const OsSetBytes& b, const Coverage& coverage,
                       SetComparison& report) {
  for (const OsFileRole file : {OsFileRole::Sysinfo, OsFileRole::Ext, OsFileRole::Ext2}) {
    const ByteView fileA = FileOf(a, file), fileB = FileOf(b, file);
    const std::size_t common = std::min(fileA.size(), fileB.size());
    const std::size_t longest = std::max(fileA.size(), fileB.size());
    std::optional<ByteRangeChange> open;
    const auto close = [&] {
      if (!open) return;
      if (report.otherRanges.size() < kMaxListedRanges) report.otherRanges.push_back(*open);
      ++report.otherRangeCount;
      open.reset();
    };
    for (std::size_t at = 0; at < longest; ++at) {
      const bool differs = at >= common || fileA[at] != fileB[at];
      if (!differs || coverage.Covered(file, at)) {
        close();
        continue;
      }
      ++report.otherBytes;
      if (!open) open = ByteRangeChange{file, at, 0};
      ++open->length;
    }
    close();
  }
}

bool SameBytes(ByteView a, ByteView b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

}  // namespace

Result<SetComparison> CompareOsSets(const OsSetBytes& a, const OsSetBytes& b) {
  if (a.model != b.model || a.model == WorkstationModel::None) {
    return Failure{"Error", "Only two OS file sets of the same model can be compared."};
  }
  const WorkstationModelInfo& info = ModelInfo(a.model);
  const std::size_t ext2Size = info.hasSecondExt() ? info.extImageSize : 0;
  for (const OsSetBytes* set : {&a, &b}) {
    if (set->ext.size() != info.extImageSize || set->ext2.size() != ext2Size) {
      return Failure{"Error", "An EXT file of the sets to compare is not of the model's size."};
    }
  }
  SetComparison report;
  report.model = a.model;
  report.sysinfoSizeA = a.sysinfo.size();
  report.sysinfoSizeB = b.sysinfo.size();
  Coverage coverage({std::max(a.sysinfo.size(), b.sysinfo.size()), a.ext.size(), a.ext2.size()});
  CompareFonts(a, b, coverage, report);
  ComparePictures(a, b, coverage, report);
  CompareGmBanks(a, b, coverage, report);
  MarkChecksums(a, coverage);
  MarkChecksums(b, coverage);
  CompareOtherBytes(a, b, coverage, report);
  report.checksumsA = ChecksumStatusOf(a.model, a.sysinfo, a.ext, a.ext2);
  report.checksumsB = ChecksumStatusOf(b.model, b.sysinfo, b.ext, b.ext2);
  report.identical =
      SameBytes(a.sysinfo, b.sysinfo) && SameBytes(a.ext, b.ext) && SameBytes(a.ext2, b.ext2);
  return report;
}

}  // namespace zentavour
