// `diff`: what differs between an original OS file set and a changed one, before flashing.
#include <array>
#include <cstdio>
#include <functional>

#include "cli/command.h"
#include "cli/json_writer.h"
#include "cli/os_set_options.h"
#include "cli/set_session.h"
#include "core/bitmaps/glyph_work_set.h"
#include "core/bitmaps/graphic_packing.h"
#include "core/compare/set_comparison.h"
#include "render/comparison_picture.h"
#include "render/picture_files.h"

namespace zentavour::cli {
namespace {

struct SetCopy {
  Bytes sysinfo, ext, ext2;
  OsSetBytes view(WorkstationModel model) const { return {model, sysinfo, ext, ext2}; }
};

// A's and B's options: each set option given twice, the first for A.
std::optional<std::array<Arguments, 2>> SplitSets(const Arguments& args, std::string& error) {
  std::array<Arguments, 2> sets;
  for (const std::string name : {"dir", "sysinfo", "ext", "ext2"}) {
    const auto it = args.repeated.find(name);
    if (it == args.repeated.end()) continue;
    if (it->second.size() != 2) {
      error = "give --" + name + " twice: first for the original set, then for the changed one";
      return std::nullopt;
    }
    for (std::size_t s = 0; s < 2; ++s) sets[s].values[name] = it->second[s];
  }
  if (const auto model = args.value("model"))
    for (Arguments& set : sets) set.values["model"] = *model;
  return sets;
}

// Opens the set as Load OS Files does, copies its bytes and closes it again, so that a set may
// be compared with itself.
bool CopySet(const SetPaths& paths, SetCopy& copy) {
  std::optional<OsSetDocument> document = OpenSetDocument(paths);
  if (!document) return false;
  const OsFileSet& set = document->set();
  copy.sysinfo = set.SysinfoImage;
  copy.ext = set.ExtImage;
  copy.ext2 = set.Ext2Image;
  return true;
}

std::string Hex(std::uint64_t value, int digits) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%0*llX", digits, static_cast<unsigned long long>(value));
  return text;
}

std::string CharacterLabel(int code) {
  std::string label = std::to_string(code);
  if (code > 32 && code < 127) label += std::string(" (") + static_cast<char>(code) + ")";
  return label;
}

std::string Count(std::size_t n, const std::string& one, const std::string& many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string FileName(OsFileRole file) {
  switch (file) {
    case OsFileRole::Sysinfo:
      return "sysinfo";
    case OsFileRole::Ext:
      return "ext";
    case OsFileRole::Ext2:
      return "ext2";
  }
  return "";
}

std::string Upper(std::string text) {
  for (char& c : text) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  return text;
}

// --- Text and JSON ---

void PrintChecksums(const char* which, const SetChecksumStatus& status) {
  std::printf("Checksums %s: %s\n", which, status.ok() ? "ok" : "DIFFER");
  const auto show = [](const std::optional<std::uint16_t>& v) {
    return v ? Hex(*v, 4) : std::string("-");
  };
  for (std::size_t i = 0; i < status.ext.size(); ++i) {
    const ExtChecksumStatus& e = status.ext[i];
    std::printf("  %s: stored %s, SYSINFO %s, computed %s: %s\n", i == 0 ? "EXT" : "EXT2",
                show(e.stored).c_str(), show(e.sysinfoCopy).c_str(), show(e.computed).c_str(),
                e.ok() ? "ok" : "DIFFERS");
  }
}

void PrintText(const SetComparison& report) {
  std::printf("Comparing two %s OS file sets: A the original, B the changed set.\n",
              std::string(ModelInfo(report.model).radioLabel).c_str());
  for (const FontChange& font : report.fonts) {
    std::printf(
        "Font %s: %s\n", SlotName(font.slot).c_str(),
        font.glyphs.empty()
            ? "same"
            : (Count(font.glyphs.size(), "character differs", "characters differ")).c_str());
    for (const GlyphChange& g : font.glyphs) {
      std::string what;
      if (g.widthA != g.widthB)
        what = "width " + std::to_string(g.widthA) + " -> " + std::to_string(g.widthB);
      if (g.rowsDiffer) what += what.empty() ? "rows differ" : ", rows differ";
      std::printf("  %s: %s\n", CharacterLabel(g.code).c_str(), what.c_str());
    }
  }
  for (const PictureChange& p : report.pictures) {
    const std::string what = p.differingCells == 0
                                 ? "same"
                                 : std::to_string(p.differingCells) + " of " +
                                       std::to_string(p.cells) +
                                       (p.differingCells == 1 ? " cells differs" : " cells differ");
    std::printf("Startup graphic %d \"%s\": %s\n", p.item, p.label.c_str(), what.c_str());
  }
  for (const GmBankChange& bank : report.gmBanks) {
    std::printf("GM bank %d: %s\n", bank.bank,
                bank.programs.empty()
                    ? "same"
                    : Count(bank.programs.size(), "program differs", "programs differ").c_str());
    for (const ProgramChange& p : bank.programs)
      std::printf("  %d: \"%s\" -> \"%s\"\n", p.number, p.nameA.c_str(), p.nameB.c_str());
  }
  if (report.otherRangeCount == 0) {
    std::printf("Other bytes: same\n");
  } else {
    std::printf("Other bytes: %s, %s\n", Count(report.otherRangeCount, "range", "ranges").c_str(),
                Count(report.otherBytes, "byte", "bytes").c_str());
  }
  if (report.sysinfoSizeA != report.sysinfoSizeB) {
    std::printf("  SYSINFO sizes: A %llu bytes, B %llu bytes\n",
                static_cast<unsigned long long>(report.sysinfoSizeA),
                static_cast<unsigned long long>(report.sysinfoSizeB));
  }
  for (const ByteRangeChange& r : report.otherRanges) {
    std::printf("  %s at %llu (%s), %s\n", Upper(FileName(r.file)).c_str(),
                static_cast<unsigned long long>(r.offset), Hex(r.offset, 1).c_str(),
                Count(r.length, "byte", "bytes").c_str());
  }
  if (report.otherRangeCount > report.otherRanges.size()) {
    std::printf("  ... and %zu more ranges\n", report.otherRangeCount - report.otherRanges.size());
  }
  PrintChecksums("A", report.checksumsA);
  PrintChecksums("B", report.checksumsB);
  std::printf("%s\n", report.identical ? "The sets are identical." : "The sets differ.");
}

void JsonChecksums(JsonWriter& json, std::string_view key, const SetChecksumStatus& status) {
  json.beginObject(key);
  json.boolean("ok", status.ok());
  json.beginArray("ext");
  for (std::size_t i = 0; i < status.ext.size(); ++i) {
    const ExtChecksumStatus& e = status.ext[i];
    json.beginObject();
    json.string("role", i == 0 ? "ext" : "ext2");
    const auto sum = [&](const char* name, const std::optional<std::uint16_t>& v) {
      if (v)
        json.number(name, *v);
      else
        json.null(name);
    };
    sum("storedChecksum", e.stored);
    sum("sysinfoChecksum", e.sysinfoCopy);
    sum("computedChecksum", e.computed);
    json.boolean("ok", e.ok());
    json.endObject();
  }
  json.endArray();
  json.endObject();
}

void PrintJson(const SetComparison& report) {
  JsonWriter json;
  json.beginObject();
  json.string("model", ModelOptionName(report.model));
  json.boolean("identical", report.identical);
  json.beginArray("fonts");
  for (const FontChange& font : report.fonts) {
    json.beginObject();
    json.string("slot", SlotName(font.slot));
    json.beginArray("characters");
    for (const GlyphChange& g : font.glyphs) {
      json.beginObject();
      json.number("code", g.code);
      json.number("widthA", g.widthA);
      json.number("widthB", g.widthB);
      json.boolean("rowsDiffer", g.rowsDiffer);
      json.endObject();
    }
    json.endArray();
    json.endObject();
  }
  json.endArray();
  json.beginArray("pictures");
  for (const PictureChange& p : report.pictures) {
    json.beginObject();
    json.number("item", p.item);
    json.string("label", p.label);
    json.number("differingCells", p.differingCells);
    json.number("cells", p.cells);
    json.endObject();
  }
  json.endArray();
  json.beginArray("gmBanks");
  for (const GmBankChange& bank : report.gmBanks) {
    json.beginObject();
    json.number("bank", bank.bank);
    json.beginArray("programs");
    for (const ProgramChange& p : bank.programs) {
      json.beginObject();
      json.number("number", p.number);
      json.string("nameA", p.nameA);
      json.string("nameB", p.nameB);
      json.endObject();
    }
    json.endArray();
    json.endObject();
  }
  json.endArray();
  json.beginObject("otherBytes");
  json.number("rangeCount", static_cast<std::int64_t>(report.otherRangeCount));
  json.number("bytes", static_cast<std::int64_t>(report.otherBytes));
  json.number("sysinfoSizeA", static_cast<std::int64_t>(report.sysinfoSizeA));
  json.number("sysinfoSizeB", static_cast<std::int64_t>(report.sysinfoSizeB));
  json.beginArray("ranges");
  for (const ByteRangeChange& r : report.otherRanges) {
    json.beginObject();
    json.string("file", FileName(r.file));
    json.number("offset", static_cast<std::int64_t>(r.offset));
    json.number("length", static_cast<std::int64_t>(r.length));
    json.endObject();
  }
  json.endArray();
  json.endObject();
  json.beginObject("checksums");
  JsonChecksums(json, "a", report.checksumsA);
  JsonChecksums(json, "b", report.checksumsB);
  json.endObject();
  json.endObject();
  std::fputs(json.str().c_str(), stdout);
}

int Diff(const Arguments& args, const Command& self) {
  if (!args.operands.empty()) return UsageError(self, "diff takes no file operands");
  std::string error;
  const auto sets = SplitSets(args, error);
  if (!sets) return UsageError(self, error);
  std::array<SetPaths, 2> paths;
  for (std::size_t s = 0; s < 2; ++s) {
    const auto resolved = ResolveSetPaths((*sets)[s], error);
    if (!resolved) return UsageError(self, error);
    paths[s] = *resolved;
  }
  std::array<SetCopy, 2> copies;
  for (std::size_t s = 0; s < 2; ++s) {
    if (!CopySet(paths[s], copies[s])) return kExitFailed;
  }
  const WorkstationModel model = paths[0].model;
  const auto report = CompareOsSets(copies[0].view(model), copies[1].view(model));
  if (!report) {
    PrintFailure(report.failure());
    return kExitFailed;
  }
  if (const auto png = args.value("png")) {
    const QImage picture =
        ComparisonPicture(*report, copies[0].view(model), copies[1].view(model));
    if (const Status written = WritePngFile(picture, *png); !written) {
      PrintFailure(written.failure());
      return kExitFailed;
    }
  }
  if (args.has("json")) {
    PrintJson(*report);
  } else {
    PrintText(*report);
  }
  return report->identical ? kExitOk : kExitChecksumsDiffer;
}

}  // namespace

std::vector<Command> CompareCommands() {
  Command diff{
      "diff",
      "compare an original OS file set with a changed one",
      std::string(
          "Usage: zentavour-cli diff --model M --dir A --dir B [--json] [--png OUT.png]\n"
          "       zentavour-cli diff --model M --sysinfo A --ext A [--ext2 A]\n"
          "                                    --sysinfo B --ext B [--ext2 B] [--json] [--png "
          "OUT]\n\n"
          "Lists what differs between set A (the original) and set B (the changed set): for\n"
          "each font the characters whose glyph or width differ, for each startup graphic\n"
          "whether it differs and in how many cells, for each GM bank the programs whose\n"
          "records differ with both names, any other differing bytes as offsets, and each\n"
          "set's checksums as check reports them. --png writes a picture of the differing\n"
          "glyphs and startup graphics, A left and B right (red: ink only in B, pink: ink\n"
          "only in A). Exit status 0 when the sets are identical, 3 when they differ.\n\n"
          "SET options, each given twice: first for A, then for B:\n") +
          kSetOptionsHelp,
      {{"png"}, {"json"}, {"dir", "sysinfo", "ext", "ext2"}},
      Diff};
  AddSetOptions(diff.options);
  return {diff};
}

}  // namespace zentavour::cli
