#include "core/programs/program_pack.h"

#include <algorithm>
#include <array>

namespace zentavour {
namespace {

// Where the widened model block takes its bytes from in the slot's 284-byte model block area.
constexpr std::size_t kWidenFirstPart = 178;  // slot 207-384
constexpr std::size_t kWidenSecondPart = 98;  // slot 385-482, after two zero bytes
constexpr std::array<std::uint8_t, 6> kWidenedModelBlockEnd{0x00, 0x00, 0x00, 0x00, 0x80, 0x00};

enum class ModelBlockForm { Short, Long, Widened };

std::size_t PackBank(std::span<std::uint8_t> dest, const RecordFormatInfo& info,
                     ModelBlockForm form, const ProgramBank& bank, std::size_t start) {
  const std::size_t recordSize = info.programRecordSize;
  if (start > dest.size() || dest.size() - start < 128 * recordSize) return start;
  std::size_t at = start;
  for (const ProgramSlot& program : bank) {
    const auto& slot = program.bytes;
    const auto copy = [&](std::size_t from, std::size_t size) {
      std::copy_n(slot.begin() + static_cast<std::ptrdiff_t>(from), size,
                  dest.begin() + static_cast<std::ptrdiff_t>(at));
      at += size;
    };
    const auto zeros = [&](std::size_t size) {
      std::fill_n(dest.begin() + static_cast<std::ptrdiff_t>(at), size, std::uint8_t{0});
      at += size;
    };
    copy(ProgramSlot::kNameOffset, ProgramSlot::kNameSize);
    copy(ProgramSlot::kParameterGroupsOffset, 24 * static_cast<std::size_t>(info.parameterGroups));
    copy(ProgramSlot::kFixedBlock1Offset, 16);
    copy(ProgramSlot::kFixedBlock2Offset, 4);
    copy(ProgramSlot::kFixedBlock3Offset, 16);
    copy(ProgramSlot::kFixedBlock4Offset, 20);
    switch (form) {
      case ModelBlockForm::Short:
        copy(ProgramSlot::kShortModelBlockOffset, info.modelBlockSize);
        break;
      case ModelBlockForm::Long:
        copy(ProgramSlot::kLongModelBlockOffset, info.modelBlockSize);
        break;
      case ModelBlockForm::Widened:
        copy(ProgramSlot::kLongModelBlockOffset, kWidenFirstPart);
        zeros(2);
        copy(ProgramSlot::kLongModelBlockOffset + kWidenFirstPart, kWidenSecondPart);
        std::copy(kWidenedModelBlockEnd.begin(), kWidenedModelBlockEnd.end(),
                  dest.begin() + static_cast<std::ptrdiff_t>(at));
        at += kWidenedModelBlockEnd.size();
        break;
    }
    copy(ProgramSlot::kCommonBlockOffset, ProgramSlot::kCommonBlockSize);
    copy(ProgramSlot::kOscillator1Offset, ProgramSlot::kOscillatorBlockSize);
    copy(ProgramSlot::kOscillator2Offset, ProgramSlot::kOscillatorBlockSize);
    zeros(2);  // tail
  }
  return at;
}

}  // namespace

std::optional<RecordFormat> PackedGmFormat(int pcgModelCode) {
  switch (pcgModelCode) {
    case 1:
      return RecordFormat::Orvane;
    case 2:
      return RecordFormat::OrvaneMi;
    case 3:
    case 5:
      return RecordFormat::OssikOs;
    default:
      return std::nullopt;
  }
}

std::size_t PackProgramBank(std::span<std::uint8_t> dest, int pcgModelCode, const ProgramBank& bank,
                            std::size_t start) {
  const std::optional<RecordFormat> format = PackedGmFormat(pcgModelCode);
  if (!format) return start;
  const ModelBlockForm form =
      *format == RecordFormat::OssikOs ? ModelBlockForm::Widened : ModelBlockForm::Short;
  return PackBank(dest, RecordFormatTable(*format), form, bank, start);
}

std::size_t PackProgramBankAs(std::span<std::uint8_t> dest, RecordFormat format,
                              const ProgramBank& bank, std::size_t start) {
  const RecordFormatInfo& info = RecordFormatTable(format);
  const ModelBlockForm form =
      info.modelBlockSize > 12 ? ModelBlockForm::Long : ModelBlockForm::Short;
  return PackBank(dest, info, form, bank, start);
}

}  // namespace zentavour
