#include "core/osfiles/os_set_finder.h"

namespace zentavour {
namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) {
      return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The exact name if it is there, else the first of any letter case.
std::string Find(std::span<const std::string> names, std::string_view wanted) {
  if (wanted.empty()) return {};
  std::string found;
  for (const std::string& name : names) {
    if (name == wanted) return name;
    if (found.empty() && SameLetters(name, wanted)) found = name;
  }
  return found;
}

FoundOsSet FindFor(std::span<const std::string> names, const WorkstationModelInfo& info) {
  return FoundOsSet{info.model, Find(names, info.sysinfoName), Find(names, info.extName),
                    Find(names, info.ext2Name)};
}

int Count(const FoundOsSet& set) {
  return !set.sysinfoName.empty() + !set.extName.empty() + !set.ext2Name.empty();
}

}  // namespace

std::optional<FoundOsSet> FindOsSet(std::span<const std::string> names, std::string_view oneFile) {
  std::optional<FoundOsSet> best;
  for (const WorkstationModelInfo& info : WorkstationModels()) {
    if (!oneFile.empty()) {
      if (SameLetters(oneFile, info.sysinfoName) || SameLetters(oneFile, info.extName) ||
          SameLetters(oneFile, info.ext2Name)) {
        return FindFor(names, info);
      }
      continue;
    }
    FoundOsSet found = FindFor(names, info);
    if (Count(found) > 0 && (!best || Count(found) > Count(*best))) best = std::move(found);
  }
  return best;
}

}  // namespace zentavour
