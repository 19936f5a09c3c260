// zentavour-cli: the program's file operations without windows.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "core/osfiles/workstation_model.h"
#include "core/samples/sample_os_files.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void PrintUsage(std::FILE* out) {
  std::fputs(
      "Usage: zentavour-cli COMMAND [OPTIONS]\n"
      "\n"
      "Commands:\n"
      "  models         the workstation models with their file names and EXT image sizes\n"
      "  samples DIR    write the sample OS file sets into DIR\n"
      "\n"
      "Run 'zentavour-cli COMMAND --help' for a command's options.\n",
      out);
}

int Models() {
  std::printf("%-4s %-15s %-12s %-26s %s\n", "code", "model", "SYSINFO", "EXT files",
              "EXT image size");
  for (const auto& info : zentavour::WorkstationModels()) {
    std::string ext(info.extName);
    if (info.hasSecondExt()) ext += ", " + std::string(info.ext2Name);
    std::printf("%-4d %-15s %-12s %-26s %u\n", zentavour::ModelCode(info.model),
                std::string(info.name).c_str(), std::string(info.sysinfoName).c_str(), ext.c_str(),
                info.extImageSize);
  }
  return kExitOk;
}

int Samples(const char* dir) {
  const zentavour::Status status = zentavour::WriteAllSamples(dir);
  if (!status) {
    std::fprintf(stderr, "%s: %s\n", status.failure().caption.c_str(),
                 status.failure().text.c_str());
    return kExitFailed;
  }
  std::printf("Sample files written to %s\n", dir);
  return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintUsage(argc < 2 ? stderr : stdout);
    return argc < 2 ? kExitUsage : kExitOk;
  }
  const std::string_view command = argv[1];
  const bool help = argc >= 3 && std::strcmp(argv[2], "--help") == 0;
  if (command == "models") {
    if (help) {
      std::puts("Usage: zentavour-cli models\nLists the four workstation models.");
      return kExitOk;
    }
    return Models();
  }
  if (command == "samples") {
    if (help || argc != 3) {
      std::fputs("Usage: zentavour-cli samples DIR\nWrites the sample files into DIR.\n",
                 help ? stdout : stderr);
      return help ? kExitOk : kExitUsage;
    }
    return Samples(argv[2]);
  }
  std::fprintf(stderr, "zentavour-cli: unknown command '%s'\n", argv[1]);
  PrintUsage(stderr);
  return kExitUsage;
}
