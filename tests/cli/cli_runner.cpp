#include "cli/cli_runner.h"

#include <sys/wait.h>

#include <cstdlib>

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

}  // namespace

std::string ReadFileText(const std::string& path) {
  const Bytes bytes = ReadFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

const std::string& CliDataHome() {
  static const TempDir data;
  static const std::string path = data.path().string();
  return path;
}

CliResult RunCli(const std::vector<std::string>& args, const std::string& dataHome) {
  TempDir capture;
  std::string command = "XDG_DATA_HOME=" + Quote(dataHome) + " " + Quote(ZENTAVOUR_CLI_PATH);
  for (const std::string& arg : args) command.append(" ").append(Quote(arg));
  command.append(" >").append(Quote(capture.file("out")));
  command.append(" 2>").append(Quote(capture.file("err")));
  const int status = std::system(command.c_str());
  CliResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadFileText(capture.file("out"));
  result.err = ReadFileText(capture.file("err"));
  return result;
}

SetOnDisk::SetOnDisk(WorkstationModel model, const std::string& name)
    : paths(WriteSampleSet(dir.path(), model)),
      options{"--model", name, "--dir", dir.path().string()} {}

CliResult SetOnDisk::run(std::vector<std::string> words) const {
  words.insert(words.end(), options.begin(), options.end());
  return RunCli(words);
}

}  // namespace zentavour::testing
