#include <cstdio>

#include "cli/command.h"
#include "cli/json_writer.h"
#include "cli/os_set_options.h"
#include "cli/set_session.h"
#include "core/osfiles/checksum_status.h"
#include "core/osfiles/os_image_layout.h"

namespace zentavour::cli {
namespace {

std::string Hex16(std::uint16_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%04X", value);
  return text;
}

int Models(const Arguments& args, const Command&) {
  if (args.has("json")) {
    JsonWriter json;
    json.beginObject();
    json.beginArray("models");
    for (const WorkstationModelInfo& info : WorkstationModels()) {
      json.beginObject();
      json.number("code", ModelCode(info.model));
      json.string("option", ModelOptionName(info.model));
      json.string("name", info.radioLabel);
      json.string("sysinfo", info.sysinfoName);
      json.string("ext", info.extName);
      if (info.hasSecondExt()) json.string("ext2", info.ext2Name);
      json.number("extImageSize", info.extImageSize);
      json.endObject();
    }
    json.endArray();
    json.endObject();
    std::fputs(json.str().c_str(), stdout);
    return kExitOk;
  }
  std::printf("%-14s %-16s %-12s %-27s %s\n", "OPTION", "MODEL", "SYSINFO", "EXT FILES",
              "EXT IMAGE SIZE");
  for (const WorkstationModelInfo& info : WorkstationModels()) {
    std::string ext(info.extName);
    if (info.hasSecondExt()) ext += ", " + std::string(info.ext2Name);
    std::printf("%-14s %-16s %-12s %-27s %u\n", ModelOptionName(info.model).c_str(),
                std::string(info.radioLabel).c_str(), std::string(info.sysinfoName).c_str(),
                ext.c_str(), info.extImageSize);
  }
  return kExitOk;
}

// What check found in one EXT file.
struct ExtReport {
  std::string role, path;
  std::int64_t size = 0;
  bool sizeOk = false;
  ExtChecksumStatus sums;
  bool ok() const { return sizeOk && sums.ok(); }
};

int Check(const Arguments& args, const Command& self) {
  std::string error;
  const auto paths = ResolveSetPaths(args, error);
  if (!paths) return UsageError(self, error);
  const WorkstationModelInfo& info = ModelInfo(paths->model);

  // Opened as the program opens them, so files another program holds are reported the same way.
  Result<OsSetInspection> inspected =
      InspectOsFiles(paths->model, paths->sysinfo, paths->ext, paths->ext2, TryOpenLockedFile);
  if (!inspected) {
    PrintFailure(inspected.failure());
    return kExitFailed;
  }
  const std::int64_t sysinfoSize = inspected->sysinfoSize;
  const std::uint32_t sysinfoMinimum = inspected->sysinfoMinimum;
  const std::uint8_t marker = inspected->layoutMarker;
  std::vector<ExtReport> reports;
  const std::string extPaths[] = {paths->ext, paths->ext2};
  for (std::size_t i = 0; i < inspected->extSizes.size(); ++i) {
    ExtReport report;
    report.role = i == 0 ? "ext" : "ext2";
    report.path = extPaths[i];
    report.size = inspected->extSizes[i];
    report.sizeOk = report.size == info.extImageSize;
    if (i < inspected->checksums.ext.size()) report.sums = inspected->checksums.ext[i];
    reports.push_back(report);
  }
  const bool sysinfoOk = sysinfoSize >= sysinfoMinimum;
  bool allOk = sysinfoOk;
  for (const ExtReport& r : reports) allOk = allOk && r.ok();

  if (args.has("json")) {
    JsonWriter json;
    json.beginObject();
    json.string("model", ModelOptionName(paths->model));
    json.beginObject("sysinfo");
    json.string("path", paths->sysinfo);
    json.number("size", sysinfoSize);
    json.number("minimumSize", sysinfoMinimum);
    if (paths->model == WorkstationModel::OrvaneSalone) {
      json.string("layout", marker == kSaloneLayoutIMarker ? "I" : "II");
    }
    json.boolean("sizeOk", sysinfoOk);
    json.endObject();
    json.beginArray("ext");
    for (const ExtReport& r : reports) {
      json.beginObject();
      json.string("role", r.role);
      json.string("path", r.path);
      json.number("size", r.size);
      json.number("expectedSize", info.extImageSize);
      json.boolean("sizeOk", r.sizeOk);
      const auto sum = [&](const char* key, const std::optional<std::uint16_t>& v) {
        if (v) json.number(key, *v); else json.null(key);
      };
      sum("storedChecksum", r.sums.stored);
      sum("sysinfoChecksum", r.sums.sysinfoCopy);
      sum("computedChecksum", r.sums.computed);
      json.boolean("ok", r.ok());
      json.endObject();
    }
    json.endArray();
    json.boolean("ok", allOk);
    json.endObject();
    std::fputs(json.str().c_str(), stdout);
  } else {
    const auto show = [](const std::optional<std::uint16_t>& v) { return v ? Hex16(*v) : std::string("-"); };
    std::printf("%s\n", std::string(info.radioLabel).c_str());
    std::printf("  %-8s %10s  %-18s %s\n", "SYSINFO", std::to_string(sysinfoSize).c_str(),
                ("at least " + std::to_string(sysinfoMinimum)).c_str(), sysinfoOk ? "ok" : "TOO SHORT");
    std::printf("  %-8s %10s  %-18s %-8s %-8s %-8s %s\n", "FILE", "SIZE", "EXPECTED", "STORED",
                "SYSINFO", "COMPUTED", "STATUS");
    for (const ExtReport& r : reports) {
      const std::string status = !r.sizeOk ? "WRONG SIZE" : (r.ok() ? "ok" : "DIFFERS");
      std::printf("  %-8s %10lld  %-18u %-8s %-8s %-8s %s\n", r.role == "ext" ? "EXT" : "EXT2",
                  static_cast<long long>(r.size), info.extImageSize, show(r.sums.stored).c_str(),
                  show(r.sums.sysinfoCopy).c_str(), show(r.sums.computed).c_str(), status.c_str());
    }
  }
  return allOk ? kExitOk : kExitChecksumsDiffer;
}

int Save(const Arguments& args, const Command& self) {
  SetSession session(args, self);
  if (!session.ok()) return session.exitCode();
  return session.SaveAndClose("OS files saved with renewed checksums.");
}

int GmList(const Arguments& args, const Command& self) {
  std::string error;
  const auto paths = ResolveSetPaths(args, error);
  if (!paths) return UsageError(self, error);
  int bank = 1;
  if (const auto text = args.value("bank")) {
    const auto number = ParseInt(*text, 1, 2);
    if (!number) return UsageError(self, "--bank is 1 or 2");
    bank = *number;
  }
  SetSession session(args, self);
  if (!session.ok()) return session.exitCode();
  const OsFileSet& set = session.set();
  if (bank == 2 && !set.hasGmBank2()) {
    PrintFailure({"Error", "The " + std::string(ModelInfo(paths->model).name) +
                               " OS holds only GM bank 1."});
    return kExitFailed;
  }
  const ProgramBank& programs = bank == 1 ? *set.gmBank1 : *set.gmBank2;
  if (args.has("json")) {
    JsonWriter json;
    json.beginObject();
    json.string("model", ModelOptionName(paths->model));
    json.number("bank", bank);
    json.beginArray("programs");
    for (const ProgramSlot& slot : programs) {
      json.beginObject();
      json.number("number", slot.number());
      json.string("name", slot.name());
      json.endObject();
    }
    json.endArray();
    json.endObject();
    std::fputs(json.str().c_str(), stdout);
  } else {
    for (const ProgramSlot& slot : programs) std::printf("%3d  %s\n", slot.number(), slot.name().c_str());
  }
  return kExitOk;
}

}  // namespace

std::vector<Command> OsSetCommands() {
  std::vector<Command> commands;
  {
    Command c{"models", "the four models with their file names and EXT image sizes",
              "Usage: zentavour-cli models [--json]\n\n"
              "Lists the workstation models with the option name, the file names of their OS file\n"
              "sets and the EXT image size in bytes.\n",
              {{}, {"json"}}, Models};
    commands.push_back(std::move(c));
  }
  {
    Command c{"check", "compare each file's size and checksums with what they should be",
              std::string("Usage: zentavour-cli check SET [--json]\n\n"
                          "Reports each file's size against the model's, and for each EXT file the\n"
                          "checksum stored at its offset 0, its copy in SYSINFO and the computed sum.\n"
                          "Exit status 0 when all agree, 3 when any differs.\n\nSET:\n") +
                  kSetOptionsHelp,
              {{}, {"json"}}, Check};
    AddSetOptions(c.options);
    commands.push_back(std::move(c));
  }
  {
    Command c{"save", "write the set back with renewed checksums",
              std::string("Usage: zentavour-cli save SET\n\n"
                          "Writes the OS file set back with renewed checksums, as answering Yes to\n"
                          "\"Save Changes to OS Files?\" does.\n\nSET:\n") +
                  kSetOptionsHelp,
              {}, Save};
    AddSetOptions(c.options);
    commands.push_back(std::move(c));
  }
  {
    Command c{"gm list", "the 128 program names of a GM bank",
              std::string("Usage: zentavour-cli gm list SET [--bank 1|2] [--json]\n\n"
                          "Lists the programs of GM bank 1 (default) or 2 of the OS file set.\n\nSET:\n") +
                  kSetOptionsHelp,
              {{"bank"}, {"json"}}, GmList};
    AddSetOptions(c.options);
    commands.push_back(std::move(c));
  }
  return commands;
}

}  // namespace zentavour::cli
