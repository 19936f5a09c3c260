#include "support/faulty_files.h"

#include <algorithm>

namespace zentavour::testing {
namespace {

class FaultyFile final : public FileHandle {
 public:
  FaultyFile(FileHandlePtr real, std::shared_ptr<FaultPlan> plan)
      : real_(std::move(real)), plan_(std::move(plan)) {}

  std::int64_t Size() override { return real_->Size(); }
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    return real_->ReadAt(offset, out);
  }
  bool WriteAt(std::uint64_t offset, std::span<const std::uint8_t> data) override {
    if (failing()) {
      const std::size_t partial = std::min(plan_->bytesBeforeFailure, data.size());
      if (partial > 0) (void)real_->WriteAt(offset, data.first(partial));
      return false;
    }
    return real_->WriteAt(offset, data);
  }
  bool Flush() override { return !failing() && real_->Flush(); }
  const std::string& Path() const override { return real_->Path(); }

 private:
  bool failing() const {
    return plan_->failWrites && (plan_->onlyPathContaining.empty() ||
                                 Path().find(plan_->onlyPathContaining) != std::string::npos);
  }

  FileHandlePtr real_;
  std::shared_ptr<FaultPlan> plan_;
};

}  // namespace

FileOpener FaultyOpener(std::shared_ptr<FaultPlan> plan) {
  return [plan](const std::string& path) -> FileHandlePtr {
    ++plan->opens;
    FileHandlePtr real = OpenLockedFile(path);
    if (!real) return nullptr;
    return std::make_unique<FaultyFile>(std::move(real), plan);
  };
}

}  // namespace zentavour::testing
