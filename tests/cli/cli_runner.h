#pragma once

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace zentavour::testing {

struct CliResult {
  int exitCode = -1;
  std::string out, err;
};

// The data folder the runs below give zentavour-cli (XDG_DATA_HOME), made once per test
// program so no run keeps originals among the user's own.
const std::string& CliDataHome();

// Runs zentavour-cli with the arguments and captures what it prints.
CliResult RunCli(const std::vector<std::string>& args, const std::string& dataHome = CliDataHome());

// The whole of a file as text.
std::string ReadFileText(const std::string& path);

// A sample set on disk and the options that name it.
struct SetOnDisk {
  TempDir dir;
  SampleSetPaths paths;
  std::vector<std::string> options;

  SetOnDisk(WorkstationModel model, const std::string& name);
  // Runs the words, then the set's options.
  CliResult run(std::vector<std::string> words) const;
};

}  // namespace zentavour::testing
