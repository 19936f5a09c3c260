// PCG file commands: list the banks, show a program, transfer a bank into a GM bank.
#include <cstdio>

#include "cli/json_writer.h"
#include "cli/set_session.h"
#include "core/pcg/gm_transfer.h"
#include "core/pcg/pcg_index.h"
#include "core/pcg/program_edit_fields.h"
#include "core/pcg/program_tables.h"

namespace zentavour::cli {
namespace {

std::optional<int> ParseBankLetter(const std::string& text) {
  if (text.size() != 1) return std::nullopt;
  const char c = static_cast<char>(text[0] & ~0x20);
  if (c < 'A' || c > 'E') return std::nullopt;
  return c - 'A';
}

std::string BankLetter(int bank) { return std::string(1, static_cast<char>('A' + bank)); }

std::optional<PcgIndex> OpenPcg(const std::string& path) {
  auto index = OpenPcgFile(path, TryOpenLockedFile);
  if (!index) {
    PrintFailure(index.failure());
    return std::nullopt;
  }
  // What a damaged file left out goes to stderr, as the window shows it.
  for (const Failure& warning : PcgDamageWarnings(*index)) PrintFailure(warning);
  return std::move(*index);
}

int PcgList(const Arguments& args, const Command& self) {
  if (args.operands.size() != 1) return UsageError(self, "name one PCG file");
  auto index = OpenPcg(args.operands[0]);
  if (!index) return kExitFailed;
  const bool json = args.has("json");
  JsonWriter out;
  if (json) {
    out.beginObject();
    out.string("path", args.operands[0]);
    out.number("pcgModelCode", index->modelCode);
  } else {
    std::printf("PCG model code %d\n", index->modelCode);
  }
  const auto listBanks = [&](const char* kind, const std::array<bool, kPcgBanksPerKind>& loaded,
                             bool programs) {
    if (json) out.beginArray(kind);
    for (int b = 0; b < static_cast<int>(kPcgBanksPerKind); ++b) {
      if (!loaded[static_cast<std::size_t>(b)]) continue;
      if (json) {
        out.beginObject();
        out.string("bank", BankLetter(b));
        out.beginArray(programs ? "programs" : "combinations");
      } else {
        std::printf("\n%s bank %s\n", programs ? "Program" : "Combination", BankLetter(b).c_str());
      }
      for (int n = 0; n < 128; ++n) {
        std::string name, category;
        if (programs) {
          const ProgramSlot& slot = (*index->programs)[static_cast<std::size_t>(b)][static_cast<std::size_t>(n)];
          name = slot.name();
          category = std::string(ProgramCategoryName(slot));
        } else {
          name = (*index->combinations)[static_cast<std::size_t>(b)][static_cast<std::size_t>(n)].name();
        }
        if (json) {
          out.beginObject();
          out.number("number", n);
          out.string("name", name);
          if (programs) out.string("category", category);
          out.endObject();
        } else if (programs) {
          std::printf("  %3d  %-16s  %s\n", n, name.c_str(), category.c_str());
        } else {
          std::printf("  %3d  %s\n", n, name.c_str());
        }
      }
      if (json) {
        out.endArray();
        out.endObject();
      }
    }
    if (json) out.endArray();
  };
  listBanks("programBanks", index->programBankLoaded, true);
  listBanks("combinationBanks", index->combinationBankLoaded, false);
  if (json) {
    out.endObject();
    std::fputs(out.str().c_str(), stdout);
  }
  return kExitOk;
}

// The labelled fields of Program Edit, in the dialog's order.
std::vector<std::pair<std::string, std::string>> ProgramFields(const ProgramEditFields& f) {
  const auto from = [](std::span<const std::string_view> table, const std::optional<int>& i) {
    return i ? std::string(TableName(table, *i)) : std::string();
  };
  const auto yes = [](bool b) { return std::string(b ? "on" : "off"); };
  namespace label = program_edit_label;
  const auto str = [](std::string_view text) { return std::string(text); };
  std::vector<std::pair<std::string, std::string>> fields{
      {"Name", f.name},
      {str(label::kOscillatorMode), str(OscillatorModeName(f.oscillatorMode))},
      {str(label::kVoiceAssignMode), str(f.monophonic ? label::kMonophonic : label::kPolyphonic)},
      {str(label::kLegato), yes(f.legato)},
      {str(label::kPriority), from(PriorityNames(), f.priority)},
      {str(label::kSingleTrigger), yes(f.singleTrigger)},
      {str(label::kHold), yes(f.hold)},
      {"Scale Type", from(ScaleNames(), f.scaleType)},
      {"Scale Key", from(KeyNames(), f.scaleKey)},
      {"Scale Random", std::to_string(f.scaleRandom)},
  };
  const auto names = MultisampleNames();
  for (int o = 0; o < 2; ++o) {
    const OscillatorFields& osc = f.oscillators[static_cast<std::size_t>(o)];
    const std::string group = "OSC " + std::to_string(o + 1) + " ";
    for (const auto& [row, ms] : {std::pair{"High", &osc.high}, std::pair{"Low", &osc.low}}) {
      const std::string p = group + row + " ";
      fields.emplace_back(p + "Memory", from(MemoryNames(), ms->memory));
      fields.emplace_back(p + "Multisample",
                          ms->listIndex ? names[static_cast<std::size_t>(*ms->listIndex)] : std::string());
      fields.emplace_back(p + str(label::kStartOffset), yes(ms->startOffset));
      fields.emplace_back(p + str(label::kReverse), yes(ms->reverse));
      fields.emplace_back(p + str(label::kLevel), std::to_string(ms->level));
    }
    if (o == 0) {
      fields.emplace_back("OSC 1 Octave", std::to_string(osc.octave));
      fields.emplace_back("OSC 1 Transpose", std::to_string(osc.transpose));
      fields.emplace_back("OSC 1 Tune", std::to_string(osc.tune));
      fields.emplace_back("OSC 1 Delay", std::to_string(osc.delay));
    }
  }
  for (int o = 0; o < 2; ++o) {
    const OscillatorFields& osc = f.oscillators[static_cast<std::size_t>(o)];
    fields.emplace_back("OSC" + std::to_string(o + 1) + " Top", std::to_string(osc.velocityTop));
    fields.emplace_back("OSC" + std::to_string(o + 1) + " Bottom", std::to_string(osc.velocityBottom));
  }
  for (int s = 0; s < 2; ++s) {
    const SwitchFields& sw = f.switches[static_cast<std::size_t>(s)];
    const std::string p = "SW" + std::to_string(s + 1) + " ";
    fields.emplace_back(p + "Mode", std::string(TableName(SwitchModeNames(), sw.momentary ? 1 : 0)));
    fields.emplace_back(p + str(label::kDefaultOn), yes(sw.defaultOn));
  }
  return fields;
}

int PcgShow(const Arguments& args, const Command& self) {
  if (args.operands.size() != 1) return UsageError(self, "name one PCG file");
  const auto bank = ParseBankLetter(args.value("bank").value_or(""));
  const auto program = ParseInt(args.value("program").value_or(""), 0, 127);
  if (!bank || !program) return UsageError(self, "--bank A to E and --program 0 to 127 are needed");
  auto index = OpenPcg(args.operands[0]);
  if (!index) return kExitFailed;
  if (!index->programBankLoaded[static_cast<std::size_t>(*bank)]) {
    PrintFailure({"Error", "This PCG file has no program bank " + BankLetter(*bank) + "."});
    return kExitFailed;
  }
  const auto slot = ProgramForEdit(*index, *bank, *program);
  if (!slot) return kExitFailed;
  const auto fields = ProgramFields(DecodeProgramEditFields(*slot));
  if (args.has("json")) {
    JsonWriter out;
    out.beginObject();
    out.string("bank", BankLetter(*bank));
    out.number("program", *program);
    out.beginObject("fields");
    for (const auto& [label, value] : fields) out.string(label, value);
    out.endObject();
    out.endObject();
    std::fputs(out.str().c_str(), stdout);
  } else {
    for (const auto& [label, value] : fields) std::printf("%-24s %s\n", (label + ":").c_str(), value.c_str());
  }
  return kExitOk;
}

int GmTransfer(const Arguments& args, const Command& self) {
  const auto pcgPath = args.value("pcg");
  const auto bank = ParseBankLetter(args.value("bank").value_or(""));
  const auto to = ParseInt(args.value("to").value_or(""), 1, 2);
  if (!pcgPath || !bank || !to) return UsageError(self, "--pcg FILE, --bank A to E and --to 1 or 2 are needed");
  SetSession session(args, self);
  if (!session.ok()) return session.exitCode();
  auto index = OpenPcg(*pcgPath);
  if (!index) return kExitFailed;
  if (!CanTransferProgramBank(*index, session.model())) {
    PrintFailure({"Error", std::string(index->hasPrograms ? kTransferDoesNotFitText
                                                          : kNoProgramBanksToTransferText)});
    return kExitFailed;
  }
  std::optional<int> slot;
  for (const TransferSourceEntry& entry : TransferSourceEntries(*index)) {
    if (entry.label == BankLetter(*bank)) slot = entry.slot;
  }
  if (!slot) {
    PrintFailure({"Error", "This PCG file has no program bank " + BankLetter(*bank) + " to transfer."});
    return kExitFailed;
  }
  if (const Status moved = session.apply(GmTransferEditName(BankLetter(*bank), *to), [&](OsFileSet& open) { return TransferProgramBankToGm(open, *index, *slot, *to); }); !moved) {
    PrintFailure(moved.failure());
    return kExitFailed;
  }
  return session.SaveAndClose("Transferred program bank " + BankLetter(*bank) + " into GM bank " +
                              std::to_string(*to) + " and saved the OS files.");
}

}  // namespace

std::vector<Command> PcgCommands() {
  const std::string set = std::string("\nSET:\n") + kSetOptionsHelp;
  std::vector<Command> commands{
      {"pcg list", "model code, banks and names of a PCG file",
       "Usage: zentavour-cli pcg list FILE [--json]\n\n"
       "Prints the PCG model code, the program and combination banks present, and per bank the\n"
       "128 numbers and names (with categories for programs).\n",
       {{}, {"json"}}, PcgList},
      {"pcg show", "every field Program Edit shows for one program",
       "Usage: zentavour-cli pcg show FILE --bank A..E --program N [--json]\n\n"
       "Prints every field of program N (0 to 127) of program bank A to E, by its label.\n",
       {{"bank", "program"}, {"json"}}, PcgShow},
      {"gm transfer", "copy a program bank of a PCG file into a GM bank and save",
       "Usage: zentavour-cli gm transfer SET --pcg FILE --bank A..E --to 1|2\n\n"
       "Replaces GM bank 1 or 2 of the OS file set with program bank A to E of the PCG file,\n"
       "as Transfer does, then saves the OS files with renewed checksums.\n" + set,
       {{"pcg", "bank", "to"}, {}}, GmTransfer},
  };
  AddSetOptions(commands.back().options);
  return commands;
}

}  // namespace zentavour::cli
