#include "cli/os_set_options.h"

#include <cstdio>
#include <filesystem>

namespace zentavour::cli {
namespace {

bool SameNameIgnoringCase(const std::string& a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The file of that name in dir: the exact name if it is there, else any letter case of it.
std::string FindInDir(const std::string& dirUtf8, std::string_view name) {
  const std::filesystem::path dir = PathFromUtf8(dirUtf8);
  const std::filesystem::path exact = dir / PathFromUtf8(name);
  std::error_code error;
  if (std::filesystem::exists(exact, error)) return Utf8FromPath(exact);
  for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
    if (SameNameIgnoringCase(Utf8FromPath(entry.path().filename()), name)) {
      return Utf8FromPath(entry.path());
    }
  }
  return Utf8FromPath(exact);  // opening it will report it missing
}

}  // namespace

void AddSetOptions(KnownOptions& options) {
  options.withValue.insert({"model", "dir", "sysinfo", "ext", "ext2"});
}

std::string ModelOptionName(WorkstationModel model) {
  switch (model) {
    case WorkstationModel::Orvane: return "orvane";
    case WorkstationModel::OrvaneMi: return "orvane-mi";
    case WorkstationModel::Ossik: return "ossik";
    case WorkstationModel::OrvaneSalone: return "orvane-salone";
    default: return "";
  }
}

std::optional<WorkstationModel> ModelFromOptionName(const std::string& name) {
  for (const WorkstationModelInfo& info : WorkstationModels()) {
    if (ModelOptionName(info.model) == name) return info.model;
  }
  return std::nullopt;
}

std::optional<SetPaths> ResolveSetPaths(const Arguments& args, std::string& error) {
  const auto modelName = args.value("model");
  if (!modelName) {
    error = "--model is required";
    return std::nullopt;
  }
  const auto model = ModelFromOptionName(*modelName);
  if (!model) {
    error = "unknown model '" + *modelName + "' (orvane, orvane-mi, ossik or orvane-salone)";
    return std::nullopt;
  }
  const WorkstationModelInfo& info = ModelInfo(*model);
  SetPaths paths;
  paths.model = *model;
  if (const auto dir = args.value("dir")) {
    if (args.has("sysinfo") || args.has("ext") || args.has("ext2")) {
      error = "give either --dir or --sysinfo/--ext, not both";
      return std::nullopt;
    }
    paths.sysinfo = FindInDir(*dir, info.sysinfoName);
    paths.ext = FindInDir(*dir, info.extName);
    if (info.hasSecondExt()) paths.ext2 = FindInDir(*dir, info.ext2Name);
    return paths;
  }
  const auto sysinfo = args.value("sysinfo");
  const auto ext = args.value("ext");
  const auto ext2 = args.value("ext2");
  if (!sysinfo || !ext) {
    error = "name the set with --dir DIR, or with --sysinfo FILE and --ext FILE";
    return std::nullopt;
  }
  if (info.hasSecondExt() != ext2.has_value()) {
    error = info.hasSecondExt() ? "the Orvane Salone needs --ext2 FILE as well"
                                : "--ext2 is only for the Orvane Salone";
    return std::nullopt;
  }
  paths.sysinfo = *sysinfo;
  paths.ext = *ext;
  if (ext2) paths.ext2 = *ext2;
  return paths;
}

void PrintFailure(const Failure& failure) {
  std::fprintf(stderr, "%s: %s\n", failure.caption.c_str(), failure.text.c_str());
  if (!failure.detail.empty()) std::fprintf(stderr, "%s\n", failure.detail.c_str());
}

std::optional<OsSetDocument> OpenSetDocument(const SetPaths& paths) {
  LoadOkOutcome outcome =
      LoadOsFiles(paths.model, paths.sysinfo, paths.ext, paths.ext2, TryOpenLockedFile);
  for (const Failure& failure : outcome.messages) PrintFailure(failure);
  if (!outcome.set) return std::nullopt;
  return OsSetDocument(std::move(*outcome.set));
}

}  // namespace zentavour::cli
