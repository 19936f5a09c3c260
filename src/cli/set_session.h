#pragma once

#include <functional>
#include <optional>
#include <string>

#include "cli/command.h"
#include "cli/keep_originals_option.h"
#include "cli/os_set_options.h"
#include "core/osfiles/os_file_set.h"
#include "core/osfiles/os_image_layout.h"
#include "core/osfiles/os_set_document.h"

namespace zentavour::cli {

// A command's OS file set, opened and locked for the length of the command.
class SetSession {
 public:
  // Resolves and opens the set. On failure exitCode() says how the command ends.
  SetSession(const Arguments& args, const Command& self);

  bool ok() const { return ok_; }
  int exitCode() const { return exitCode_; }
  const OsFileSet& set() const { return document_.set(); }
  WorkstationModel model() const { return document_.model(); }

  // Applies a named edit to the set, as the windows do.
  [[nodiscard]] Status apply(std::string name, const std::function<Status(OsFileSet&)>& edit) {
    return document_.apply(std::move(name), edit);
  }

  // Writes the set back as "Yes" does, after keeping the original (unless --no-backup); reports
  // a failure and returns kExitFailed.
  int SaveAndClose(const std::string& done);

 private:
  OsSetDocument document_;
  KeptOriginalsStep keep_;
  bool ok_ = false;
  int exitCode_ = kExitFailed;
};

// The --slot option: small, medium, bold or large, and the model's font table there.
std::optional<FontSlot> ParseSlot(const std::string& text);
std::string SlotName(FontSlot slot);

// Lower-case extension of a path, without the dot.
std::string Extension(const std::string& path);

}  // namespace zentavour::cli
