#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/bytes.h"
#include "core/common/failure.h"
#include "core/common/file_handle.h"
#include "core/osfiles/workstation_model.h"
#include "core/programs/program_slot.h"

namespace zentavour {

inline constexpr std::string_view kProgramTitle = "Zentavour v1.75";
inline constexpr std::string_view kOsFilesOpenedText = "OS Files Successfully opened";

// What the Load OS Files dialog has chosen so far. It lasts the whole run, so that the dialog
// opens again on the model and files chosen last.
struct OsFileChoice {
  // While the dialog is up, the model of its checked radio button; None otherwise.
  WorkstationModel model = WorkstationModel::None;
  // The model of the last radio button clicked, checked when the dialog opens again.
  WorkstationModel rememberedModel = WorkstationModel::None;

  std::string sysinfoPath, extPath, ext2Path;
  bool sysinfoChosen = false, extChosen = false, ext2Chosen = false;

  // Files opened by a press of OK that stopped early, held (and locked) for the next press.
  FileHandlePtr sysinfoFile, extFile, ext2File;
};

// The OS file set: the loaded files, held open (and locked), and their images in memory. The
// images are the only place where edits of OS data land; the files change only through
// WriteBackOsFiles. A default set is the closed one.
struct OsFileSet {
  // The model of the open set; None while no set is open.
  WorkstationModel model = WorkstationModel::None;

  // The files the set was loaded from.
  std::string sysinfoPath, extPath, ext2Path;
  FileHandlePtr sysinfoFile, extFile, ext2File;

  Bytes SysinfoImage;  // the whole SYSINFO file, read once when the set was loaded
  Bytes ExtImage;      // the whole EXT file, checksum header included
  Bytes Ext2Image;     // the second EXT file of the Orvane Salone; empty otherwise

  // The GM program banks decoded when the set was loaded (the Orvane Mi has only bank 1).
  std::unique_ptr<ProgramBank> gmBank1 = std::make_unique<ProgramBank>();
  std::unique_ptr<ProgramBank> gmBank2 = std::make_unique<ProgramBank>();

  bool isOpen() const { return model != WorkstationModel::None; }
  bool hasGmBank2() const { return model != WorkstationModel::OrvaneMi; }
};

// No model's SYSINFO file comes near this; a larger file is refused rather than read.
inline constexpr std::int64_t kLargestSysinfoFile = 1024 * 1024;

// Reads a whole SYSINFO file (the one place that does). Refused when it is empty, larger than
// kLargestSysinfoFile or cannot be read.
[[nodiscard]] Result<Bytes> ReadSysinfoFile(FileHandle& file);

// Decodes the set's GM banks from its images. Returns false, leaving the banks as they were,
// when an image is too short to hold them.
[[nodiscard]] bool DecodeGmBanks(OsFileSet& set);

// --- The Load OS Files dialog's steps, as plain operations on its choice. ---

// The dialog opens: closes any handle a stopped load left, and checks the remembered model's
// button (model 1 when none was clicked yet). Returns the model to check.
WorkstationModel BeginLoadOsFiles(OsFileChoice& choice);

// A radio button was clicked. Returns false, changing nothing, when it is the current model;
// otherwise switches model, forgets the chosen paths and returns true.
bool SelectLoadModel(OsFileChoice& choice, WorkstationModel model);

enum class OsFileRole { Sysinfo, Ext, Ext2 };

// A file was confirmed through a Browse chooser. A handle that an earlier press of OK left open
// on that role is closed, so the new choice (or the same file again) can be opened.
void ChooseOsFile(OsFileChoice& choice, OsFileRole role, std::string path);

struct LoadOkOutcome {
  // The messages to show, in order (caption and text each).
  std::vector<Failure> messages;
  // The loaded set when OK succeeded (the dialog then ends); the choice's files are its now.
  std::optional<OsFileSet> set;
};

// OK: opens what is chosen and not yet open, then checks the files' sizes, reads the images and
// decodes the GM banks into a loaded set. A press that stops keeps the files opened so far in the
// choice, as the dialog says; a refused file closes every handle of the choice so nothing stays
// half open. Paths, chosen flags and the remembered model stay for the next opening.
[[nodiscard]] LoadOkOutcome PressLoadOk(OsFileChoice& choice, const FileOpener& opener);

// The whole dialog in one call, for callers that already know the files (the CLI, tests): picks
// the model, chooses the paths (ext2Path only for the Orvane Salone) and presses OK once. A set
// that does not load leaves no file open.
[[nodiscard]] LoadOkOutcome LoadOsFiles(WorkstationModel model, const std::string& sysinfoPath,
                                        const std::string& extPath, const std::string& ext2Path,
                                        const FileOpener& opener);

// Cancel or the dialog's close box: closes handles left open by a stopped load, model back to None.
void CancelLoadOsFiles(OsFileChoice& choice);

// --- Writing back and closing. ---

// Who reads a failed write-back's message: a window keeps the set open for another try; a
// command that ends says what it leaves changed on disk instead.
enum class WriteBackReader { Window, Command };

// Renews the checksums and writes the images whole into the open files, then SYSINFO with the
// checksum copies, and flushes. The set's bytes take the renewed checksums only once every file
// is written; on failure the set stays open with its images as they were, so nothing the user
// changed is lost.
[[nodiscard]] Status WriteBackOsFiles(OsFileSet& set,
                                      WriteBackReader reader = WriteBackReader::Window);

// Releases the open files and images: the set is the closed one again.
void CloseOsFileSet(OsFileSet& set);

}  // namespace zentavour
