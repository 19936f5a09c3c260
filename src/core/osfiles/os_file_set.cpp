#include "core/osfiles/os_file_set.h"

#include <array>

#include "core/osfiles/checksum_status.h"
#include "core/osfiles/gm_bank_reader.h"
#include "core/osfiles/os_image_layout.h"

namespace zentavour {
namespace {

FileHandlePtr& HandleFor(OsFileChoice& choice, OsFileRole role) {
  switch (role) {
    case OsFileRole::Sysinfo: return choice.sysinfoFile;
    case OsFileRole::Ext: return choice.extFile;
    case OsFileRole::Ext2: break;
  }
  return choice.ext2File;
}

void CloseHandles(OsFileChoice& choice) {
  choice.sysinfoFile.reset();
  choice.extFile.reset();
  choice.ext2File.reset();
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
  if (sysinfoSize > kLargestSysinfoFile) {
    return FileError("The SYSINFO file \"" + set.sysinfoPath + "\" is " +
                     std::to_string(sysinfoSize) + " bytes long. The " + std::string(info.name) +
                     " file " + std::string(info.sysinfoName) + " must be at most " +
                     std::to_string(kLargestSysinfoFile) + " bytes.\n\nNo OS files were opened.");
  }
  if (sysinfoSize > 0) {
    Result<Bytes> sysinfo = ReadSysinfoFile(*set.sysinfoFile);
    if (!sysinfo) return sysinfo.failure();
    set.SysinfoImage = std::move(*sysinfo);
  }
  const std::uint8_t marker = SysinfoLayoutMarker(info.model, set.SysinfoImage);
  const std::uint32_t needed = MinimumSysinfoSize(info.model, marker);
  if (sysinfoSize < static_cast<std::int64_t>(needed)) {
    return FileError(SizeRefusal("SYSINFO", set.sysinfoPath, sysinfoSize, info.name,
                                 info.sysinfoName, needed, false));
  }
  return std::nullopt;
}

}  // namespace

Result<Bytes> ReadSysinfoFile(FileHandle& file) {
  const std::int64_t size = file.Size();
  if (size <= 0 || size > kLargestSysinfoFile) return FileError("Error Reading SYSINFO File");
  Bytes bytes(static_cast<std::size_t>(size));
  if (!file.ReadAt(0, bytes)) return FileError("Error Reading SYSINFO File");
  return bytes;
}

bool DecodeGmBanks(OsFileSet& set) {
  const GmBankOffsetEntry& gm = GmBankOffsetTable(set.model);
  auto bank1 = std::make_unique<ProgramBank>();
  auto bank2 = std::make_unique<ProgramBank>();
  if (!ReadProgramBank(set.ExtImage, set.Ext2Image, gm.bank1Offset, *bank1, gm.format))
    return false;
  if (gm.bank2Offset &&
      !ReadProgramBank(set.ExtImage, set.Ext2Image, *gm.bank2Offset, *bank2, gm.format)) {
    return false;
  }
  set.gmBank1 = std::move(bank1);
  set.gmBank2 = std::move(bank2);
  return true;
}

WorkstationModel BeginLoadOsFiles(OsFileChoice& choice) {
  CloseHandles(choice);
  choice.model = choice.rememberedModel == WorkstationModel::None ? WorkstationModel::Orvane
                                                                  : choice.rememberedModel;
  return choice.model;
}

bool SelectLoadModel(OsFileChoice& choice, WorkstationModel model) {
  if (model == choice.model) return false;
  choice.model = model;
  choice.rememberedModel = model;
  choice.sysinfoPath.clear();
  choice.extPath.clear();
  choice.ext2Path.clear();
  choice.sysinfoChosen = choice.extChosen = choice.ext2Chosen = false;
  CloseHandles(choice);  // their files are no longer the chosen ones
  return true;
}

void ChooseOsFile(OsFileChoice& choice, OsFileRole role, std::string path) {
  switch (role) {
    case OsFileRole::Sysinfo:
      choice.sysinfoPath = std::move(path);
      choice.sysinfoChosen = true;
      break;
    case OsFileRole::Ext:
      choice.extPath = std::move(path);
      choice.extChosen = true;
      choice.ext2File.reset();  // the second EXT file is opened again with the first
      break;
    case OsFileRole::Ext2:
      choice.ext2Path = std::move(path);
      choice.ext2Chosen = true;
      break;
  }
  HandleFor(choice, role).reset();
}

LoadOkOutcome PressLoadOk(OsFileChoice& choice, const FileOpener& opener) {
  LoadOkOutcome outcome;
  if (choice.model == WorkstationModel::None) choice.model = WorkstationModel::Orvane;
  const WorkstationModelInfo& info = ModelInfo(choice.model);

  struct Step {
    OsFileRole role;
    bool chosen;
    const std::string* path;
    const char* notChosen;
    const char* cannotOpen;
  };
  std::vector<Step> steps{
      {OsFileRole::Sysinfo, choice.sysinfoChosen, &choice.sysinfoPath,
       "You must select a SYSINFO file to load", "Error Opening SYSINFO File"},
      {OsFileRole::Ext, choice.extChosen, &choice.extPath, "You must select an EXT file to load",
       "Error Opening EXT File"},
  };
  if (info.hasSecondExt()) {
    steps.push_back({OsFileRole::Ext2, choice.ext2Chosen, &choice.ext2Path,
                     "You must select an EXT2 file to load", "Error Opening EXT2 File"});
  }
  for (const Step& step : steps) {
    FileHandlePtr& handle = HandleFor(choice, step.role);
    if (!step.chosen) {
      outcome.messages.push_back({"Error", step.notChosen});
      continue;
    }
    if (handle) continue;
    Result<FileHandlePtr> opened = opener(*step.path);
    if (!opened) {
      Failure failure = FileError(step.cannotOpen);
      failure.detail = opened.failure().detail;
      outcome.messages.push_back(std::move(failure));
      return outcome;
    }
    handle = std::move(*opened);
  }
  if (!choice.sysinfoFile || !choice.extFile || (info.hasSecondExt() && !choice.ext2File)) {
    return outcome;
  }

  // From here the files belong to the set being loaded: a refusal drops the set and with it
  // every handle, so nothing stays half open.
  OsFileSet set;
  set.model = choice.model;
  set.sysinfoPath = choice.sysinfoPath;
  set.extPath = choice.extPath;
  set.ext2Path = info.hasSecondExt() ? choice.ext2Path : std::string();
  set.sysinfoFile = std::move(choice.sysinfoFile);
  set.extFile = std::move(choice.extFile);
  set.ext2File = std::move(choice.ext2File);

  if (auto refusal = CheckSizes(set, info)) {
    outcome.messages.push_back(std::move(*refusal));
    return outcome;
  }

  // Read into fresh buffers first: the set changes only once everything has been read.
  Bytes ext(info.extImageSize);
  if (!set.extFile->ReadAt(0, ext)) {
    outcome.messages.push_back(FileError("Error Reading EXT File"));
    return outcome;
  }
  Bytes ext2;
  if (info.hasSecondExt()) {
    ext2.resize(info.extImageSize);
    if (!set.ext2File->ReadAt(0, ext2)) {
      outcome.messages.push_back(FileError("Error Reading EXT2 File"));
      return outcome;
    }
  }
  set.ExtImage = std::move(ext);
  set.Ext2Image = std::move(ext2);
  // The sizes were checked, so both banks are inside the images.
  if (!DecodeGmBanks(set)) {
    outcome.messages.push_back(FileError("Error Reading EXT File"));
    return outcome;
  }
  outcome.set = std::move(set);
  return outcome;
}

LoadOkOutcome LoadOsFiles(WorkstationModel model, const std::string& sysinfoPath,
                          const std::string& extPath, const std::string& ext2Path,
                          const FileOpener& opener) {
  // A choice of its own, gone with any file a stopped press left open.
  OsFileChoice choice;
  BeginLoadOsFiles(choice);
  SelectLoadModel(choice, model);
  ChooseOsFile(choice, OsFileRole::Sysinfo, sysinfoPath);
  ChooseOsFile(choice, OsFileRole::Ext, extPath);
  if (ModelInfo(model).hasSecondExt()) ChooseOsFile(choice, OsFileRole::Ext2, ext2Path);
  return PressLoadOk(choice, opener);
}

void CancelLoadOsFiles(OsFileChoice& choice) {
  CloseHandles(choice);
  choice.model = WorkstationModel::None;
}

Status WriteBackOsFiles(OsFileSet& set, WriteBackReader reader) {
  if (!set.isOpen() || !set.sysinfoFile || !set.extFile) {
    return FileError("Error Writing OS Files\n\nNo OS file set is open.");
  }
  const bool salone = set.model == WorkstationModel::OrvaneSalone;
  if (salone && !set.ext2File) return FileError("Error Writing EXT2 File");
  const WorkstationModelInfo& info = ModelInfo(set.model);

  // Everything is prepared in memory first, in copies; the files are then replaced one by one,
  // each whole or not at all, the SYSINFO copies last so they never claim sums the EXT files lack.
  Bytes sysinfo = set.SysinfoImage;
  Bytes ext = set.ExtImage;
  Bytes ext2 = set.Ext2Image;

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

  if (const Status renewed = RenewChecksums(set.model, sysinfo, ext, ext2); !renewed) {
    return fail("Error Writing SYSINFO File", renewed.failure());
  }

  if (Status done = set.extFile->ReplaceWhole(ext); !done) {
    return fail("Error Writing EXT File", done.failure());
  }
  saved.emplace_back(info.extName);
  if (salone) {
    if (Status done = set.ext2File->ReplaceWhole(ext2); !done) {
      return fail("Error Writing EXT2 File", done.failure());
    }
    saved.emplace_back(info.ext2Name);
  }
  if (Status done = set.sysinfoFile->ReplaceWhole(sysinfo); !done) {
    return fail("Error Writing SYSINFO File", done.failure());
  }
  set.SysinfoImage = std::move(sysinfo);
  set.ExtImage = std::move(ext);
  set.Ext2Image = std::move(ext2);
  return {};
}

void CloseOsFileSet(OsFileSet& set) {
  set = OsFileSet();
}

}  // namespace zentavour
