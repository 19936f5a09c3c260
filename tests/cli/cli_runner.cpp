#include "cli/cli_runner.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zentavour::testing {
namespace {

std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) {
    if (c == '\'') {
      quoted.append("'\\''");
    } else {
      quoted.push_back(c);
    }
  }
  quoted.push_back('\'');
  return quoted;
}

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& args) {
  TempDir capture;
  std::string command = Quote(ZENTAVOUR_CLI_PATH);
  for (const std::string& arg : args) command.append(" ").append(Quote(arg));
  command.append(" >").append(Quote(capture.file("out")));
  command.append(" 2>").append(Quote(capture.file("err")));
  const int status = std::system(command.c_str());
  CliResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = Slurp(capture.file("out"));
  result.err = Slurp(capture.file("err"));
  return result;
}

SetOnDisk::SetOnDisk(WorkstationModel model, const std::string& name)
    : paths(WriteSampleSet(dir.path(), model)),
      options{"--model", name, "--dir", dir.path().string()} {}

CliResult SetOnDisk::run(std::vector<std::string> words,
                         const std::vector<std::string>& more) const {
  words.insert(words.end(), options.begin(), options.end());
  words.insert(words.end(), more.begin(), more.end());
  return RunCli(words);
}

}  // namespace zentavour::testing
