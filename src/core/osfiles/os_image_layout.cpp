#include "core/osfiles/os_image_layout.h"

#include <array>

namespace zentavour {

std::string_view FontSlotName(FontSlot slot) {
  static constexpr std::string_view kNames[] = {"Small", "Medium", "Bold", "Large"};
  return kNames[static_cast<int>(slot) & 3];
}

std::optional<FontSlotEntry> FontSlotTable(WorkstationModel model, FontSlot slot) {
  using Row = std::array<std::optional<FontSlotEntry>, 4>;  // small, medium, bold, large
  static const Row orvane{FontSlotEntry{8, 9, 119791}, FontSlotEntry{10, 21, 120775},
                          FontSlotEntry{14, 25, 131083}, FontSlotEntry{19, 58, 125540}};
  static const Row ossik{FontSlotEntry{6, 7, 75357}, FontSlotEntry{7, 8, 76254},
                         FontSlotEntry{8, 9, 77323}, FontSlotEntry{12, 25, 78423}};
  static const Row salone{FontSlotEntry{8, 9, 311235}, FontSlotEntry{10, 21, 312263},
                          std::nullopt, std::nullopt};
  const auto index = static_cast<std::size_t>(slot);
  if (index >= 4) return std::nullopt;
  switch (model) {
    case WorkstationModel::Orvane: return orvane[index];
    case WorkstationModel::Ossik: return ossik[index];
    case WorkstationModel::OrvaneSalone: return salone[index];
    default: return std::nullopt;
  }
}

std::span<const StartupGraphicEntry> StartupGraphicTable(WorkstationModel model) {
  static const std::array<StartupGraphicEntry, 5> orvane{{
      {"ORVANE", 142978, 36, 49},
      {"ORVANE max", 144742, 36, 38},
      {"ORVANE maxi", 146110, 36, 32},
      {"MUSIC WORKSTATION / SAMPLER", 147262, 36, 15},
      {"VESK", 147840, 11, 28},
  }};
  static const std::array<StartupGraphicEntry, 4> orvaneMi{{
      {"ORVANE", 1820090, 12, 16},
      {"MI", 1820282, 5, 23},
      {"MUSIC WORKSTATION", 1820397, 17, 7},
      {"VESK", 1820516, 7, 19},
  }};
  static const std::array<StartupGraphicEntry, 5> ossik{{
      {"OSSIK", 203594, 24, 22},
      {"MUSIC", 204122, 7, 6},
      {"WORK", 204164, 7, 6},
      {"STATION", 204206, 9, 6},
      {"VESK", 204260, 7, 19},
  }};
  static const std::array<StartupGraphicEntry, 5> salone{{
      {"ORVANE SALONE MUSIC WORKSTATION/SAMPLER", 336306, 36, 101},
      {"VESK", 339958, 11, 28},
      {" ", 0, 0, 0},
      {" ", 0, 0, 0},
      {" ", 0, 0, 0},
  }};
  switch (model) {
    case WorkstationModel::Orvane: return orvane;
    case WorkstationModel::OrvaneMi: return orvaneMi;
    case WorkstationModel::Ossik: return ossik;
    case WorkstationModel::OrvaneSalone: return salone;
    default: return {};
  }
}

const GmBankOffsetEntry& GmBankOffsetTable(WorkstationModel model) {
  static const std::array<GmBankOffsetEntry, 4> table{{
      {786442, 855562, RecordFormat::Orvane},
      {2762478, std::nullopt, RecordFormat::OrvaneMi},
      {929538, 1033474, RecordFormat::OssikOs},
      {1127918, 1197038, RecordFormat::OrvaneSaloneOs},
  }};
  return table[static_cast<std::size_t>(ModelCode(model) - 1)];
}

std::uint32_t ExtChecksumOffsetTable(WorkstationModel model) {
  switch (model) {
    case WorkstationModel::Orvane: return 94;
    case WorkstationModel::OrvaneMi: return 36;
    case WorkstationModel::Ossik: return 84;
    default: return 0;
  }
}

SysinfoChecksumOffsets SysinfoChecksumOffsetsFor(WorkstationModel model,
                                                 std::uint8_t sysinfoMarker) {
  if (model != WorkstationModel::OrvaneSalone) return {ExtChecksumOffsetTable(model), {}};
  if (sysinfoMarker == kSaloneLayoutIMarker) return {180, 204};
  return {84, 108};
}

std::uint8_t SysinfoLayoutMarker(WorkstationModel model, ByteView sysinfo) {
  if (model != WorkstationModel::OrvaneSalone || sysinfo.size() <= kSaloneLayoutMarkerOffset) {
    return 0;
  }
  return sysinfo[kSaloneLayoutMarkerOffset];
}

std::uint32_t MinimumSysinfoSize(WorkstationModel model, std::uint8_t sysinfoMarker) {
  const SysinfoChecksumOffsets offsets = SysinfoChecksumOffsetsFor(model, sysinfoMarker);
  std::uint32_t end = offsets.ext + 2;
  if (offsets.ext2) end = std::max(end, *offsets.ext2 + 2);
  if (model == WorkstationModel::OrvaneSalone) end = std::max(end, kSaloneLayoutMarkerOffset + 1);
  return end;
}

std::uint16_t ExtChecksum(ByteView image) {
  std::uint32_t sum = 0;
  for (std::size_t i = 2; i < image.size(); ++i) sum += image[i];
  return static_cast<std::uint16_t>(sum & 0xFFFF);
}

}  // namespace zentavour
