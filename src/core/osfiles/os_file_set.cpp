#include "core/osfiles/os_file_set.h"

#include <array>

#include "core/osfiles/gm_bank_reader.h"
#include "core/osfiles/os_image_layout.h"

namespace zentavour {
namespace {

FileHandlePtr& HandleFor(OsFileSet& set, OsFileRole role) {
  switch (role) {
    case OsFileRole::Sysinfo: return set.sysinfoFile;
    case OsFileRole::Ext: return set.extFile;
    case OsFileRole::Ext2: break;
  }
  return set.ext2File;
}

void CloseHandles(OsFileSet& set) {
  set.sysinfoFile.reset();
  set.extFile.reset();
  set.ext2File.reset();
}

std::string SizeRefusal(std::string_view kind, const std::string& path, std::int64_t actual,
                        std::string_view modelName, std::string_view fileName,
                        std::uint32_t expected, bool exact) {
  std::string text = "The " + std::string(kind) + " file \"" + path + "\" is " +
                     std::to_string(actual < 0 ? 0 : actual) + " bytes long. ";
  text += "The " + std::string(modelName) + " file " + std::string(fileName) +
          (exact ? " must be exactly " : " must be at least ") + std::to_string(expected) +
          " bytes.\n\nNo OS files were opened.";
  return text;
}

// Checks every open file's size against the model before anything is read.
std::optional<Failure> CheckSizes(OsFileSet& set, const WorkstationModelInfo& info) {
  const std::int64_t extSize = set.extFile->Size();
  if (extSize != info.extImageSize) {
    return FileError(SizeRefusal("EXT", set.extPath, extSize, info.name, info.extName,
                                 info.extImageSize, true));
  }
  if (info.hasSecondExt()) {
    const std::int64_t ext2Size = set.ext2File->Size();
    if (ext2Size != info.extImageSize) {
      return FileError(SizeRefusal("second EXT", set.ext2Path, ext2Size, info.name,
                                   info.ext2Name, info.extImageSize, true));
    }
  }
  const std::int64_t sysinfoSize = set.sysinfoFile->Size();
  std::uint8_t marker = 0;
  if (info.model == WorkstationModel::OrvaneSalone &&
      sysinfoSize > static_cast<std::int64_t>(kSaloneLayoutMarkerOffset)) {
    std::array<std::uint8_t, 1> byte{};
    if (!set.sysinfoFile->ReadAt(kSaloneLayoutMarkerOffset, byte)) {
      return FileError("Error Reading SYSINFO File");
    }
    marker = byte[0];
  }
  const std::uint32_t needed = MinimumSysinfoSize(info.model, marker);
  if (sysinfoSize < static_cast<std::int64_t>(needed)) {
    return FileError(SizeRefusal("SYSINFO", set.sysinfoPath, sysinfoSize, info.name,
                                 info.sysinfoName, needed, false));
  }
  return std::nullopt;
}

}  // namespace

WorkstationModel BeginLoadOsFiles(OsFileSet& set) {
  CloseHandles(set);
  set.model = set.rememberedModel == WorkstationModel::None ? WorkstationModel::Orvane
                                                            : set.rememberedModel;
  return set.model;
}

bool SelectLoadModel(OsFileSet& set, WorkstationModel model) {
  if (model == set.model) return false;
  set.model = model;
  set.rememberedModel = model;
  set.sysinfoPath.clear();
  set.extPath.clear();
  set.ext2Path.clear();
  set.sysinfoChosen = set.extChosen = set.ext2Chosen = false;
  CloseHandles(set);  // their files are no longer the chosen ones
  return true;
}

void ChooseOsFile(OsFileSet& set, OsFileRole role, std::string path) {
  switch (role) {
    case OsFileRole::Sysinfo:
      set.sysinfoPath = std::move(path);
      set.sysinfoChosen = true;
      break;
    case OsFileRole::Ext:
      set.extPath = std::move(path);
      set.extChosen = true;
      set.ext2File.reset();  // the second EXT file is opened again with the first
      break;
    case OsFileRole::Ext2:
      set.ext2Path = std::move(path);
      set.ext2Chosen = true;
      break;
  }
  HandleFor(set, role).reset();
}

LoadOkOutcome PressLoadOk(OsFileSet& set, const FileOpener& opener) {
  LoadOkOutcome outcome;
  if (set.model == WorkstationModel::None) set.model = WorkstationModel::Orvane;
  const WorkstationModelInfo& info = ModelInfo(set.model);

  struct Step {
    OsFileRole role;
    bool chosen;
    const std::string* path;
    const char* notChosen;
    const char* cannotOpen;
  };
  std::vector<Step> steps{
      {OsFileRole::Sysinfo, set.sysinfoChosen, &set.sysinfoPath,
       "You must select a SYSINFO file to load", "Error Opening SYSINFO File"},
      {OsFileRole::Ext, set.extChosen, &set.extPath, "You must select an EXT file to load",
       "Error Opening EXT File"},
  };
  if (info.hasSecondExt()) {
    steps.push_back({OsFileRole::Ext2, set.ext2Chosen, &set.ext2Path,
                     "You must select an EXT2 file to load", "Error Opening EXT2 File"});
  }
  for (const Step& step : steps) {
    FileHandlePtr& handle = HandleFor(set, step.role);
    if (!step.chosen) {
      outcome.messages.push_back({"Error", step.notChosen});
      continue;
    }
    if (handle) continue;
    handle = opener(*step.path);
    if (!handle) {
      outcome.messages.push_back(FileError(step.cannotOpen));
      return outcome;
    }
  }
  if (!set.sysinfoFile || !set.extFile || (info.hasSecondExt() && !set.ext2File)) return outcome;

  if (auto refusal = CheckSizes(set, info)) {
    CloseHandles(set);
    outcome.messages.push_back(std::move(*refusal));
    return outcome;
  }

  // Read into fresh buffers first: the set changes only once everything has been read.
  Bytes ext(info.extImageSize);
  if (!set.extFile->ReadAt(0, ext)) {
    CloseHandles(set);
    outcome.messages.push_back(FileError("Error Reading EXT File"));
    return outcome;
  }
  Bytes ext2;
  if (info.hasSecondExt()) {
    ext2.resize(info.extImageSize);
    if (!set.ext2File->ReadAt(0, ext2)) {
      CloseHandles(set);
      outcome.messages.push_back(FileError("Error Reading EXT2 File"));
      return outcome;
    }
  }
  const GmBankOffsetEntry& gm = GmBankOffsetTable(set.model);
  auto bank1 = std::make_unique<ProgramBank>();
  auto bank2 = std::make_unique<ProgramBank>();
  // The sizes were checked, so both banks are inside the images.
  bool banksRead = ReadProgramBank(ext, ext2, gm.bank1Offset, *bank1, gm.format);
  if (gm.bank2Offset) banksRead = banksRead && ReadProgramBank(ext, ext2, *gm.bank2Offset, *bank2, gm.format);
  if (!banksRead) {
    CloseHandles(set);
    outcome.messages.push_back(FileError("Error Reading EXT File"));
    return outcome;
  }

  set.ExtImage = std::move(ext);
  set.Ext2Image = std::move(ext2);
  set.gmBank1 = std::move(bank1);
  set.gmBank2 = std::move(bank2);
  set.loaded = true;
  ++set.generation;
  outcome.loaded = true;
  return outcome;
}

LoadOkOutcome LoadOsFiles(OsFileSet& set, WorkstationModel model, const std::string& sysinfoPath,
                          const std::string& extPath, const std::string& ext2Path,
                          const FileOpener& opener) {
  BeginLoadOsFiles(set);
  SelectLoadModel(set, model);
  ChooseOsFile(set, OsFileRole::Sysinfo, sysinfoPath);
  ChooseOsFile(set, OsFileRole::Ext, extPath);
  if (ModelInfo(model).hasSecondExt()) ChooseOsFile(set, OsFileRole::Ext2, ext2Path);
  LoadOkOutcome outcome = PressLoadOk(set, opener);
  if (!outcome.loaded) CancelLoadOsFiles(set);
  return outcome;
}

void CancelLoadOsFiles(OsFileSet& set) {
  CloseHandles(set);
  set.model = WorkstationModel::None;
}

Status WriteBackOsFiles(OsFileSet& set, WriteBackReader reader) {
  if (!set.loaded || !set.sysinfoFile || !set.extFile) {
    return FileError("Error Writing OS Files\n\nNo OS file set is open.");
  }
  const bool salone = set.model == WorkstationModel::OrvaneSalone;
  if (salone && !set.ext2File) return FileError("Error Writing EXT2 File");
  const WorkstationModelInfo& info = ModelInfo(set.model);

  // Everything is prepared in memory first; the files are then replaced one by one, each whole
  // or not at all, the SYSINFO copies last so they never claim sums the EXT files lack.
  const std::uint16_t extSum = ExtChecksum(set.ExtImage);
  WriteBe16(set.ExtImage, 0, extSum);
  std::uint16_t ext2Sum = 0;
  if (salone) {
    ext2Sum = ExtChecksum(set.Ext2Image);
    WriteBe16(set.Ext2Image, 0, ext2Sum);
  }

  std::vector<std::string> saved;
  const auto fail = [&](std::string_view what, const Failure& why) {
    // Only a failed read-back comes after its file was replaced.
    const bool replaced = why.text.starts_with(kReplacedUnverifiedText);
    std::string text = std::string(what) + "\n\n" + why.text;
    if (!saved.empty()) {
      text += "\n\nAlready saved:";
      for (const std::string& name : saved) text += " " + name;
    }
    if (reader == WriteBackReader::Window) {
      text += "\n\nThe OS files stay open with all your changes, so that you can try again.";
    } else {
      text += saved.empty() && !replaced ? "\n\nNo file was changed."
                                         : "\n\nNo other file was changed.";
    }
    Failure failure = FileError(std::move(text));
    failure.detail = why.detail;
    return failure;
  };

  const std::int64_t sysinfoSize = set.sysinfoFile->Size();
  Bytes sysinfo(sysinfoSize > 0 ? static_cast<std::size_t>(sysinfoSize) : 0);
  if (sysinfoSize <= 0 || !set.sysinfoFile->ReadAt(0, sysinfo)) {
    return fail("Error Reading SYSINFO File", FileError("The SYSINFO file could not be read."));
  }
  const std::uint8_t marker = sysinfo.size() > kSaloneLayoutMarkerOffset ? sysinfo[kSaloneLayoutMarkerOffset] : 0;
  if (sysinfo.size() < MinimumSysinfoSize(set.model, marker)) {
    return fail("Error Writing SYSINFO File",
                FileError("The SYSINFO file has become too short for its checksums."));
  }
  const SysinfoChecksumOffsets copies = SysinfoChecksumOffsetsFor(set.model, marker);
  WriteBe16(sysinfo, copies.ext, extSum);
  if (copies.ext2) WriteBe16(sysinfo, *copies.ext2, ext2Sum);

  if (Status done = set.extFile->ReplaceWhole(set.ExtImage); !done) {
    return fail("Error Writing EXT File", done.failure());
  }
  saved.emplace_back(info.extName);
  if (salone) {
    if (Status done = set.ext2File->ReplaceWhole(set.Ext2Image); !done) {
      return fail("Error Writing EXT2 File", done.failure());
    }
    saved.emplace_back(info.ext2Name);
  }
  if (Status done = set.sysinfoFile->ReplaceWhole(sysinfo); !done) {
    return fail("Error Writing SYSINFO File", done.failure());
  }
  return {};
}

void CloseOsFileSet(OsFileSet& set) {
  CloseHandles(set);
  set.model = WorkstationModel::None;
  set.loaded = false;
  ++set.generation;
  set.ExtImage = Bytes();
  set.Ext2Image = Bytes();
  set.gmBank1 = std::make_unique<ProgramBank>();
  set.gmBank2 = std::make_unique<ProgramBank>();
}

}  // namespace zentavour
