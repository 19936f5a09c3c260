#pragma once

#include <optional>
#include <string>

#include "cli/arguments.h"
#include "core/osfiles/os_file_set.h"
#include "core/osfiles/os_set_document.h"

namespace zentavour::cli {

inline constexpr const char* kSetOptionsHelp =
    "  --model orvane|orvane-mi|ossik|orvane-salone   the workstation model\n"
    "  --dir DIR                  find the model's files in DIR (either letter case), or\n"
    "  --sysinfo FILE --ext FILE [--ext2 FILE]        name them one by one\n";

// The options that name an OS file set.
void AddSetOptions(KnownOptions& options);

struct SetPaths {
  WorkstationModel model = WorkstationModel::None;
  std::string sysinfo, ext, ext2;
};

// The model's name on the command line ("orvane-mi") and back.
std::string ModelOptionName(WorkstationModel model);
std::optional<WorkstationModel> ModelFromOptionName(const std::string& name);

// Resolves the set's model and paths from the options; error is set on a usage error.
std::optional<SetPaths> ResolveSetPaths(const Arguments& args, std::string& error);

// Opens the set as the Load OS Files dialog would, printing its messages to stderr; the one way
// the commands open a set. Nothing when the set could not be opened.
[[nodiscard]] std::optional<OsSetDocument> OpenSetDocument(const SetPaths& paths);

// Prints a failure as the message box would show it, caption and text, then the file and the
// system's reason when there is one.
void PrintFailure(const Failure& failure);

}  // namespace zentavour::cli
