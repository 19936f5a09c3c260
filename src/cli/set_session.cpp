#include "cli/set_session.h"

#include <cstdio>

namespace zentavour::cli {

SetSession::SetSession(const Arguments& args, const Command& self) : keep_(args, self) {
  std::string error;
  const auto paths = ResolveSetPaths(args, error);
  if (!paths) {
    exitCode_ = UsageError(self, error);
    return;
  }
  std::optional<OsSetDocument> opened = OpenSetDocument(*paths);
  if (!opened) return;
  document_ = std::move(*opened);
  ok_ = true;
}

int SetSession::SaveAndClose(const std::string& done) {
  if (const Status saved = document_.save({WriteBackReader::Command, keep_.beforeWrite()});
      !saved) {
    PrintFailure(saved.failure());
    return kExitFailed;
  }
  keep_.PrintKept();
  document_ = OsSetDocument();
  std::printf("%s\n", done.c_str());
  return kExitOk;
}

std::optional<FontSlot> ParseSlot(const std::string& text) {
  for (const FontSlot slot : {FontSlot::Small, FontSlot::Medium, FontSlot::Bold, FontSlot::Large})
    if (text == SlotName(slot)) return slot;
  return std::nullopt;
}

std::string SlotName(FontSlot slot) {
  std::string name(FontSlotName(slot));
  for (char& c : name) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return name;
}

std::string Extension(const std::string& path) {
  const auto dot = path.find_last_of('.');
  const auto slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
  return ext;
}

}  // namespace zentavour::cli
