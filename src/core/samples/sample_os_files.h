#pragma once

#include <string>
#include <vector>

#include "core/common/bytes.h"
#include "core/common/failure.h"
#include "core/osfiles/workstation_model.h"

namespace zentavour {

// The two SYSINFO layouts of the Orvane Salone (the marker byte 16 tells them apart).
enum class SaloneLayout { I, II };

// A plausible OS file set made by the program itself: exact names and sizes, legible glyphs in
// every editable font table, a picture at every startup graphic, two named GM banks, and correct
// checksums. Nothing here comes from a real instrument.
struct SampleOsFiles {
  WorkstationModel model;
  Bytes sysinfo;
  Bytes ext;
  Bytes ext2;  // Orvane Salone only
};

SampleOsFiles BuildSampleOsFiles(WorkstationModel model, SaloneLayout layout = SaloneLayout::II);

// One folder of the samples directory: its name and the set it holds.
struct SampleOsFolder {
  std::string folder;  // "orvane", "orvane-mi", "ossik", "orvane-salone-I", "orvane-salone-II"
  WorkstationModel model;
  SaloneLayout layout;
};

const std::vector<SampleOsFolder>& SampleOsFolders();

// Writes the set's files under the model's exact names into dir (which must exist).
[[nodiscard]] Status WriteSampleOsFiles(const SampleOsFiles& files, const std::string& dir);

// Creates dir and every sample folder in it with its set, and the sample PCG files in dir/pcg.
[[nodiscard]] Status WriteAllSamples(const std::string& dir);

}  // namespace zentavour
