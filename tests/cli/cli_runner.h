#pragma once

#include <string>
#include <vector>

namespace zentavour::testing {

struct CliResult {
  int exitCode = -1;
  std::string out, err;
};

// Runs zentavour-cli with the arguments and captures what it prints.
CliResult RunCli(const std::vector<std::string>& args);

}  // namespace zentavour::testing
