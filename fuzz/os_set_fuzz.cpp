// Opening an OS file set: any model, SYSINFO contents and file sizes around the expected ones.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>

#include "core/osfiles/os_file_set.h"

namespace {

using namespace zentavour;

// A file held in memory.
class MemoryFile final : public FileHandle {
 public:
  MemoryFile(const Bytes* bytes, std::string path) : bytes_(bytes), path_(std::move(path)) {}
  std::int64_t Size() override { return static_cast<std::int64_t>(bytes_->size()); }
  Status ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    if (offset > bytes_->size() || bytes_->size() - offset < out.size()) return FileError("short");
    std::copy_n(bytes_->begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return {};
  }
  Status WriteAt(std::uint64_t, std::span<const std::uint8_t>) override {
    return FileError("read only");
  }
  Status Flush() override { return {}; }
  const std::string& Path() const override { return path_; }

 private:
  const Bytes* bytes_;
  std::string path_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const auto model = static_cast<WorkstationModel>(1 + data[0] % 4);
  const WorkstationModelInfo& info = ModelInfo(model);
  // Bytes 1 and 2 move the EXT sizes a little off the expected one; the rest is SYSINFO.
  const auto near = [&](std::uint8_t delta) {
    return static_cast<std::size_t>(static_cast<std::int64_t>(info.extImageSize) + (delta % 5) - 2);
  };
  std::map<std::string, Bytes> files{
      {"sysinfo", Bytes(data + 3, data + size)},
      {"ext", Bytes(near(data[1]), 0x11)},
      {"ext2", Bytes(near(data[2]), 0x22)},
  };
  OsFileChoice choice;
  BeginLoadOsFiles(choice);
  SelectLoadModel(choice, model);
  ChooseOsFile(choice, OsFileRole::Sysinfo, "sysinfo");
  ChooseOsFile(choice, OsFileRole::Ext, "ext");
  ChooseOsFile(choice, OsFileRole::Ext2, "ext2");
  LoadOkOutcome outcome = PressLoadOk(choice, [&](const std::string& path) -> Result<FileHandlePtr> {
    return FileHandlePtr(std::make_unique<MemoryFile>(&files.at(path), path));
  });
  // A press with every file chosen either loads or lets every file go.
  if (choice.sysinfoFile || choice.extFile || choice.ext2File) std::abort();
  if (outcome.set &&
      (!outcome.set->isOpen() || outcome.set->ExtImage.size() != info.extImageSize)) {
    std::abort();
  }
  if (outcome.set) CloseOsFileSet(*outcome.set);
  return 0;
}
